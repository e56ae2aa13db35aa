// WriteWholeFile on Windows: a new file beside the file, written, flushed to the disk, then moved
// over it.

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <string>

#include "system/output_file.h"
#include "system/platform.h"

namespace tarnivel {

int WriteWholeFile(const std::string& path, std::string_view contents) {
  if (path.empty() || path.back() == '/' || path.back() == '\\') return EISDIR;
  std::wstring target;
  if (!WideFromUtf8(path, target)) return ENOENT;
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return EISDIR;
  }
  const std::size_t slash = path.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::wstring temporary;
  int fd = -1;
  for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    if (!WideFromUtf8(folder + "." + name + "." + std::to_string(::GetCurrentProcessId()) + "-" +
                          std::to_string(attempt),
                      temporary)) {
      return ENOENT;
    }
    fd = ::_wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  int error = 0;
  while (!contents.empty() && error == 0) {
    const std::ptrdiff_t written = WriteDescriptor(fd, contents.data(), contents.size(), error);
    if (written > 0) contents.remove_prefix(static_cast<std::size_t>(written));
  }
  if (error == 0 && ::_commit(fd) != 0) error = errno;
  if (::_close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && !::MoveFileExW(temporary.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ErrnoOf(::GetLastError());
  }
  if (error != 0) ::DeleteFileW(temporary.c_str());
  return error;
}

}  // namespace tarnivel

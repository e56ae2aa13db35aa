// WriteWholeFile on POSIX: mkstemp beside the file, write, fsync, rename.

#include "system/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tarnivel {
namespace {

// The file's folder with a hidden name of its own for the temporary file.
std::string TemporaryPattern(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + ".XXXXXX";
}

int WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

}  // namespace

int WriteWholeFile(const std::string& path, std::string_view contents) {
  if (path.empty() || path.back() == '/') return EISDIR;
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) return EISDIR;
  const std::string pattern = TemporaryPattern(path);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return errno;
  // mkstemp's 0600 would hide a sheet from the folder's other readers: take what the umask
  // gives a new file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int error = ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
  if (error == 0) error = WriteAll(fd, contents);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(name.data(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(name.data());
  return error;
}

}  // namespace tarnivel

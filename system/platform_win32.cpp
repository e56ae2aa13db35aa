// The system layer's requests as Windows answers them: descriptors of the C runtime in binary
// mode, file names and arguments in UTF-16 converted from and to UTF-8, the console switched
// to UTF-8 while the program runs.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "system/platform.h"

namespace tarnivel {
namespace {

// The status a shell on Linux reports for a program ended by SIGPIPE.
constexpr int kClosedPipeStatus = 141;

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
  return text;
}

// One read or write of the C runtime takes at most an int's worth.
unsigned Chunk(std::size_t size) {
  return static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX));
}

UINT console_input_page = 0;
UINT console_output_page = 0;

void RestoreConsolePages() {
  if (console_input_page != 0) ::SetConsoleCP(console_input_page);
  if (console_output_page != 0) ::SetConsoleOutputCP(console_output_page);
}

}  // namespace

bool WideFromUtf8(const std::string& text, std::wstring& wide) {
  if (text.empty()) return true;
  const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return false;
  wide.assign(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
  return true;
}

std::ptrdiff_t ReadDescriptor(int fd, char* data, std::size_t size, int& error) {
  const int got = ::_read(fd, data, Chunk(size));
  if (got < 0) error = errno;
  return got;
}

std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size, int& error) {
  // WriteFile itself rather than the C runtime's _write, which under load reports a pipe whose
  // reader has gone as EINVAL with Windows' own reason already cleared.
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) {
    error = EBADF;
    return -1;
  }
  DWORD written = 0;
  if (::WriteFile(handle, data, Chunk(size), &written, nullptr)) return written;
  const DWORD reason = ::GetLastError();
  if (reason == ERROR_NO_DATA || reason == ERROR_BROKEN_PIPE ||
      reason == ERROR_PIPE_NOT_CONNECTED) {
    // The reader closed the pipe (| head -1): nothing more is wanted, and nothing is said.
    std::_Exit(kClosedPipeStatus);
  }
  error = ErrnoOf(reason);
  return -1;
}

int ErrnoOf(unsigned long reason) {
  switch (reason) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_INVALID_HANDLE:
      return EBADF;
    default:
      return EIO;
  }
}

std::size_t ReadyBytes(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) return 0;
  switch (::GetFileType(handle)) {
    case FILE_TYPE_PIPE: {
      DWORD ready = 0;
      if (!::PeekNamedPipe(handle, nullptr, 0, nullptr, &ready, nullptr)) return 0;
      return ready;
    }
    case FILE_TYPE_DISK: {
      const long long length = ::_filelengthi64(fd);
      const long long position = ::_telli64(fd);
      if (length < 0 || position < 0 || length <= position) return 0;
      return static_cast<std::size_t>(std::min<long long>(length - position, INT_MAX));
    }
    default:
      return 0;  // a console: whatever is typed next
  }
}

void CloseDescriptor(int fd) { ::_close(fd); }

int OpenForReading(const std::string& path, int& error) {
  std::wstring wide;
  if (!WideFromUtf8(path, wide) || wide.empty()) {
    error = ENOENT;
    return -1;
  }
  const int fd = ::_wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) error = errno;
  return fd;
}

void PrepareStandardStreams() {
  // Rows end in LF as on Linux, and CRLF input reaches the CSV reader as it is.
  for (const int fd : {0, 1, 2}) ::_setmode(fd, _O_BINARY);
  // The messages are UTF-8: a console shows them as such while the program runs.
  console_input_page = ::GetConsoleCP();
  console_output_page = ::GetConsoleOutputCP();
  if (console_input_page != 0 || console_output_page != 0) {
    ::SetConsoleCP(CP_UTF8);
    ::SetConsoleOutputCP(CP_UTF8);
    std::atexit(RestoreConsolePages);
  }
}

std::filesystem::path ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void* LoadLibraryFunction(const std::filesystem::path& path, const char* name, std::string& why) {
  HMODULE library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  FARPROC function = library != nullptr ? ::GetProcAddress(library, name) : nullptr;
  if (function == nullptr) {
    wchar_t* message = nullptr;
    ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, ::GetLastError(), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    why = message != nullptr ? Utf8FromWide(message) : "no reason given";
    ::LocalFree(message);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) why.pop_back();
  }
  return reinterpret_cast<void*>(function);
}

std::vector<std::string> Utf8Arguments(int argc, const wchar_t* const* argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
  return args;
}

}  // namespace tarnivel

// The system layer's requests as a POSIX system answers them.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

#include "system/platform.h"

namespace tarnivel {

std::ptrdiff_t ReadDescriptor(int fd, char* data, std::size_t size, int& error) {
  ssize_t got;
  do {
    got = ::read(fd, data, size);
  } while (got < 0 && errno == EINTR);
  if (got < 0) error = errno;
  return got;
}

std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size, int& error) {
  ssize_t written;
  do {
    written = ::write(fd, data, size);
  } while (written < 0 && errno == EINTR);
  if (written < 0) error = errno;
  return written;
}

std::size_t ReadyBytes(int fd) {
  int ready = 0;
  if (::ioctl(fd, FIONREAD, &ready) != 0 || ready <= 0) return 0;
  return static_cast<std::size_t>(ready);
}

void CloseDescriptor(int fd) { ::close(fd); }

int OpenForReading(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) error = errno;
  return fd;
}

void PrepareStandardStreams() {
  // A reader that closes the pipe (| head -1) ends the program quietly, even when the parent
  // set SIGPIPE to be ignored.
  std::signal(SIGPIPE, SIG_DFL);
}

std::filesystem::path ProgramPath() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return program;
}

void* LoadLibraryFunction(const std::filesystem::path& path, const char* name, std::string& why) {
  void* library = ::dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
  void* function = library != nullptr ? ::dlsym(library, name) : nullptr;
  if (function == nullptr) {
    const char* error = ::dlerror();
    why = error != nullptr ? error : "no reason given";
  }
  return function;
}

}  // namespace tarnivel

// The input stream buffer over a file descriptor: reads what is ready, retries an interrupted
// read, and remembers why a read failed.

#include "system/fd_input.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarnivel {

FdInputBuffer::FdInputBuffer(int fd, bool owns) : fd_(fd), owns_(owns), buffer_(1 << 16) {
  setg(buffer_.data(), buffer_.data(), buffer_.data());
}

FdInputBuffer::~FdInputBuffer() {
  if (owns_) ::close(fd_);
}

std::size_t FdInputBuffer::Read(char* data, std::size_t size) {
  if (error_ != 0) return 0;
  ssize_t got;
  do {
    got = ::read(fd_, data, size);
  } while (got < 0 && errno == EINTR);
  if (got < 0) error_ = errno;
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

FdInputBuffer::int_type FdInputBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  const std::size_t got = Read(buffer_.data(), buffer_.size());
  if (got == 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
  return traits_type::to_int_type(*gptr());
}

// The bytes a pipe, a terminal or a file holds ready; 0 where the system cannot tell.
std::streamsize FdInputBuffer::showmanyc() {
  int ready = 0;
  if (::ioctl(fd_, FIONREAD, &ready) != 0 || ready <= 0) return 0;
  return ready;
}

// Takes what is buffered, then reads the rest straight into `data` rather than through the
// buffer.
std::streamsize FdInputBuffer::xsgetn(char* data, std::streamsize size) {
  const auto buffered = std::min<std::streamsize>(size, egptr() - gptr());
  if (buffered > 0) {
    std::memcpy(data, gptr(), static_cast<std::size_t>(buffered));
    gbump(static_cast<int>(buffered));
  }
  std::streamsize taken = buffered;
  while (taken < size) {
    const std::size_t got = Read(data + taken, static_cast<std::size_t>(size - taken));
    if (got == 0) break;
    taken += static_cast<std::streamsize>(got);
  }
  return taken;
}

}  // namespace tarnivel

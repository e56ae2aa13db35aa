#include "cli/fd_input.h"

#include <unistd.h>

#include <cerrno>

namespace tarnivel {

FdInputBuffer::FdInputBuffer(int fd, bool owns) : fd_(fd), owns_(owns), buffer_(1 << 16) {
  setg(buffer_.data(), buffer_.data(), buffer_.data());
}

FdInputBuffer::~FdInputBuffer() {
  if (owns_) ::close(fd_);
}

FdInputBuffer::int_type FdInputBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error_ != 0) return traits_type::eof();
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.data(), buffer_.size());
  } while (got < 0 && errno == EINTR);
  if (got < 0) error_ = errno;
  if (got <= 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
  return traits_type::to_int_type(*gptr());
}

}  // namespace tarnivel

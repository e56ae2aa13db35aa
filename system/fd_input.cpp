// The input stream buffer over a file descriptor: reads what is ready and remembers why a read
// failed.

#include "system/fd_input.h"

#include <algorithm>
#include <cstring>

#include "system/platform.h"

namespace tarnivel {

FdInputBuffer::FdInputBuffer(int fd, bool owns) : fd_(fd), owns_(owns), buffer_(1 << 16) {
  setg(buffer_.data(), buffer_.data(), buffer_.data());
}

FdInputBuffer::~FdInputBuffer() {
  if (owns_) CloseDescriptor(fd_);
}

std::size_t FdInputBuffer::Read(char* data, std::size_t size) {
  if (error_ != 0) return 0;
  const std::ptrdiff_t got = ReadDescriptor(fd_, data, size, error_);
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
std::streamsize FdInputBuffer::showmanyc() { return static_cast<std::streamsize>(ReadyBytes(fd_)); }

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

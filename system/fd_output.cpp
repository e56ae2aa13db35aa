// The output stream buffer over a file descriptor: writes all it is given and remembers why a
// write failed.

#include "system/fd_output.h"

#include <cerrno>

#include "system/platform.h"

namespace tarnivel {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() { sync(); }

bool FdOutputBuffer::WriteAll(const char* data, std::size_t size) {
  if (error_ != 0) return false;  // once failed, nothing more goes out
  while (size > 0) {
    const std::ptrdiff_t written = WriteDescriptor(fd_, data, size, error_);
    if (written <= 0) {
      if (error_ == 0) error_ = EIO;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

int FdOutputBuffer::sync() {
  const bool ok = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return ok ? 0 : -1;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
  if (sync() != 0) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize FdOutputBuffer::xsputn(const char* data, std::streamsize size) {
  const auto room = epptr() - pptr();
  if (size <= room) {
    traits_type::copy(pptr(), data, static_cast<std::size_t>(size));
    pbump(static_cast<int>(size));
    return size;
  }
  // A large piece goes straight out after what is buffered.
  if (sync() != 0 || !WriteAll(data, static_cast<std::size_t>(size))) return 0;
  return size;
}

}  // namespace tarnivel

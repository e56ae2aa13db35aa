#pragma once
// An output stream buffer over a file descriptor that remembers why a write failed (a full
// disk, an I/O error, a closed pipe), so the program can say so instead of exiting 0.

#include <streambuf>
#include <vector>

#include "system/io_error.h"

namespace tarnivel {

class FdOutputBuffer final : public std::streambuf, public RemembersIoError {
 public:
  explicit FdOutputBuffer(int fd);
  ~FdOutputBuffer() override;
  FdOutputBuffer(const FdOutputBuffer&) = delete;
  FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

  int io_error() const override { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  bool WriteAll(const char* data, std::size_t size);

  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

}  // namespace tarnivel

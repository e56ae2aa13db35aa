#pragma once
// An input stream buffer over a file descriptor that hands out whatever the descriptor has
// ready, so a batch on a pipe or a terminal answers each row as it arrives instead of waiting
// for a full buffer. It tells how many bytes can be read without waiting (in_avail()), so that
// a reader can tell a pause in a pipe from more of a file. A failed read ends the input and is
// remembered (io_error()).

#include <streambuf>
#include <vector>

#include "system/io_error.h"

namespace tarnivel {

class FdInputBuffer final : public std::streambuf, public RemembersIoError {
 public:
  // Does not take ownership of `fd` unless `owns` is true.
  explicit FdInputBuffer(int fd, bool owns = false);
  ~FdInputBuffer() override;
  FdInputBuffer(const FdInputBuffer&) = delete;
  FdInputBuffer& operator=(const FdInputBuffer&) = delete;

  int io_error() const override { return error_; }

 protected:
  int_type underflow() override;
  std::streamsize showmanyc() override;
  std::streamsize xsgetn(char* data, std::streamsize size) override;

 private:
  // Reads up to `size` bytes; 0 at the end of the input or after a failed read.
  std::size_t Read(char* data, std::size_t size);

  int fd_;
  bool owns_;
  int error_ = 0;
  std::vector<char> buffer_;
};

}  // namespace tarnivel

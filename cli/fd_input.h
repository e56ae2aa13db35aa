#pragma once
// An input stream buffer over a file descriptor that hands out whatever the descriptor has
// ready, so a batch on a pipe or a terminal answers each row as it arrives instead of waiting
// for a full buffer.

#include <streambuf>
#include <vector>

namespace tarnivel {

class FdInputBuffer final : public std::streambuf {
 public:
  // Does not take ownership of `fd` unless `owns` is true.
  explicit FdInputBuffer(int fd, bool owns = false);
  ~FdInputBuffer() override;
  FdInputBuffer(const FdInputBuffer&) = delete;
  FdInputBuffer& operator=(const FdInputBuffer&) = delete;

 protected:
  int_type underflow() override;

 private:
  int fd_;
  bool owns_;
  std::vector<char> buffer_;
};

}  // namespace tarnivel

#pragma once
// A growable run of bytes that is never filled with zeros and grows by realloc, so that a
// buffer grown for one huge row neither touches memory it has not been given bytes for nor,
// while it grows, holds its old and new copies at once (large blocks are remapped, not copied).

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

namespace tarnivel {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer() { std::free(data_); }
  ByteBuffer(ByteBuffer&& other) noexcept { swap(other); }
  ByteBuffer& operator=(ByteBuffer&& other) noexcept {
    swap(other);
    return *this;
  }
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  char* data() { return data_; }
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }

  // The bytes past size() up to capacity() are there to be written, then kept with Resize.
  void Resize(std::size_t size) { size_ = size; }
  // Makes room for at least `capacity` bytes, keeping the first size(); throws std::bad_alloc.
  void Reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    void* grown = std::realloc(data_, capacity);
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
  }
  // Makes room for `more` bytes after size(), doubling the capacity at least when it grows.
  void Grow(std::size_t more) {
    if (capacity_ - size_ < more) Reserve(std::max(size_ + more, 2 * capacity_));
  }
  // Gives the memory back.
  void Release() { ByteBuffer().swap(*this); }

  void swap(ByteBuffer& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tarnivel

#pragma once
// Stream buffers over file descriptors remember why a read or a write failed, so that a
// failure is reported with its cause and never taken for the end of the input or for success.

#include <streambuf>

namespace tarnivel {

class RemembersIoError {
 public:
  virtual ~RemembersIoError() = default;
  // The errno of the failed read or write; 0 while none has failed.
  virtual int io_error() const = 0;
};

// The errno behind a failure of `buffer`: what it remembers, or 0 for a buffer that does not.
inline int IoErrorOf(const std::streambuf* buffer) {
  const auto* remembers = dynamic_cast<const RemembersIoError*>(buffer);
  return remembers != nullptr ? remembers->io_error() : 0;
}

}  // namespace tarnivel

#pragma once
// A second thread that runs one task at a time while the calling thread does other work: the
// batch computes a block of rows on it while reading the next, then joins in.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tarnivel {

class SecondThread {
 public:
  // Starts a thread; throws std::system_error when the system has none to give.
  SecondThread();
  ~SecondThread();
  SecondThread(const SecondThread&) = delete;
  SecondThread& operator=(const SecondThread&) = delete;

  // Starts `task`; the previous one must have been waited for.
  void Start(std::function<void()> task);
  // Returns once the task started last has finished; throws what it threw (std::bad_alloc).
  void Wait();

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> task_;
  std::exception_ptr thrown_;  // by the task started last
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;  // last, so that it starts once the rest is ready
};

}  // namespace tarnivel

#pragma once
// A second thread that runs one task at a time while the calling thread does other work: the
// batch computes half of each large block of rows on it.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tarnivel {

class SecondThread {
 public:
  SecondThread();
  ~SecondThread();
  SecondThread(const SecondThread&) = delete;
  SecondThread& operator=(const SecondThread&) = delete;

  // Starts `task`; the previous one must have been waited for.
  void Start(std::function<void()> task);
  // Returns once the task started last has finished.
  void Wait();

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> task_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;  // last, so that it starts once the rest is ready
};

}  // namespace tarnivel

// The second thread: it waits for a task, runs it, hands back what it threw, and stops with its
// owner.

#include "system/second_thread.h"

#include <utility>

namespace tarnivel {

SecondThread::SecondThread() : thread_([this] { Loop(); }) {}

SecondThread::~SecondThread() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SecondThread::Start(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    task_ = std::move(task);
    busy_ = true;
  }
  changed_.notify_all();
}

void SecondThread::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (thrown_) std::rethrow_exception(std::exchange(thrown_, nullptr));
}

void SecondThread::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (busy_) {
      std::function<void()> task = std::move(task_);
      lock.unlock();
      std::exception_ptr thrown;
      try {
        task();
      } catch (...) {
        thrown = std::current_exception();
      }
      lock.lock();
      thrown_ = thrown;
      busy_ = false;
      changed_.notify_all();
    } else {
      return;
    }
  }
}

}  // namespace tarnivel

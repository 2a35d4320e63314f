// The side thread on the standard library's threads.
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "render/side_thread.h"

struct SideThread::Shared {
  std::mutex lock;
  std::condition_variable changed;
  Job job = nullptr;
  void* context = nullptr;
  bool busy = false, ending = false;
  std::thread thread;

  void run() {
    std::unique_lock<std::mutex> held(lock);
    for (;;) {
      changed.wait(held, [this] { return busy || ending; });
      if (!busy) return;
      held.unlock();
      job(context);
      held.lock();
      busy = false;
      changed.notify_all();
    }
  }
};

std::unique_ptr<SideThread> SideThread::startIfUseful() {
  if (std::thread::hardware_concurrency() < 2) return nullptr;
  try {
    return std::make_unique<SideThread>();
  } catch (const std::system_error&) {
    return nullptr;  // no thread to be had: one go
  }
}

SideThread::SideThread() : shared_(std::make_unique<Shared>()) {
  shared_->thread = std::thread([s = shared_.get()] { s->run(); });
}

SideThread::~SideThread() {
  {
    std::lock_guard<std::mutex> held(shared_->lock);
    shared_->ending = true;
  }
  shared_->changed.notify_all();
  shared_->thread.join();
}

void SideThread::start(Job job, void* context) {
  {
    std::lock_guard<std::mutex> held(shared_->lock);
    shared_->job = job, shared_->context = context, shared_->busy = true;
  }
  shared_->changed.notify_all();
}

void SideThread::wait() {
  std::unique_lock<std::mutex> held(shared_->lock);
  shared_->changed.wait(held, [this] { return !shared_->busy; });
}

// SideThread: a second thread for work split in two. The caller hands it a
// job, does its own share meanwhile and then waits for it. Nothing is
// allocated per job, so a frame can use it.
#pragma once
#include <memory>

class SideThread {
 public:
  using Job = void (*)(void* context);

  // None where the machine has one core: the work is then done in one go.
  static std::unique_ptr<SideThread> startIfUseful();
  SideThread();
  ~SideThread();  // ends the thread
  SideThread(const SideThread&) = delete;
  SideThread& operator=(const SideThread&) = delete;

  void start(Job job, void* context);
  void wait();  // until the job handed in last is done

  struct Shared;

 private:
  std::unique_ptr<Shared> shared_;
};

// The side thread on Windows' own threads: this toolchain's standard library
// has none.
#include <windows.h>

#include "render/side_thread.h"

struct SideThread::Shared {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
  Job job = nullptr;
  void* context = nullptr;
  bool busy = false, ending = false;
  HANDLE thread = nullptr;

  static DWORD WINAPI main(void* self) {
    static_cast<Shared*>(self)->run();
    return 0;
  }
  void run() {
    AcquireSRWLockExclusive(&lock);
    for (;;) {
      while (!busy && !ending) SleepConditionVariableSRW(&changed, &lock, INFINITE, 0);
      if (!busy) break;
      ReleaseSRWLockExclusive(&lock);
      job(context);
      AcquireSRWLockExclusive(&lock);
      busy = false;
      WakeAllConditionVariable(&changed);
    }
    ReleaseSRWLockExclusive(&lock);
  }
};

std::unique_ptr<SideThread> SideThread::startIfUseful() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  if (system.dwNumberOfProcessors < 2) return nullptr;
  auto side = std::make_unique<SideThread>();
  return side->shared_->thread ? std::move(side) : nullptr;  // no thread: one go
}

SideThread::SideThread() : shared_(std::make_unique<Shared>()) {
  shared_->thread = CreateThread(nullptr, 0, Shared::main, shared_.get(), 0, nullptr);
}

SideThread::~SideThread() {
  if (!shared_->thread) return;
  AcquireSRWLockExclusive(&shared_->lock);
  shared_->ending = true;
  ReleaseSRWLockExclusive(&shared_->lock);
  WakeAllConditionVariable(&shared_->changed);
  WaitForSingleObject(shared_->thread, INFINITE);
  CloseHandle(shared_->thread);
}

void SideThread::start(Job job, void* context) {
  AcquireSRWLockExclusive(&shared_->lock);
  shared_->job = job, shared_->context = context, shared_->busy = true;
  ReleaseSRWLockExclusive(&shared_->lock);
  WakeAllConditionVariable(&shared_->changed);
}

void SideThread::wait() {
  AcquireSRWLockExclusive(&shared_->lock);
  while (shared_->busy) SleepConditionVariableSRW(&shared_->changed, &shared_->lock, INFINITE, 0);
  ReleaseSRWLockExclusive(&shared_->lock);
}

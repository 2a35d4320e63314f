// Keeps a modal message box from outliving or pinning the program. SDL shows
// its X11 box from a child process and waits for it, retrying through every
// signal, so SIGTERM and SIGINT would do nothing while it is up, and a killed
// program would leave the box behind.
#pragma once
#include <csignal>

class ModalBoxGuard {
 public:
  // From now until destruction: SIGTERM and SIGINT end the program with
  // status 1, and any process forked meanwhile dies with this one.
  ModalBoxGuard();
  ~ModalBoxGuard();
  ModalBoxGuard(const ModalBoxGuard&) = delete;
  ModalBoxGuard& operator=(const ModalBoxGuard&) = delete;

 private:
  struct sigaction previousTerm_ {};
  struct sigaction previousInt_ {};
};

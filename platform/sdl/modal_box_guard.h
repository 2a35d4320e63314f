// Keeps a modal message box from outliving or pinning the program. SDL shows
// its X11 box from a child process and waits for it, so a close could not run
// while it is up, and a killed program would leave the box behind.
#pragma once

class ModalBoxGuard {
 public:
  // From now until destruction: SIGTERM, SIGINT and SIGHUP end the program
  // with status 1, and any process forked meanwhile dies with this one.
  ModalBoxGuard();
  ~ModalBoxGuard();
  ModalBoxGuard(const ModalBoxGuard&) = delete;
  ModalBoxGuard& operator=(const ModalBoxGuard&) = delete;
};

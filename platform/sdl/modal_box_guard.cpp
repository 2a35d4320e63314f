// Fork handling around a modal box; the watchdog's signal handlers do the rest.
#include "platform/sdl/modal_box_guard.h"

#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "platform/linux/watchdog.h"

namespace {

volatile sig_atomic_t g_guarding = 0;
pid_t g_parent = 0;

// Runs in every child forked while a box is up, before it does anything else.
void tieChildToParent() {
  if (!g_guarding) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != g_parent) _exit(1);  // the parent died before the line above
}

void installForkHandlerOnce() {
  static const bool installed = pthread_atfork(nullptr, nullptr, tieChildToParent) == 0;
  (void)installed;
}

}  // namespace

ModalBoxGuard::ModalBoxGuard() {
  installForkHandlerOnce();
  g_parent = getpid();
  g_guarding = 1;
  setModalBoxUp(true);
}

ModalBoxGuard::~ModalBoxGuard() {
  setModalBoxUp(false);
  g_guarding = 0;
}

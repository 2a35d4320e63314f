// Signals and fork handling around a modal box.
#include "platform/sdl/modal_box_guard.h"

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_guarding = 0;
pid_t g_parent = 0;

// Runs in every child forked while a box is up, before it does anything else.
void tieChildToParent() {
  if (!g_guarding) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != g_parent) _exit(1);  // the parent died before the line above
}

void endProgram(int) { _exit(1); }

void installForkHandlerOnce() {
  static const bool installed = pthread_atfork(nullptr, nullptr, tieChildToParent) == 0;
  (void)installed;
}

}  // namespace

ModalBoxGuard::ModalBoxGuard() {
  installForkHandlerOnce();
  g_parent = getpid();
  g_guarding = 1;
  struct sigaction end{};
  end.sa_handler = endProgram;
  sigemptyset(&end.sa_mask);
  sigaction(SIGTERM, &end, &previousTerm_);
  sigaction(SIGINT, &end, &previousInt_);
}

ModalBoxGuard::~ModalBoxGuard() {
  sigaction(SIGTERM, &previousTerm_, nullptr);
  sigaction(SIGINT, &previousInt_, nullptr);
  g_guarding = 0;
}

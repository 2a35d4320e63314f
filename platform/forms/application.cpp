// The message loop. Ticks are deadlines inside it: it waits for the next
// event no longer than the earliest armed timer allows, and works off every
// waiting event before a tick.
#include "platform/forms/application.h"

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"
#include "platform/forms/runtime.h"

namespace {
TApplication g_application;
}

TApplication* Application = &g_application;

TApplication::~TApplication() { DestroyForms(); }

void TApplication::Initialize() {
  windowBackend().initialize();
  FormatSettings = userFormatSettings();
}

void TApplication::FormDeleter::operator()(TForm* form) const {
  form->~TForm();
  std::free(form);
}

void TApplication::adoptForm(TForm* form) {
  forms_.emplace_back(form);
  if (!mainForm_) mainForm_ = form;
}

void TApplication::DestroyForms() {
  forms_.clear();
  mainForm_ = nullptr;
}

void TApplication::RemoveTimer(TTimer* timer) { std::erase(timers_, timer); }

TTimer* TApplication::nextTimer() const {
  TTimer* next = nullptr;
  for (TTimer* timer : timers_)
    if (timer->Armed() && (!next || timer->DueAt() < next->DueAt())) next = timer;
  return next;
}

void TApplication::dispatch(const WindowEvent& event) {
  if (!event.window) {  // a request for the whole program, such as SIGINT
    if (event.kind == WindowEvent::Kind::Close && mainForm_) mainForm_->Close();
    return;
  }
  for (const auto& form : forms_)
    if (!form->Closed() && form->Handle() == event.window) return form->HandleEvent(event);
}

void TApplication::Run() {
  if (!mainForm_ || mainForm_->Closed()) return;
  mainForm_->Show();
  WindowBackend& backend = windowBackend();
  backend.setDueWork([this] { return workOffDue(); });
  WindowEvent event;
  while (!mainForm_->Closed()) {
    const int64_t wait = workOffDue();
    if (!mainForm_->Closed() && backend.waitEvent(wait, event)) dispatch(event);
  }
  backend.setDueWork(nullptr);
}

// Every waiting event before the next tick: handling one costs little, and
// a close or a minimise is seen before any frame is drawn. Returns the wait
// until the next tick, negative for none.
int64_t TApplication::workOffDue() {
  WindowBackend& backend = windowBackend();
  WindowEvent event;
  while (!mainForm_->Closed()) {
    if (backend.waitEvent(0, event)) {
      dispatch(event);
      continue;
    }
    idle();
    TTimer* timer = nextTimer();
    if (!timer) return -1;
    const int64_t wait = timer->DueAt() - backend.nowUs();
    if (wait > 0) return wait;
    timer->Fire();
  }
  return -1;
}

// The queue is empty: what the events left for the screen goes there now.
void TApplication::idle() {
  for (const auto& form : forms_)
    if (!form->Closed()) form->ShowCaption();
}

void TApplication::ShowException(const Exception& e) {
  windowBackend().endIfDisplayLost();
  std::fprintf(stderr, "galaxy: %s\n", e.what());
  windowBackend().showMessageBox(e.what(), title_);
}

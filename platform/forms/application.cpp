// The message loop. Ticks are deadlines inside it: it waits for the next
// event no longer than the earliest armed timer allows.
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
  while (!mainForm_->Closed()) {
    TTimer* timer = nextTimer();
    const int64_t wait = timer ? std::max<int64_t>(0, timer->DueAt() - backend.nowUs()) : -1;
    if (wait == 0) {
      timer->Fire();
      continue;
    }
    WindowEvent event;
    if (backend.waitEvent(wait, event)) dispatch(event);
  }
}

void TApplication::ShowException(const Exception& e) {
  std::fprintf(stderr, "galaxy: %s\n", e.what());
  windowBackend().showMessageBox(e.what(), title_);
}

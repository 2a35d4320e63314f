// The application object: initialisation, form creation, the message loop
// that dispatches window events and timer ticks one at a time, and the
// report of an exception.
#pragma once
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/timer.h"

class TApplication : public TComponent {
 public:
  TApplication() : TComponent(nullptr) {}
  ~TApplication() override;

  // Opens the display through the window backend; throws Exception if it cannot.
  void Initialize();

  // Allocates a zero-filled T on the heap, runs its constructor, raises its
  // create event, then stores it in place. The first form is the main form.
  template <class T>
  void CreateForm(T*& place);

  // Shows the main form, then dispatches events and ticks until it has closed.
  void Run();

  // Shows the message: on standard error, and in a box when one can be shown.
  void ShowException(const Exception& e);

  TForm* MainForm() const { return mainForm_; }
  void SetIcon(const IconImage& icon) { icon_ = icon; }
  const IconImage& Icon() const { return icon_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Destroys every form; the next one created becomes the main form.
  void DestroyForms();

  void AddTimer(TTimer* timer) { timers_.push_back(timer); }
  void RemoveTimer(TTimer* timer);

 private:
  struct FormDeleter {
    void operator()(TForm* form) const;
  };

  void adoptForm(TForm* form);
  TTimer* nextTimer() const;
  int64_t workOffDue();
  void dispatch(const WindowEvent& event);
  void idle();

  std::vector<std::unique_ptr<TForm, FormDeleter>> forms_;
  std::vector<TTimer*> timers_;
  TForm* mainForm_ = nullptr;
  IconImage icon_;
  std::string title_ = "Galaxy";
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& place) {
  static_assert(alignof(T) <= alignof(std::max_align_t), "CreateForm cannot align this form class");
  void* memory = std::calloc(1, sizeof(T));
  if (!memory) throw std::bad_alloc();
  T* form = nullptr;
  try {
    form = new (memory) T(this);
  } catch (...) {
    std::free(memory);
    throw;
  }
  adoptForm(form);
  // Fields and the create event come after the whole constructor has run.
  form->AfterConstruction();
  form->DoCreate();
  place = form;
}

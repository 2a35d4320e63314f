// The entry point: initialise, create the window, run the message loop.
#include <cstdio>

#include "app/main_icon.h"
#include "app/mainview.h"
#include "platform/forms/application.h"

int main() {
  bool failed = false;
  try {
    Application->Initialize();
    Application->SetIcon(mainIcon());
    Application->CreateForm(mainWindow);
    Application->Run();
  } catch (const Exception& e) {
    Application->ShowException(e);
    failed = true;
  }
  // A window that could not draw was reported already; say so in the status too.
  if (mainWindow && mainWindow->setupFailed) failed = true;
  return failed ? 1 : 0;
}

// On Windows: the Win32 backend, the reason of a failed WGL call, and the
// user's decimal separator from the regional settings.
#include <string>

#include "platform/forms/runtime.h"
#include "platform/platform.h"
#include "platform/wgl.h"
#include "platform/win32/win32_window.h"
#include "platform/win32/win32_window_state.h"

WindowBackend& windowBackend() {
  static Win32WindowBackend backend;
  return backend;
}

std::string lastWglError() {
  const DWORD code = GetLastError();
  if (code == 0) return "WGL: no reason given";
  wchar_t* text = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = text ? utf8Text(text) : "";
  LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
  return "WGL: " + (reason.empty() ? "error" : reason) + " (" + std::to_string(code) + ")";
}

TFormatSettings userFormatSettings() {
  TFormatSettings settings;
  wchar_t separator[LOCALE_NAME_MAX_LENGTH] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, LOCALE_NAME_MAX_LENGTH) > 1)
    settings.DecimalSeparator = utf8Text(separator);
  return settings;
}

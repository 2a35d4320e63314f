// The decimal separator of the browser's language, as the desktop takes it
// from the user's locale.
#include <emscripten.h>

#include "platform/forms/runtime.h"

EM_JS(void, browserDecimalSeparator, (char* text, int size), {
  const part = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find(p => p.type === 'decimal');
  stringToUTF8(part ? part.value : '.', text, size);
});

TFormatSettings userFormatSettings() {
  TFormatSettings settings;
  char separator[16];
  browserDecimalSeparator(separator, sizeof separator);
  if (*separator) settings.DecimalSeparator = separator;
  return settings;
}

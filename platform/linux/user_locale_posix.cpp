// The user's decimal separator from the POSIX locale (LC_NUMERIC, LANG, ...).
#include <langinfo.h>
#include <locale.h>

#include "platform/forms/runtime.h"

TFormatSettings userFormatSettings() {
  TFormatSettings settings;
  locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return settings;  // unknown locale: keep the full stop
  const char* separator = nl_langinfo_l(RADIXCHAR, user);
  if (separator && *separator) settings.DecimalSeparator = separator;
  freelocale(user);
  return settings;
}

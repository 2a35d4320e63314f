// Sign and FormatFloat. FormatFloat rounds on the exact decimal expansion of
// the value, so a value just below a rounding tie never rounds up by accident.
#include "platform/forms/runtime.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <vector>

TFormatSettings FormatSettings;

int32_t Sign(int32_t value) { return (value > 0) - (value < 0); }

namespace {

int decimalsOf(std::string_view pattern) {
  const size_t point = pattern.find('.');
  assert(pattern.find_first_not_of("0.") == std::string_view::npos && "FormatFloat: only 0 and . patterns");
  return point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string FormatFloat(std::string_view pattern, long double value, const TFormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const int decimals = decimalsOf(pattern);
  // A long double above 2^-136 has at most 200 fractional digits, so this
  // expansion is exact; anything smaller rounds to zero either way. With the
  // exact digits, the one after the last kept digit decides alone.
  const int precision = decimals + 200;
  std::vector<char> text(5000 + static_cast<size_t>(precision));
  std::snprintf(text.data(), text.size(), "%.*Lf", precision, std::fabs(value));
  const std::string all(text.data());
  const size_t point = all.find('.');
  std::string digits = all.substr(0, point) + all.substr(point + 1, static_cast<size_t>(decimals));
  const char next = all[point + 1 + static_cast<size_t>(decimals)];
  if (next >= '5') incrementDigits(digits);
  const size_t integerDigits = digits.size() - static_cast<size_t>(decimals);
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !zero) ? "-" : "";
  out += digits.substr(0, integerDigits);
  if (decimals > 0) out += settings.DecimalSeparator + digits.substr(integerDigits);
  return out;
}

// The runtime library's number helpers: Sign and FormatFloat, with the
// decimal separator of the user's locale.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct TFormatSettings {
  std::string DecimalSeparator = ".";
};

// Read once by Application->Initialize(); a full stop until then.
extern TFormatSettings FormatSettings;

// The decimal separator of the user's own settings (the POSIX locale, or
// Windows' regional settings), read without changing the program's locale.
TFormatSettings userFormatSettings();

// -1, 0 or +1.
int32_t Sign(int32_t value);

// Picture formatting for patterns of the form "0", "0.0", "0.00", ...: at least
// one integer digit, exactly as many decimals as the pattern has zeros after
// its point, rounded to nearest with ties away from zero, a minus sign only
// when the rounded value is not zero, no digit grouping.
std::string FormatFloat(std::string_view pattern, long double value,
                        const TFormatSettings& settings = FormatSettings);

#pragma once
// Number reading and writing for the instrument's command texts. Both are
// independent of the process locale, so a decimal point is always a full
// stop on the wire whatever the operator's language settings are.

#include <cstdint>
#include <string>
#include <string_view>

// The leading decimal number of a text: leading blanks are skipped, an
// optional sign, digits, a fraction and an exponent are read, and reading
// stops at the first character that cannot continue the number. 0 when the
// text does not begin with a number.
double LeadingNumber(std::string_view text);

// The leading number passed through single precision.
float LeadingFloat(std::string_view text);

// The leading number through single precision with its fraction cut off
// towards zero; values beyond the 32-bit range are held at its ends and a
// value that is not a number gives 0.
int32_t LeadingInt(std::string_view text);

// A single-precision value cut towards zero to a 32-bit integer, held at the
// ends of the range; not-a-number gives 0.
int32_t TruncateToInt(float value);

// The value written with a fixed number of decimals, as "%.Nf" writes it in
// the C locale ("nan" and "inf" for the special values).
std::string FormatFixed(double value, int decimals);

#pragma once
// Leading numbers of instrument text, read the way the instrument's lines
// are meant: blanks (any white space) skipped, an optional sign, digits, a
// decimal point and an exponent; reading stops at the first other character
// (a comma, a CR, "*") and gives 0 when no number is there. Never locale
// dependent, never past `end`.

#include <cstdint>
#include <string_view>

// The leading decimal number of [text, end). A number too large for a double
// reads as plus or minus infinity, one too small as 0.
double ReadLeadingNumber(const char* text, const char* end);
inline double ReadLeadingNumber(std::string_view text)
{
    return ReadLeadingNumber(text.data(), text.data() + text.size());
}

// The leading decimal integer of [text, end): blanks, a sign and digits;
// anything after the digits (a decimal point too) ends it. Saturates at the
// int32 limits.
int32_t ReadLeadingInteger(const char* text, const char* end);
inline int32_t ReadLeadingInteger(std::string_view text)
{
    return ReadLeadingInteger(text.data(), text.data() + text.size());
}

// The number that starts `offset` characters into `text`; 0 when that lies
// at or past the end of the text.
double ReadNumberAt(std::string_view text, size_t offset);

// A double narrowed to single precision; values beyond the float range
// become plus or minus infinity.
float ToSingle(double value);

// Truncation toward zero that never overflows: NaN gives 0, values beyond
// the int32 range give the nearest limit.
int32_t TruncateToInt32(double value);

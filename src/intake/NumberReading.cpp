#include "intake/NumberReading.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipBlanks(const char* p, const char* end)
{
    while (p < end && IsBlank(*p))
        ++p;
    return p;
}

// Rough decimal magnitude of an out-of-range number: positive for a huge one,
// negative for a tiny one.
long DecimalMagnitude(const char* mantissa, const char* mantissaEnd, long exponent)
{
    long magnitude = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    for (const char* p = mantissa; p < mantissaEnd; ++p) {
        if (*p == '.') {
            afterPoint = true;
            continue;
        }
        if (!seenNonZero && *p == '0') {
            if (afterPoint)
                --magnitude;
            continue;
        }
        if (!seenNonZero && *p != '0')
            seenNonZero = true;
        if (!afterPoint)
            ++magnitude;
    }
    return magnitude + exponent;
}

}  // namespace

double ReadLeadingNumber(const char* text, const char* end)
{
    const char* p = SkipBlanks(text, end);
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* mantissa = p;
    int digits = 0;
    while (p < end && IsDigit(*p)) {
        ++p;
        ++digits;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && IsDigit(*p)) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    const char* mantissaEnd = p;
    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (q < end && (*q == '+' || *q == '-')) {
            negativeExponent = *q == '-';
            ++q;
        }
        if (q < end && IsDigit(*q)) {
            while (q < end && IsDigit(*q)) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            if (negativeExponent)
                exponent = -exponent;
            p = q;
        }
    }
    double value = 0.0;
    const auto [stop, error] = std::from_chars(mantissa, p, value, std::chars_format::general);
    (void)stop;
    if (error == std::errc::result_out_of_range)
        value = DecimalMagnitude(mantissa, mantissaEnd, exponent) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    else if (error != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

int32_t ReadLeadingInteger(const char* text, const char* end)
{
    const char* p = SkipBlanks(text, end);
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (p < end && IsDigit(*p)) {
        value = value * 10 + (*p - '0');
        if (value > kLimit)
            value = kLimit;
        ++p;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        value = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

double ReadNumberAt(std::string_view text, size_t offset)
{
    if (offset >= text.size())
        return 0.0;
    return ReadLeadingNumber(text.substr(offset));
}

float ToSingle(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (value > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (value < std::numeric_limits<float>::lowest())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

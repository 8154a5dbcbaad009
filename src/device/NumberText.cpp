#include "device/NumberText.h"

#include "intake/NumberReading.h"

#include <charconv>
#include <cmath>
#include <limits>

double LeadingNumber(std::string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' ||
                                 text[pos] == '\r' || text[pos] == '\v' || text[pos] == '\f'))
        ++pos;
    // from_chars takes a minus sign but no plus sign.
    if (pos < text.size() && text[pos] == '+') {
        ++pos;
        if (pos < text.size() && text[pos] == '-')
            return 0.0;
    }
    double value = 0.0;
    const char* first = text.data() + pos;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small to hold: read as infinity or zero, as the
        // C conversion does.
        const bool negative = pos < text.size() && text[pos] == '-';
        double magnitude = 0.0;
        const std::string_view digits = text.substr(pos + (negative ? 1 : 0));
        const size_t e = digits.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < digits.size() &&
                          digits[e + 1] == '-';
        magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -magnitude : magnitude;
    }
    if (error != std::errc() || end == first)
        return 0.0;
    return value;
}

float LeadingFloat(std::string_view text)
{
    return static_cast<float>(LeadingNumber(text));
}

int32_t TruncateToInt(float value)
{
    // Every float is exact as a double, so the instrument lines' rule holds.
    return TruncateToInt32(value);
}

int32_t LeadingInt(std::string_view text)
{
    return TruncateToInt(LeadingFloat(text));
}

std::string FormatFixed(double value, int decimals)
{
    // Enough for the largest double written with all its integer digits.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return {};
    return std::string(buffer, end);
}

#include "display/RangeRules.h"

#include <cctype>
#include <charconv>
#include <cmath>

float LeadingDecimal(const std::string& text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t mantissa = i;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0f;
    // An exponent counts only with at least one digit.
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < n && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + mantissa, text.data() + i, value);
    if (result.ec == std::errc::result_out_of_range)
        value = HUGE_VAL;  // a tiny exponent also lands here; both are harmless
    if (result.ec == std::errc::invalid_argument)
        value = 0.0;
    return static_cast<float>(negative ? -value : value);
}

int64_t SamplesShown(const std::string& rangeText, float resolution, int32_t nSamples,
                     int32_t rangeMm)
{
    const float r = LeadingDecimal(rangeText);
    const double quotient = static_cast<double>(r) * 1000.0 / static_cast<double>(resolution);
    // A quotient that is no finite number (resolution 0) counts as below 1.
    int64_t s = 0;
    if (std::isfinite(quotient))
        s = static_cast<int64_t>(std::fmax(std::fmin(quotient, 9.0e15), -9.0e15));
    if (rangeText.find("Auto") != std::string::npos)
        s = nSamples;
    if (rangeMm > 45000)
        s = 2 * s;
    if (s < 1)
        s = 1000;
    return s < kMaxSamplesShown ? s : kMaxSamplesShown;
}

float DepthRangeMetres(const std::string& rangeText, int32_t rangeMm)
{
    float r = 0.0f;
    if (rangeText.find("Auto") != std::string::npos)
        r = static_cast<float>(rangeMm / 1000);
    else
        r = LeadingDecimal(rangeText);
    if (!(r > 0.0f))
        r = 20.0f;
    return r;
}

float DepthStep(float rangeMetres)
{
    float step = 0.5f;
    if (rangeMetres > 3.0f)
        step = 1.0f;
    if (rangeMetres > 6.0f)
        step = 2.0f;
    if (rangeMetres > 10.0f)
        step = 5.0f;
    if (rangeMetres > 30.0f)
        step = 10.0f;
    return step;
}

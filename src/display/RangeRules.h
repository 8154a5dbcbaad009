#pragma once
// How much of a ping the display shows: the number read from the Range
// list's text, the samples over the echogram height and the depth grid step.

#include <cstdint>
#include <string>

// The decimal number at the start of a text (leading white space, sign,
// digits, decimal point, exponent), in single precision; 0 when the text
// starts with no number. Reads only decimal forms and ignores the locale.
float LeadingDecimal(const std::string& text);

// Slots shown over the echogram height, S: from the Range text and the slot
// size `resolution` (mm per slot), the sample count for "Auto", doubled above
// 45000 mm (two slots per sample there); 1000 when that gives less than 1 or
// no finite number. Never above kMaxSamplesShown, so the arithmetic after it
// stays finite.
inline constexpr int64_t kMaxSamplesShown = int64_t{1} << 40;
int64_t SamplesShown(const std::string& rangeText, float resolution, int32_t nSamples,
                     int32_t rangeMm);

// Depth range R in metres for the depth grid: Range_mm / 1000 (whole metres)
// for "Auto", otherwise the text's number; 20 when not positive.
float DepthRangeMetres(const std::string& rangeText, int32_t rangeMm);

// Depth grid step in metres: 0.5, 1 above 3 m, 2 above 6, 5 above 10, 10
// above 30.
float DepthStep(float rangeMetres);

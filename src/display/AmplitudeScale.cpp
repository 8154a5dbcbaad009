#include "display/AmplitudeScale.h"

#include <cmath>

float ScaleValue(float a, bool linear)
{
    if (linear)
        return a * 0.25f;
    if (a < 0.0f)
        a = 0.0f;
    if (a > 1023.0f)
        a = 1023.0f;
    else if (a < 1.0f)
        a = 1.0f;
    // 256/60: 60 dB span the 256 indexes.
    const float logarithm = static_cast<float>(std::log10(static_cast<double>(a)));
    const float decibels = 20.0f * logarithm;
    return static_cast<float>(static_cast<double>(decibels) * 4.266666666666667);
}

int32_t PaletteIndex(int32_t v, bool linear)
{
    float x = ScaleValue(static_cast<float>(v), linear);
    if (x < 0.0f)
        x = 0.0f;
    if (x > 255.0f)
        x = 255.0f;
    return static_cast<int32_t>(x);
}

IndexTable::IndexTable(bool linear)
{
    for (int32_t v = 0; v < kAmplitudeFullScale; ++v) {
        m_Index[v] = PaletteIndex(v, linear);
        m_Bytes[v] = static_cast<uint8_t>(m_Index[v]);
    }
}

namespace {

const IndexTable kDecibelTable(false);
const IndexTable kLinearTable(true);

}  // namespace

const IndexTable& IndexTableFor(bool linear)
{
    return linear ? kLinearTable : kDecibelTable;
}

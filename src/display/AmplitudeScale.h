#pragma once
// Amplitude scales: a stored amplitude (converter counts, 0..1023 full scale)
// becomes a palette index 0 (no echo) .. 255 (strongest echo), linearly or in
// decibels over 60 dB. Every intermediate result is held in single precision,
// so the indexes match the instrument's own software bit for bit.

#include <cstdint>

inline constexpr int kAmplitudeFullScale = 1024;

// The scale position of a real amplitude, not limited to 0..255.
float ScaleValue(float a, bool linear);

// The palette index 0..255 of a stored amplitude.
int32_t PaletteIndex(int32_t v, bool linear);

// PaletteIndex for every amplitude, by table: both scales saturate below 0
// and above 1023, so 1024 entries cover the whole int32 range. The index
// never decreases as the amplitude grows, which lets the renderer take the
// strongest amplitude of a span first and look it up once.
class IndexTable {
public:
    explicit IndexTable(bool linear);
    static int32_t Clamp(int32_t v)
    {
        return v < 0 ? 0 : (v > kAmplitudeFullScale - 1 ? kAmplitudeFullScale - 1 : v);
    }
    int32_t operator()(int32_t v) const { return m_Index[Clamp(v)]; }
    const int32_t* Data() const { return m_Index; }
    // The same indexes as bytes (every index fits in 0..255).
    const uint8_t* Bytes() const { return m_Bytes; }

private:
    int32_t m_Index[kAmplitudeFullScale];
    uint8_t m_Bytes[kAmplitudeFullScale];
};

// The table of each scale, built once when the program starts rather than at
// every redraw.
const IndexTable& IndexTableFor(bool linear);

#pragma once
// Display palettes: the two rainbow tables, the choice of palette from the
// Color Palette list's text and the 256-entry colour planes built from it.

#include <cstdint>
#include <string>

inline constexpr int kPaletteSize = 256;
inline constexpr int kRainbowEntries = 115;

// Palette choices, as kept in the controller's m_PaletteChoice.
inline constexpr int32_t kRainbowWhite = 0;
inline constexpr int32_t kRainbowBlack = 1;
inline constexpr int32_t kGray = 2;
inline constexpr int32_t kGrayInverse = 3;

struct RgbEntry {
    int32_t r;
    int32_t g;
    int32_t b;
};

// Entry 0 is the strongest echo; the last entries fade into the background
// that names the table.
extern const RgbEntry RainbowWhite[kRainbowEntries];
extern const RgbEntry RainbowBlack[kRainbowEntries];

// Looks for "White", "Black", "Gray" and "Inverse" in that order
// (case-sensitive); each word found overrides the choice made so far. A text
// without any of them keeps `current`.
int32_t PaletteChoiceFromText(const std::string& text, int32_t current);

// Fills the red, green and blue planes for a palette choice. A choice outside
// 0..3 leaves the planes as they are.
void FillPalette(int32_t choice, int32_t planes[3][kPaletteSize]);

// The colours of the planes as 0xffRRGGBB pixels (components clamped to
// 0..255), ready to be written into an RGB32 image.
void PaletteColours(const int32_t planes[3][kPaletteSize], uint32_t colours[kPaletteSize]);

inline constexpr uint32_t PackRgb(int32_t r, int32_t g, int32_t b)
{
    return 0xff000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

#include "display/Palette.h"

#include <algorithm>

namespace {

// Entries 0..110 are shared by both rainbows: dark red through orange,
// yellow and green to blue and violet.
#define PELAGRIX_RAINBOW_COMMON                                                                \
    {220, 0, 0}, {201, 31, 22}, {202, 35, 22}, {204, 42, 19}, {208, 56, 21}, {204, 54, 21},     \
        {210, 61, 22}, {211, 72, 16}, {212, 75, 13}, {217, 88, 14}, {217, 91, 15},              \
        {218, 95, 14}, {219, 100, 13}, {221, 104, 11}, {220, 110, 13}, {227, 117, 9},           \
        {231, 134, 11}, {230, 134, 1}, {237, 158, 10}, {241, 166, 10}, {241, 173, 6},           \
        {238, 173, 0}, {247, 189, 0}, {245, 182, 0}, {249, 198, 15}, {252, 207, 3},             \
        {251, 213, 10}, {252, 229, 3}, {246, 230, 10}, {237, 228, 0}, {230, 226, 9},            \
        {223, 220, 9}, {216, 219, 9}, {206, 213, 0}, {197, 211, 0}, {190, 210, 15},             \
        {181, 204, 10}, {176, 197, 15}, {165, 197, 15}, {159, 196, 13}, {152, 193, 0},          \
        {143, 187, 12}, {146, 192, 14}, {127, 181, 19}, {128, 184, 18}, {119, 179, 18},         \
        {113, 179, 14}, {111, 178, 15}, {105, 172, 18}, {105, 176, 17}, {85, 164, 28},          \
        {90, 170, 29}, {78, 164, 29}, {71, 164, 30}, {58, 155, 32}, {52, 155, 38},              \
        {51, 156, 30}, {45, 156, 31}, {43, 155, 34}, {32, 148, 38}, {27, 147, 36},              \
        {24, 148, 37}, {3, 147, 49}, {0, 140, 51}, {9, 141, 58}, {8, 131, 67}, {12, 140, 75},   \
        {0, 132, 74}, {4, 141, 92}, {14, 140, 98}, {8, 141, 108}, {0, 140, 124},                \
        {8, 147, 148}, {5, 148, 157}, {11, 141, 148}, {9, 148, 166}, {0, 157, 190},             \
        {8, 148, 182}, {13, 155, 196}, {0, 157, 207}, {21, 155, 212}, {31, 154, 215},           \
        {20, 141, 198}, {29, 147, 209}, {20, 124, 181}, {13, 132, 196}, {12, 123, 187},         \
        {13, 115, 179}, {16, 108, 172}, {3, 99, 163}, {19, 90, 158}, {8, 82, 147},              \
        {10, 83, 151}, {9, 74, 145}, {13, 66, 132}, {6, 67, 138}, {13, 57, 129}, {17, 50, 121}, \
        {18, 49, 121}, {21, 44, 116}, {24, 42, 113}, {24, 35, 105}, {27, 26, 95},               \
        {24, 28, 103}, {29, 26, 98}, {29, 18, 89}, {30, 16, 89}, {35, 14, 89}, {48, 13, 90},    \
        {49, 12, 90}, {58, 11, 89}

}  // namespace

const RgbEntry RainbowWhite[kRainbowEntries] = {
    PELAGRIX_RAINBOW_COMMON,
    {160, 160, 160}, {200, 200, 200}, {200, 200, 200}, {255, 255, 255},
};

const RgbEntry RainbowBlack[kRainbowEntries] = {
    PELAGRIX_RAINBOW_COMMON,
    {30, 30, 30}, {20, 20, 20}, {10, 10, 10}, {0, 0, 0},
};

#undef PELAGRIX_RAINBOW_COMMON

int32_t PaletteChoiceFromText(const std::string& text, int32_t current)
{
    static constexpr struct {
        const char* word;
        int32_t choice;
    } kWords[] = {{"White", kRainbowWhite}, {"Black", kRainbowBlack}, {"Gray", kGray},
                  {"Inverse", kGrayInverse}};
    int32_t choice = current;
    for (const auto& w : kWords) {
        if (text.find(w.word) != std::string::npos)
            choice = w.choice;
    }
    return choice;
}

void FillPalette(int32_t choice, int32_t planes[3][kPaletteSize])
{
    if (choice == kRainbowWhite || choice == kRainbowBlack) {
        const RgbEntry* table = choice == kRainbowWhite ? RainbowWhite : RainbowBlack;
        // 256/115 rounded to single precision, divided in double precision:
        // each table entry covers two or three neighbouring indexes.
        const double divisor = static_cast<double>(256.0f / 115.0f);
        for (int i = 0; i < kPaletteSize; ++i) {
            const int k = std::min(static_cast<int>(i / divisor), kRainbowEntries - 1);
            const RgbEntry& e = table[k];
            planes[0][255 - i] = e.r;
            planes[1][255 - i] = e.g;
            planes[2][255 - i] = e.b;
        }
    } else if (choice == kGray || choice == kGrayInverse) {
        for (int i = 0; i < kPaletteSize; ++i) {
            const int32_t level = choice == kGray ? 255 - i : i;
            planes[0][i] = planes[1][i] = planes[2][i] = level;
        }
    }
}

void PaletteColours(const int32_t planes[3][kPaletteSize], uint32_t colours[kPaletteSize])
{
    for (int i = 0; i < kPaletteSize; ++i) {
        colours[i] = PackRgb(std::clamp(planes[0][i], 0, 255), std::clamp(planes[1][i], 0, 255),
                             std::clamp(planes[2][i], 0, 255));
    }
}

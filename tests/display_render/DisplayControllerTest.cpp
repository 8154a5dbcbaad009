// The echogram display on the started main window: RenderEchogram reading
// PingHistory, DeviceParams and the list texts into layer 0, and the
// composition of the layers by the display area's paint handler. Pixels and
// geometry only, never glyph shapes.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstring>
#include <string>

#include "app/PingHistory.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

namespace {

constexpr int W = kDisplayWidth;
constexpr int H = kDisplayHeight;
constexpr int kLastColumn = W - 151;
constexpr QRgb kKey = 0xffccccccu;
constexpr QRgb kGrid = 0xff646464u;

QRgb Grey(int level)
{
    return qRgb(level, level, level);
}

class Display : public ::testing::Test {
protected:
    CVessaDlg& dlg = StartedMainWindow();

    void SetUp() override
    {
        for (int r = 0; r < kPingRowsInUse; ++r)
            std::memset(PingHistory[r], 0, sizeof PingHistory[r]);
        dlg.last_ping = 0;
        dlg.DeviceParams = {};
        dlg.DeviceParams.Range_mm = 10000;
        dlg.DeviceParams.NSamples = 856;  // Auto: 2 slots per pixel row
        dlg.DeviceParams.Resolution = 10.0f;
        dlg.DeviceParams.Threshold = 100;
        dlg.SetControlText(Id::DisplayRange, "Auto Range");
        dlg.SetControlText(Id::DataScale, "Linear Scale");
        dlg.SetControlText(Id::DataOutput, "Max  Amplitude");
        // Index i shows as (i, i, i).
        dlg.SetControlText(Id::ColorPalette, "Gray Inverse");
        dlg.BuildPalette();
    }

    QRgb Echo(int x, int y) const { return dlg.m_Layers[0].pixel(x, y); }

    QImage Composed()
    {
        QImage shown(W, H, QImage::Format_RGB32);
        shown.fill(Qt::magenta);
        QPainter painter(&shown);
        dlg.PaintDisplay(painter);
        return shown;
    }

    void FillRow(int row, int32_t amplitude)
    {
        for (int s = 0; s < kPingHistorySlots; ++s)
            PingHistory[row][s] = amplitude;
    }
};

TEST_F(Display, LayersHaveTheDisplayAreasSize)
{
    dlg.RenderEchogram();
    for (const QImage& layer : dlg.m_Layers) {
        EXPECT_EQ(layer.size(), QSize(W, H));
        EXPECT_EQ(layer.format(), QImage::Format_RGB32);
    }
    EXPECT_EQ(dlg.Control(Id::Display)->size(), QSize(W, H));
}

TEST_F(Display, LastColumnShowsTheNewestPing)
{
    FillRow(999, 1023);
    dlg.RenderEchogram();
    EXPECT_EQ(Echo(kLastColumn, 100), Grey(255));
    EXPECT_EQ(Echo(kLastColumn - 1, 100), Grey(0));

    dlg.last_ping = 1;
    dlg.RenderEchogram();
    EXPECT_EQ(Echo(kLastColumn, 100), Grey(0));  // row 0 now
    EXPECT_EQ(Echo(kLastColumn - 1, 100), Grey(255));
    EXPECT_EQ(Echo(40, 100), Grey(0));
}

TEST_F(Display, SamplesFromTheRangeText)
{
    // " 1 m" at 7.5 mm per slot: 133 slots over 428 rows; slot 132 shows
    // on the last three rows only.
    dlg.SetControlText(Id::DisplayRange, " 1 m");
    dlg.DeviceParams.Resolution = 7.5f;
    PingHistory[999][132] = 1023;
    dlg.RenderEchogram();
    EXPECT_EQ(Echo(kLastColumn, 454), Grey(0));
    EXPECT_EQ(Echo(kLastColumn, 455), Grey(255));
    EXPECT_EQ(Echo(kLastColumn, 457), Grey(255));

    // "Auto" with 7500 samples above 45000 mm: the whole row of 15000 slots,
    // its last slot on the last pixel row.
    dlg.SetControlText(Id::DisplayRange, "Auto Range");
    dlg.DeviceParams.NSamples = 7500;
    dlg.DeviceParams.Range_mm = 60000;
    PingHistory[999][132] = 0;
    PingHistory[999][14999] = 1023;
    dlg.RenderEchogram();
    EXPECT_EQ(Echo(kLastColumn, 456), Grey(0));
    EXPECT_EQ(Echo(kLastColumn, 457), Grey(255));
}

TEST_F(Display, ModesFollowTheListTexts)
{
    // Slots 0 and 1 hold linear indexes 10 and 20.
    PingHistory[999][0] = 40;
    PingHistory[999][1] = 80;
    const struct {
        const char* output;
        const char* scale;
        int32_t mean;
        int32_t linear;
        int index;
    } cases[] = {
        {"Mean Amplitude", "Linear Scale", 1, 1, 13},
        {"Max  Amplitude", "Linear Scale", 0, 1, 20},
        {"mean amplitude", "linear", 0, 0, 162},  // case-sensitive: max of dB 136 and 162
        {"Mean", "dB Scale", 1, 0, (136 + 136 + 162) / 3},
    };
    for (const auto& c : cases) {
        dlg.SetControlText(Id::DataOutput, c.output);
        dlg.SetControlText(Id::DataScale, c.scale);
        dlg.RenderEchogram();
        EXPECT_EQ(dlg.m_MeanMode, c.mean) << c.output;
        EXPECT_EQ(dlg.m_LinearScale, c.linear) << c.scale;
        EXPECT_EQ(Echo(kLastColumn, 30), Grey(c.index)) << c.output << " / " << c.scale;
    }
}

TEST_F(Display, ProfileStripAndThresholdMarker)
{
    FillRow(999, 400);  // linear index 100: offset 25 from W - 142
    dlg.RenderEchogram();
    const int px0 = W - 142;
    EXPECT_EQ(Echo(px0 + 25, 100), Grey(100));
    EXPECT_EQ(Echo(px0 + 26, 100), Grey(155));  // grey companion on the linear scale
    // Threshold 100 %: a dashed marker at offset 64, yellow on rows 4k, 4k + 1.
    EXPECT_EQ(Echo(px0 + 64, 100), qRgb(255, 255, 0));
    EXPECT_EQ(Echo(px0 + 64, 101), qRgb(255, 255, 0));
    EXPECT_EQ(Echo(px0 + 64, 102), qRgb(0, 0, 0));
    EXPECT_EQ(Echo(px0 + 64, 103), qRgb(0, 0, 0));

    dlg.DeviceParams.Threshold = 0;
    dlg.RenderEchogram();
    EXPECT_EQ(Echo(px0, 100), qRgb(255, 255, 0));
    EXPECT_EQ(Echo(px0 + 64, 100), kKey);
}

TEST_F(Display, StatusLineLiesInItsBoxOnWhite)
{
    std::strcpy(dlg.DeviceParams.TimeLocal, "#TimeLocal  20240102 03:04:05.06\r\n");
    dlg.DeviceParams.Altitude_mm = 12345.0f;
    dlg.DeviceParams.Pitch_deg = 2.0f;
    dlg.RenderEchogram();
    int white = 0;
    int drawn = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const QRgb p = Echo(x, y);
            const bool echogramOrProfile = y >= 30 && y < H - 30 && x >= 40 && x < W - 77;
            if (echogramOrProfile || p == kKey)
                continue;
            // Everything else on the layer is the status text in its box
            // (moved one pixel up and left for the second pass).
            ASSERT_TRUE(y >= H - 24 && y < H - 4 && x >= 39) << x << "," << y;
            ++drawn;
            white += p == Grey(255);
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_GT(drawn - white, 100);
}

TEST_F(Display, CompositionLeavesOutTheKeyColour)
{
    // Gray: index 51 is (204, 204, 204); gray inverse: index 204 is.
    for (const auto& [palette, amplitude] : {std::pair{"Gray", 204}, std::pair{"Gray Inverse", 816}}) {
        dlg.SetControlText(Id::ColorPalette, palette);
        dlg.BuildPalette();
        FillRow(999, amplitude);
        dlg.RenderEchogram();
        ASSERT_EQ(Echo(kLastColumn, 100), kKey) << palette;
        EXPECT_EQ(Composed().pixel(kLastColumn, 100), qRgb(0, 0, 0)) << palette;
    }
}

TEST_F(Display, FrameGridAndColourBar)
{
    FillRow(999, 1023);
    for (int r = 0; r < kPingRowsInUse; ++r)
        PingHistory[r][0] = 0;
    FillRow(940, 600);  // the column under the second time line (x = 585)
    dlg.RenderEchogram();
    const QImage shown = Composed();

    // Echogram pixels arrive unchanged.
    EXPECT_EQ(shown.pixel(kLastColumn, 100), Grey(255));
    EXPECT_EQ(shown.pixel(100, 100), Grey(0));
    // Outlines just outside the echogram, profile strip and colour bar.
    for (auto [x, y] : {std::pair{39, 100}, std::pair{W - 150, 100}, std::pair{100, 29},
                        std::pair{100, H - 30}, std::pair{39, 29}, std::pair{W - 150, H - 30},
                        std::pair{W - 147, 200}, std::pair{W - 79, 200}, std::pair{W - 61, 200},
                        std::pair{W - 50, 200}, std::pair{W - 55, 29}, std::pair{W - 55, H - 30}})
        EXPECT_EQ(shown.pixel(x, y), kGrid) << x << "," << y;
    // The dotted time line at x = 585 lets the echogram show between dots.
    EXPECT_EQ(shown.pixel(585, 100), kGrid);
    EXPECT_EQ(shown.pixel(585, 101), Grey(150));
    // Depth grid: 10 m in 2 m steps, 85 pixels apart: rows 115, 200 ...
    EXPECT_EQ(shown.pixel(100, 115), kGrid);
    EXPECT_EQ(shown.pixel(101, 115), Grey(0));
    EXPECT_EQ(shown.pixel(100, 114), Grey(0));
    EXPECT_EQ(shown.pixel(W - 146, 200), kGrid);
    // Colour bar: strongest at the top.
    EXPECT_EQ(shown.pixel(W - 55, 30), Grey(255));
    EXPECT_EQ(shown.pixel(W - 55, H - 31), Grey(0));
    // Margins stay black.
    EXPECT_EQ(shown.pixel(W - 70, 5), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(W - 3, H - 20), qRgb(0, 0, 0));
}

TEST_F(Display, PaletteChoiceFromTypedTexts)
{
    const struct {
        const char* text;
        int32_t before;
        int32_t after;
    } cases[] = {{"Gray Inverse", 1, 3}, {"White and Black", 0, 1}, {"Blue", 2, 2}, {"Blue", 0, 0},
                 {"Rainbow (White Background)", 1, 0}};
    for (const auto& c : cases) {
        dlg.m_PaletteChoice = c.before;
        dlg.SetControlText(Id::ColorPalette, c.before == 2 ? "Gray" : "Rainbow (White Background)");
        dlg.BuildPalette();
        const int32_t red0 = dlg.m_Palette[0][0];
        dlg.m_PaletteChoice = c.before;
        dlg.SetControlText(Id::ColorPalette, c.text);
        dlg.BuildPalette();
        EXPECT_EQ(dlg.m_PaletteChoice, c.after) << c.text;
        if (c.before == c.after && std::string(c.text) == "Blue") {
            EXPECT_EQ(dlg.m_Palette[0][0], red0) << "colours unchanged";
        }
    }
    // The scale helpers of the controller follow m_LinearScale.
    dlg.m_LinearScale = 1;
    EXPECT_EQ(dlg.PaletteIndex(4), 1);
    dlg.m_LinearScale = 0;
    EXPECT_EQ(dlg.PaletteIndex(4), 51);
    EXPECT_FLOAT_EQ(dlg.ScaleValue(8.0f, 1), 2.0f);
}

TEST_F(Display, RepaintRequestComposesTheDisplay)
{
    FillRow(999, 1023);
    dlg.RenderEchogram();
    // The paint handler rebuilds the palette: a changed choice shows that it ran.
    dlg.SetControlText(Id::ColorPalette, "Gray");
    dlg.m_PaletteChoice = 3;
    dlg.RequestDisplayRepaint();
    ASSERT_TRUE(WaitUntil([&] { return dlg.m_PaletteChoice == 2; }));

    const QImage grabbed = dlg.Control(Id::Display)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(grabbed.size(), QSize(W, H));
    EXPECT_EQ(grabbed.pixel(39, 100), kGrid);
    // Layer 0 still holds the gray-inverse picture: the echogram changes only
    // at its next redraw, the colour bar at once (gray: index 255 is black).
    EXPECT_EQ(grabbed.pixel(kLastColumn, 100), Grey(255));
    EXPECT_EQ(grabbed.pixel(W - 55, 30), Grey(0));
}

}  // namespace

// Full redraw of the echogram layer on the real 795 x 488 display area with
// full rows (S = 15000 slots over 428 pixel rows), in maximum and mean modes
// on the dB and linear scales; and, in the same run, the rule written out
// plainly (the scale formula for every slot, no table, no shortcut) as the
// baseline.
//
// Arguments of each case: mean mode (0/1), linear scale (0/1).

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "display/EchogramRenderer.h"
#include "display/LayerView.h"
#include "display/Palette.h"
#include "ui/ControlTable.h"
#include "OffscreenBenchmarkMain.h"

namespace {

// Echo-like rows: a noise floor, a few layers and a strong bottom echo, with
// some out-of-scale values.
void FillHistory()
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int32_t> noise(0, 40);
    for (int r = 0; r < kPingRowsInUse; ++r) {
        const int bottom = 9000 + (r * 7) % 4000;
        for (int s = 0; s < kPingHistorySlots; ++s) {
            int32_t v = noise(random);
            if (s % 997 < 30)
                v += 200;
            if (s >= bottom && s < bottom + 300)
                v = 1023 - (s - bottom);
            if (s % 4999 == 0)
                v = 5000;
            PingHistory[r][s] = v;
        }
    }
}

struct Setup {
    CVessaDlg dlg;
    Setup()
    {
        FillHistory();
        dlg.m_StatusFont = QFont("Arial");
        dlg.m_StatusFont.setPixelSize(16);
        dlg.m_StatusFont.setFixedPitch(true);
        dlg.m_LabelFont = QFont("Arial");
        dlg.m_LabelFont.setPixelSize(14);
        dlg.m_LabelFont.setFixedPitch(true);
        dlg.SetControlText(Id::DisplayRange, "Auto Range");
        dlg.SetControlText(Id::ColorPalette, "Rainbow (Black Background)");
        dlg.DeviceParams.NSamples = kPingHistorySlots;
        dlg.DeviceParams.Range_mm = 30000;
        dlg.DeviceParams.Resolution = 2.0f;
        dlg.DeviceParams.Threshold = 40;
        dlg.DeviceParams.Altitude_mm = 23456.0f;
        dlg.DeviceParams.Temperature = 8.25f;
        dlg.last_ping = 4321;
    }
    void Modes(const benchmark::State& state)
    {
        dlg.SetControlText(Id::DataOutput, state.range(0) ? "Mean Amplitude" : "Max  Amplitude");
        dlg.SetControlText(Id::DataScale, state.range(1) ? "Linear Scale" : "dB Scale");
    }
};

// Made on first use, destroyed in main before the application object.
std::unique_ptr<Setup> g_Setup;

Setup& Shared()
{
    if (!g_Setup)
        g_Setup = std::make_unique<Setup>();
    return *g_Setup;
}

void Label(benchmark::State& state)
{
    state.SetLabel(std::string(state.range(0) ? "mean" : "max") + (state.range(1) ? " linear" : " dB"));
}

void BM_RenderEchogram(benchmark::State& state)
{
    Setup& setup = Shared();
    setup.Modes(state);
    setup.dlg.RenderEchogram();  // layers and palette exist from here on
    for (auto _ : state) {
        setup.dlg.RenderEchogram();
        benchmark::ClobberMemory();
    }
    Label(state);
}

void BM_ReferenceRenderer(benchmark::State& state)
{
    Setup& setup = Shared();
    setup.Modes(state);
    setup.dlg.RenderEchogram();
    QImage layer(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32);
    uint32_t colours[kPaletteSize];
    PaletteColours(setup.dlg.m_Palette, colours);
    EchogramStyle style;
    style.slotsPerRow = SlotsPerPixelRow(kPingHistorySlots, kDisplayHeight);
    style.meanMode = state.range(0) != 0;
    style.linear = state.range(1) != 0;
    style.colours = colours;
    const int32_t newest = EchogramRowOf(setup.dlg.last_ping, kDisplayWidth - 151, kDisplayWidth);
    for (auto _ : state) {
        const PixelBuffer view = LayerView(layer);
        view.Fill(PackRgb(204, 204, 204));
        DrawEchogramColumnsByFormula(view, PingHistory, setup.dlg.last_ping, style);
        DrawProfileStrip(view, PingHistory[newest], 40, style);
        benchmark::ClobberMemory();
    }
    Label(state);
}

}  // namespace

BENCHMARK(BM_RenderEchogram)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReferenceRenderer)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    return RunBenchmarksOffscreen(argc, argv, [] { g_Setup.reset(); });
}

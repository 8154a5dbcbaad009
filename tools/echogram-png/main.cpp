// Draws the composed echogram display from a synthetic multi-ping stream and
// saves it as a PNG, without a screen:
//
//   pelagrix-echogram-png [options] [file.png]
//
// Options: --linear (linear scale, default dB), --mean (mean of each span,
// default maximum), --palette <text> (Color Palette text, default
// "Rainbow (Black Background)"), --range <text> (Range text, default
// "Auto Range"), --pings <n> (default 800). The file defaults to
// echogram.png in the build folder.
//
// The stream: 20 m range, 2000 samples of 10 mm per ping; a surface band, a
// drifting fish school, a seabed rising and falling between 12 and 16 m with
// its echo tail, and noise. Rows are filled the way the ping processor fills
// them: slot 0 holds the 0 of the start line, the samples follow.

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "ui/ControlTable.h"

namespace {

constexpr int kSamples = 2000;
constexpr float kSampleMm = 10.0f;

float SeabedMetres(int ping)
{
    return 14.0f + 2.0f * std::sin(static_cast<float>(ping) * 0.012f) +
           0.4f * std::sin(static_cast<float>(ping) * 0.07f);
}

// One ping of the stream into its row; returns the seabed depth in mm.
float FillPing(int ping, std::mt19937& random)
{
    std::normal_distribution<float> noise(0.0f, 2.5f);
    int32_t* row = PingHistory[ping % kPingRowsInUse];
    const float bottomMm = SeabedMetres(ping) * 1000.0f;
    const int bottom = static_cast<int>(bottomMm / kSampleMm);
    const float schoolCentre = 700.0f + 120.0f * std::sin(static_cast<float>(ping) * 0.02f);
    const bool schoolHere = (ping / 150) % 2 == 1;
    row[0] = 0;
    for (int s = 1; s <= kSamples; ++s) {
        float v = 1.0f + std::fabs(noise(random));
        if (s < 60)
            v += 900.0f * std::exp(-static_cast<float>(s) / 18.0f);  // transmit ring-down
        if (schoolHere) {
            const float d = (static_cast<float>(s) - schoolCentre) / 35.0f;
            v += 420.0f * std::exp(-d * d) * (0.6f + 0.4f * std::sin(static_cast<float>(s + ping)));
        }
        if (s >= bottom) {
            const float depth = static_cast<float>(s - bottom);
            v += 1023.0f * std::exp(-depth / 25.0f) + 160.0f * std::exp(-depth / 180.0f);
        }
        row[s] = std::min(1023, static_cast<int32_t>(v));
    }
    return bottomMm;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::string output = std::string(PELAGRIX_BUILD_DIR) + "/echogram.png";
    std::string palette = "Rainbow (Black Background)";
    std::string range = "Auto Range";
    bool linear = false;
    bool mean = false;
    int pings = 800;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--linear")
            linear = true;
        else if (arg == "--mean")
            mean = true;
        else if (arg == "--palette" && i + 1 < argc)
            palette = argv[++i];
        else if (arg == "--range" && i + 1 < argc)
            range = argv[++i];
        else if (arg == "--pings" && i + 1 < argc)
            pings = std::max(1, std::atoi(argv[++i]));
        else if (!arg.empty() && arg[0] != '-')
            output = arg;
        else {
            std::fprintf(stderr, "usage: pelagrix-echogram-png [--linear] [--mean] [--palette text] "
                                 "[--range text] [--pings n] [file.png]\n");
            return 2;
        }
    }

    CVessaDlg dlg;
    // The fonts the main window sets up at start-up.
    dlg.m_StatusFont = QFont("Arial");
    dlg.m_StatusFont.setPixelSize(16);
    dlg.m_StatusFont.setFixedPitch(true);
    dlg.m_StatusFont.setStyleHint(QFont::TypeWriter);
    dlg.m_LabelFont = QFont("Arial");
    dlg.m_LabelFont.setPixelSize(14);
    dlg.m_LabelFont.setFixedPitch(true);
    dlg.m_LabelFont.setStyleHint(QFont::TypeWriter);
    dlg.SetControlText(Id::DisplayRange, range);
    dlg.SetControlText(Id::DataScale, linear ? "Linear Scale" : "dB Scale");
    dlg.SetControlText(Id::DataOutput, mean ? "Mean Amplitude" : "Max  Amplitude");
    dlg.SetControlText(Id::ColorPalette, palette);

    DeviceParamsRecord& params = dlg.DeviceParams;
    params.Range_mm = 20000;
    params.NSamples = kSamples;
    params.Resolution = kSampleMm;
    params.Threshold = 30;
    params.Temperature = 9.87f;
    params.Pitch_deg = 1.2f;
    params.Roll_deg = -0.4f;
    std::snprintf(params.TimeLocal, sizeof params.TimeLocal, "#TimeLocal  20240611 14:03:27.41\r\n");

    std::mt19937 random(2024);
    for (int ping = 0; ping < pings; ++ping) {
        params.Altitude_mm = FillPing(ping, random);
        ++dlg.last_ping;
    }

    dlg.RenderEchogram();
    QImage shown(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32);
    {
        QPainter painter(&shown);
        dlg.PaintDisplay(painter);
    }
    if (!shown.save(QString::fromLocal8Bit(output.c_str()), "PNG")) {
        std::fprintf(stderr, "pelagrix-echogram-png: cannot save %s\n", output.c_str());
        return 1;
    }
    std::printf("%s\n", output.c_str());
    return 0;
}

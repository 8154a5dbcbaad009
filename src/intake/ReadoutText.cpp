#include "intake/ReadoutText.h"

#include "platform/FormatText.h"

namespace {

enum Line { kPing, kAltitude, kTemperature, kPitch, kRoll, kVertical, kSamples, kSize, kPosition };

}  // namespace

void SetReadoutLabels(ReadoutLines& lines)
{
    static constexpr const char* kLabels[kReadoutLineCount] = {
        "Ping Number    \n",       "Altiude, m     \n",       "Temperature, C \n",
        "Pitch, degree  \n",       "Roll, degree   \n",       "Vertical Orientation \n",
        "Number of Samples    \n", "File Size, KBytes    \n", "DataFile Position\n"};
    for (int i = 0; i < kReadoutLineCount; ++i)
        lines[i].assign(kLabels[i]);
}

void FormatReadoutLines(const DeviceParamsRecord& p, const ReadoutCounters& counters,
                        ReadoutLines& lines)
{
    for (std::string& line : lines)
        line.assign("\n");

    FormatInto(lines[kPing], "Ping Number\t\t%-d\n", p.Ping);
    // The range, not the altitude, chooses the unit.
    if (p.Range_mm < 1000)
        FormatInto(lines[kAltitude], "Altiude, mm\t\t%-6.1f\n", static_cast<double>(p.Altitude_mm));
    else
        FormatInto(lines[kAltitude], "Altiude, m\t\t%-6.3f\n",
               static_cast<double>(p.Altitude_mm / 1000.0f));
    FormatInto(lines[kSize], "File Size, KBytes\t\t%-.1f\n", counters.bytesIn * 0.0009765625);
    if (counters.playFileLength > 0 && counters.connected == 0) {
        float position =
            static_cast<float>(counters.bytesIn * 100.0 / counters.playFileLength);
        // A small file shows its end once nearly all of it has been read.
        if (counters.playFileLength < 2000000 && position > 94.0f)
            position = 100.0f;
        FormatInto(lines[kPosition], "DataFile Position, %%\t%-.0f\n", static_cast<double>(position));
    }
    if (p.OutputMode == 1)
        return;
    FormatInto(lines[kTemperature], "Temperature, C\t\t%-6.2f\n", static_cast<double>(p.Temperature));
    const bool attitude = p.Roll_deg + p.Pitch_deg + p.VertRotationPos_deg != 0.0f;
    if (attitude) {
        FormatInto(lines[kPitch], "Pitch, degree\t\t%-6.1f\n", static_cast<double>(p.Pitch_deg));
        FormatInto(lines[kRoll], "Roll, degree\t\t%-6.1f\n", static_cast<double>(p.Roll_deg));
    }
    if (p.OutputMode == 3)
        return;
    if (attitude)
        FormatInto(lines[kVertical], "Vert.Orientation\t\t%-6.1f\n",
               static_cast<double>(p.VertRotationPos_deg));
    FormatInto(lines[kSamples], "Number of Samples\t%-d\n", p.NSamples);
}

void JoinReadoutLines(const ReadoutLines& lines, std::string& out)
{
    out.clear();
    for (const std::string& line : lines)
        out += line;
}

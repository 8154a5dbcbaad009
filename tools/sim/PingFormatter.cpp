#include "PingFormatter.h"

#include <cstdio>

#include "Nmea.h"
#include "SimClock.h"
#include "SimRandom.h"

namespace sim {

namespace {

template <typename... Args>
void Add(std::string& out, const char* fmt, Args... args)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, args...);
    out += buf;
}

// The altimeter modes measure on a full-resolution ping.
InstrumentParams AsEchosounder(InstrumentParams p)
{
    p.outputMode = kEchosounder;
    return p;
}

}  // namespace

PingFrame BuildFrame(const Scene& scene, const InstrumentParams& params, uint64_t ping,
                     double elapsed, double epoch)
{
    PingFrame f;
    f.params = params;
    f.ping = ping;
    f.clock_s = epoch + elapsed;
    f.work_s = elapsed;
    f.temperature = scene.Temperature(elapsed);
    f.attitude = scene.AttitudeAt(elapsed);
    const InstrumentParams measure = IsEchosounderMode(params.outputMode) ? params : AsEchosounder(params);
    std::vector<int> samples = scene.Echo(measure, elapsed, ping);
    f.detection = DetectBottom(samples, ResolutionMm(measure), params.deadzone_mm, params.threshold,
                               params.offset_mm);
    if (IsEchosounderMode(params.outputMode))
        f.samples = std::move(samples);
    return f;
}

std::string FormatPing(const PingFrame& frame, int keepSamples)
{
    switch (frame.params.outputMode) {
    case kAltimeterSimple: return FormatSimpleLine(frame);
    case kAltimeterNmea: return FormatNmeaPing(frame);
    default: return FormatEchosounderPing(frame, keepSamples);
    }
}

std::string FormatEchosounderPing(const PingFrame& f, int keepSamples)
{
    const InstrumentParams& p = f.params;
    const double res = ResolutionMm(p);
    const int maxPercent = f.detection.maxAmplitude * 100 / 1023;
    std::string out;
    out.reserve(f.samples.size() * 6 + 1200);
    Add(out, "#DeviceID %d\r\n", p.deviceId);
    out += TimeLocalLine(f.clock_s);
    out += TimeUtcLine(f.clock_s);
    Add(out, "#TimeWork %.2f\r\n", f.work_s);
    Add(out, "#Ping %llu\r\n", static_cast<unsigned long long>(f.ping));
    Add(out, "#OutputMode %d\r\n", p.outputMode);
    Add(out, "#Range,m %.3f\r\n", p.range_mm / 1000.0);
    Add(out, "#Interval,sec %.2f\r\n", p.interval_s);
    Add(out, "#Threshold,%% %d\r\n", p.threshold);
    Add(out, "#Offset,m %.3f\r\n", p.offset_mm / 1000.0);
    Add(out, "#Deadzone,m %.3f\r\n", p.deadzone_mm / 1000.0);
    Add(out, "#PulseLength,uks %d\r\n", p.txlength_us);
    Add(out, "#Tx_Frequency,Hz %d\r\n", 200000);
    Add(out, "#TVG_Mode %d\r\n", p.tvgMode);
    Add(out, "#TVG_Gain %.1f\r\n", p.gain_db);
    Add(out, "#TVG_Slope %.2f\r\n", p.tvgSlope);
    Add(out, "#SoundSpeed %d\r\n", 1500);
    Add(out, "#SampleFrequency,Hz %d\r\n", static_cast<int>(1500.0 / (2.0 * res / 1000.0) + 0.5));
    Add(out, "#Resolution %.3f\r\n", res);
    Add(out, "#NSamples %zu\r\n", f.samples.size());
    Add(out, "#Altitude %.3f\r\n", f.detection.altitude_m);
    Add(out, "#Temperature %.2f\r\n", f.temperature);
    Add(out, "#Pitch,deg %.1f\r\n", f.attitude.pitch_deg);
    Add(out, "#Roll,deg %.1f\r\n", f.attitude.roll_deg);
    Add(out, "#VertRotationPos,deg %.1f\r\n", 0.0);
    Add(out, "#DEBUG_OneSampleDistance,mm %.3f\r\n", res);
    Add(out, "#DEBUG_ZeroLevel %d\r\n", 512);
    Add(out, "#DEBUG_ADCMaxAmplitude,mV %d\r\n", 3300);
    Add(out, "#DEBUG_RealPulseLength,uks %d\r\n", p.txlength_us + 2);
    Add(out, "#DEBUG_Voltage,mV %d\r\n", 12050);
    Add(out, "#DEBUG_EchoMaxAmplitude,%% %d\r\n", maxPercent);
    Add(out, "#DEBUG_EchoMaxAmplitudeLev,mV %d\r\n", f.detection.maxAmplitude * 3300 / 1023);
    Add(out, "#DEBUG_EchoMaxAmplitudeN %d\r\n", f.detection.maxIndex);
    out += "##DataStart\r\n";
    const size_t keep = keepSamples < 0 ? f.samples.size()
                                        : std::min(f.samples.size(), static_cast<size_t>(keepSamples));
    for (size_t i = 0; i < keep; ++i)
        Add(out, "%d\r\n", f.samples[i]);
    if (keepSamples < 0)
        out += "##DataEnd\r\n";
    return out;
}

std::string FormatNmeaPing(const PingFrame& f)
{
    const double m = f.detection.altitude_m;
    char body[120];
    std::string out;
    std::snprintf(body, sizeof body, "SDDBT,%.1f,f,%.2f,M,%.1f,F", m * 3.28084, m, m * 0.546807);
    out += NmeaSentence(body);
    std::snprintf(body, sizeof body, "SDDPT,%.2f,%.1f", m, f.params.offset_mm / 1000.0);
    out += NmeaSentence(body);
    std::snprintf(body, sizeof body, "YXMTW,%.1f,C", f.temperature);
    out += NmeaSentence(body);
    std::snprintf(body, sizeof body, "YXXDR,A,%.1f,D,PTCH,A,%.1f,D,ROLL", f.attitude.pitch_deg,
                  f.attitude.roll_deg);
    out += NmeaSentence(body);
    return out;
}

std::string FormatSimpleLine(const PingFrame& f)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f\r\n", f.detection.altitude_m);
    return buf;
}

std::string GarbageBurst(Random& random)
{
    std::string out;
    const int n = random.Between(8, 120);
    for (int i = 0; i < n; ++i) {
        char ch = static_cast<char>(random.Between(0, 255));
        if (ch == '\n')
            ch = '\x7F';
        out.push_back(ch);
    }
    return out + "\r\n";
}

std::string OverlongLine(Random& random, int length)
{
    static const char kText[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ,.;:-+ ";
    std::string out;
    out.reserve(static_cast<size_t>(length) + 2);
    for (int i = 0; i < length; ++i)
        out.push_back(kText[random.Between(0, static_cast<int>(sizeof kText) - 2)]);
    return out + "\r\n";
}

}  // namespace sim

// ProcessLine over an echosounder stream while connected (no pacing delay,
// logging off): bytes per second and pings per second, for pings of 1000
// samples at 10 m and of 7500 samples at 50 m (two slots per sample).

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/CVessaDlg.h"
#include "OffscreenBenchmarkMain.h"

namespace {

struct Stream {
    std::string bytes;
    std::vector<std::pair<size_t, size_t>> lines;  // offset, length (LF included)
    int pings = 0;
};

void AddLine(Stream& stream, const std::string& line)
{
    stream.lines.emplace_back(stream.bytes.size(), line.size() + 2);
    stream.bytes += line;
    stream.bytes += "\r\n";
}

// Ten pings as the instrument sends them: header keys, DataStart, one
// amplitude per line, DataEnd.
Stream EchosounderStream(int samples, const char* range)
{
    Stream stream;
    std::mt19937 random(42);
    std::uniform_int_distribution<int> amplitude(0, 1023);
    for (int ping = 1; ping <= 10; ++ping) {
        for (const std::string& header : {
                 std::string("#DeviceID 17"), "#Ping " + std::to_string(ping),
                 std::string("#TimeLocal 2024.05.06 10:11:12"), std::string("#TimeWork 1234.5"),
                 std::string("#Range,m ") + range, std::string("#Interval,sec 0.2"),
                 std::string("#Threshold,% 10"), std::string("#Offset,m 0"),
                 std::string("#Deadzone,m 0.2"), std::string("#PulseLength,uks 20"),
                 std::string("#TVG_Mode 1"), std::string("#TVG_Gain 6.0"),
                 std::string("#TVG_Slope 1.0"), std::string("#Tx_Frequency,Hz 200000"),
                 std::string("#Temperature 11.52"), std::string("#Altitude 12.345"),
                 std::string("#Pitch,deg 1.5"), std::string("#Roll,deg -0.5"),
                 "#NSamples " + std::to_string(samples), std::string("#OutputMode 2")})
            AddLine(stream, header);
        AddLine(stream, "##DataStart");
        for (int i = 0; i < samples; ++i)
            AddLine(stream, std::to_string(amplitude(random)));
        AddLine(stream, "##DataEnd");
        ++stream.pings;
    }
    return stream;
}

void RunStream(benchmark::State& state, int samples, const char* range)
{
    const Stream stream = EchosounderStream(samples, range);
    CVessaDlg dlg;
    dlg.ShowReadoutLabels();
    dlg.m_Connected = 1;
    dlg.m_LogActive = 0;
    dlg.m_LogOpen = 0;
    for (auto _ : state) {
        for (const auto& [offset, length] : stream.lines) {
            std::memcpy(dlg.m_LineBuf, stream.bytes.data() + offset, length);
            dlg.m_LineBuf[length] = '\0';
            dlg.m_LineLen = static_cast<int32_t>(length);
            dlg.m_LineReady = 1;
            dlg.ProcessLine();
        }
    }
    dlg.m_Connected = 0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(stream.bytes.size()));
    state.counters["pings/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * stream.pings,
                           benchmark::Counter::kIsRate);
}

void BM_ProcessLine_1000Samples(benchmark::State& state) { RunStream(state, 1000, "10"); }
void BM_ProcessLine_7500Samples(benchmark::State& state) { RunStream(state, 7500, "50"); }

}  // namespace

BENCHMARK(BM_ProcessLine_1000Samples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessLine_7500Samples)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchmarksOffscreen(argc, argv);
}

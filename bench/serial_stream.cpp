// Echosounder pings written into a pseudo-terminal and carried by the
// instrument channel's watch thread, its ring and the line assembly into
// ProcessLine, on a started main window:
//
// - BM_StreamBackPressured: the writer only waits while the ring already
//   holds 300 KB, so the rate is what the receive path sustains;
// - BM_StreamPaced: the writer sends at a fixed rate (100 times the 230400
//   bps line rate, 2.3 MB/s) and nothing may be lost;
// - BM_LineRateCpu: the real line rate (23,040 bytes/s); the counter
//   cpu_percent is the process CPU time over wall time while streaming.
//
// Every run fails (SkipWithError) when a ping is missing, the ring
// overflowed or the backlog guard discarded bytes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>

#include <fcntl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/CVessaDlg.h"
#include "serial/CCommPort.h"

namespace {

using Clock = std::chrono::steady_clock;

// Message boxes of the run, recorded instead of shown; the other dialogs are
// never opened while streaming.
class RecordingDialogs : public QtOperatorDialogs {
public:
    RecordingDialogs() : QtOperatorDialogs(nullptr) {}
    void Message(const std::string&, const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

CVessaDlg* g_Dlg = nullptr;
RecordingDialogs* g_Dialogs = nullptr;
int g_Master = -1;

std::string PingText(int ping)
{
    std::string text = "#DeviceID 7\r\n#Range,m 10.0\r\n#NSamples 1500\r\n##DataStart\r\n";
    for (int j = 1; j <= 1500; ++j)
        text += std::to_string((ping * 37 + j * 11) % 1024) + "\r\n";
    text += "##DataEnd\r\n";
    return text;
}

// `pings` pings followed by header lines, so the last ping does not wait
// behind the resume threshold for more data.
std::string Stream(int pings)
{
    std::string stream;
    for (int k = 0; k < pings; ++k)
        stream += PingText(k);
    for (int i = 0; i < 10; ++i)
        stream += "#DeviceID 7\r\n";
    return stream;
}

size_t PingBytes()
{
    static const size_t bytes = PingText(0).size();
    return bytes;
}

double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

size_t WriteSome(const std::string& stream, size_t done, size_t most)
{
    const ssize_t n = ::write(g_Master, stream.data() + done, std::min(most, stream.size() - done));
    return n > 0 ? static_cast<size_t>(n) : 0;
}

// Streams `pings` pings; `bytesPerSecond` 0 means back-pressured by the ring.
// Returns the seconds from the first byte to the last ping processed.
double RunStream(benchmark::State& state, int pings, double bytesPerSecond, double* cpuPercent)
{
    const std::string stream = Stream(pings);
    const int32_t firstPing = g_Dlg->last_ping;
    const size_t messagesBefore = g_Dialogs->messages.size();
    const std::string consoleBefore = g_Dlg->ConsoleText();

    std::atomic<bool> done{false};
    // Set when the reader gives up, so a stalled receive path ends the run
    // with an error instead of leaving the writer waiting for room forever.
    std::atomic<bool> stop{false};
    const auto start = Clock::now();
    const double cpuStart = ProcessCpuSeconds();
    std::thread writer([&] {
        size_t sent = 0;
        const auto tick = std::chrono::milliseconds(10);
        auto next = Clock::now();
        while (sent < stream.size() && !stop.load()) {
            if (bytesPerSecond <= 0) {
                if (g_DeviceChannel.QueueUsed() > 300000) {
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                    continue;
                }
                const size_t n = WriteSome(stream, sent, 65536);
                sent += n;
                if (n == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
            } else {
                // The bytes due by now, in 10 ms steps.
                const double elapsed =
                    std::chrono::duration<double>(Clock::now() - start).count();
                const size_t due =
                    std::min(stream.size(), static_cast<size_t>(elapsed * bytesPerSecond));
                while (sent < due && !stop.load()) {
                    const size_t n = WriteSome(stream, sent, due - sent);
                    sent += n;
                    if (n == 0)
                        std::this_thread::sleep_for(std::chrono::microseconds(100));
                }
                next += tick;
                std::this_thread::sleep_until(next);
            }
        }
        done = true;
    });

    const auto deadline = start + std::chrono::seconds(120);
    while ((!done || g_Dlg->last_ping - firstPing < pings) && Clock::now() < deadline)
        g_Dlg->PumpingDelay(5);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (cpuPercent)
        *cpuPercent = 100.0 * (ProcessCpuSeconds() - cpuStart) / seconds;
    stop = true;
    writer.join();

    const std::string console = g_Dlg->ConsoleText();
    if (g_Dlg->last_ping - firstPing != pings)
        state.SkipWithError("pings were lost");
    else if (g_Dialogs->messages.size() != messagesBefore)
        state.SkipWithError("the ring overflowed");
    else if (console.find("buffer was cleared", consoleBefore.size() > 0 ? consoleBefore.size() - 1
                                                                           : 0) != std::string::npos)
        state.SkipWithError("the backlog guard discarded bytes");
    return seconds;
}

void BM_StreamBackPressured(benchmark::State& state)
{
    const int pings = static_cast<int>(state.range(0));
    for (auto _ : state)
        state.SetIterationTime(RunStream(state, pings, 0, nullptr));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Stream(pings).size()));
}
BENCHMARK(BM_StreamBackPressured)->Arg(800)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StreamPaced(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    const int pings = static_cast<int>(3.0 * rate / static_cast<double>(PingBytes()));  // ~3 s
    for (auto _ : state)
        state.SetIterationTime(RunStream(state, pings, rate, nullptr));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Stream(pings).size()));
}
BENCHMARK(BM_StreamPaced)->Arg(2304000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LineRateCpu(benchmark::State& state)
{
    const double rate = 23040.0;  // 230400 bps, 10 bits a byte
    const int pings = static_cast<int>(5.0 * rate / static_cast<double>(PingBytes()));  // ~5 s
    double cpu = 0;
    for (auto _ : state)
        state.SetIterationTime(RunStream(state, pings, rate, &cpu));
    state.counters["cpu_percent"] = cpu;
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Stream(pings).size()));
}
BENCHMARK(BM_LineRateCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // A private home and settings folder: the run maps COM1 to its own pty.
    char dirTemplate[] = "/tmp/pelagrix-bench.XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    if (!dir)
        return 1;
    const std::string home = std::string(dir) + "/home";
    const std::string config = std::string(dir) + "/config";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(config);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    int result = 0;
    {
        QApplication app(argc, argv);
        QCoreApplication::setOrganizationName("Halvorn");
        QCoreApplication::setApplicationName("Vessa");

        g_Master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (g_Master < 0 || grantpt(g_Master) != 0 || unlockpt(g_Master) != 0)
            return 1;
        termios tio{};
        tcgetattr(g_Master, &tio);
        cfmakeraw(&tio);
        tcsetattr(g_Master, TCSANOW, &tio);
        {
            QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
            settings.setValue("Ports/COM1", QString::fromLatin1(ptsname(g_Master)));
        }

        auto dlg = std::make_unique<CVessaDlg>();
        auto dialogs = std::make_unique<RecordingDialogs>();
        g_Dialogs = dialogs.get();
        dlg->SetDialogs(std::move(dialogs));
        dlg->OnInitDialog();
        dlg->show();
        g_Dlg = dlg.get();
        dlg->DeviceParams.OutputMode = 0;
        dlg->m_Connected = 1;  // live reception: no playback pacing

        if (g_DeviceChannel.Open(g_Dlg, 1, 230400) != 1)
            return 1;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        dlg->m_Connected = 0;
        g_DeviceChannel.Close();
        ::close(g_Master);
        dlg.reset();
    }
    std::filesystem::remove_all(dir);
    return result;
}

// CPU load of a playback at its real pace: a data log of 1000 echosounder
// pings with 1000 samples each is played through the ping processor with its
// per-ping delays, pause points and redraws of every fifth ping. Reported:
// the process's CPU time (user + sys) over the wall time of the playback.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/time.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/CVessaDlg.h"
#include "platform/OperatorDialogs.h"
#include "OffscreenBenchmarkMain.h"

namespace {

// No modal windows in a benchmark: every dialog is answered at once.
class SilentDialogs : public OperatorDialogs {
public:
    void Message(const std::string&, const std::string& text) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                            const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&,
                                            const std::string&, const FolderCheck&) override
    {
        return std::nullopt;
    }
    void About() override {}
    void SetBusyCursor(bool) override {}
};

std::string EchosounderLog(int pings, int samples)
{
    std::string text = "-------------------------------------------------------\r\n"
                       "Pelagrix Control Program  [benchmark]\r\n"
                       "-------------------------------------------------------\r\n\r\n";
    char line[256];
    for (int p = 0; p < pings; ++p) {
        std::snprintf(line, sizeof line,
                      "#DeviceID 17\r\n#TimeLocal  20240301 10:00:%02d.00\r\n#Ping %d\r\n"
                      "#Range,m 20.0\r\n#NSamples %d\r\n#TVG_Mode 2\r\n#TVG_Gain 20.0\r\n"
                      "#TVG_Slope 1.0\r\n#Altitude 12.5\r\n#DEBUG_EchoMaxAmplitude,%% 57\r\n"
                      "##DataStart\r\n",
                      p % 60, p, samples);
        text += line;
        for (int s = 0; s < samples; ++s) {
            const int v = (s * 7 + p * 3) % 1024;
            text += std::to_string(v) + "\r\n";
        }
        text += "##DataEnd\r\n";
    }
    return text;
}

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

static void BM_PlaybackCpuAtRealPace(benchmark::State& state)
{
    const int pings = static_cast<int>(state.range(0));
    const int samples = static_cast<int>(state.range(1));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "pelagrix-bench-playback";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "bench.LOG").string();
    {
        const std::string log = EchosounderLog(pings, samples);
        std::ofstream(path, std::ios::binary).write(log.data(), static_cast<std::streamsize>(log.size()));
    }

    CVessaDlg dlg;
    dlg.SetDialogs(std::make_unique<SilentDialogs>());
    dlg.OnInitDialog();
    dlg.show();

    double cpuTotal = 0.0;
    double wallTotal = 0.0;
    int32_t pingsPlayed = 0;
    for (auto _ : state) {
        const int32_t before = dlg.last_ping;
        // A pending REPLAY plays m_InputPath without the file dialog.
        dlg.m_InputPath = path;
        dlg.m_ReplayRequest = 1;
        const double cpu0 = CpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        dlg.OnSelectInputFile();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        const double cpu = CpuSeconds() - cpu0;
        state.SetIterationTime(wall);
        cpuTotal += cpu;
        wallTotal += wall;
        pingsPlayed += dlg.last_ping - before;
    }
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpuTotal / wallTotal;
    state.counters["cpu_s"] = cpuTotal;
    state.counters["wall_s"] = wallTotal;
    state.counters["pings"] = pingsPlayed;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_PlaybackCpuAtRealPace)
    ->Args({1000, 1000})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    // Keep the settings the main window reads at start-up away from the
    // operator's own.
    const std::string config =
        (std::filesystem::temp_directory_path() / "pelagrix-bench-config").string();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config));
    const int result = RunBenchmarksOffscreen(argc, argv);
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}

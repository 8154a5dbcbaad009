// pelagrix-sim: a simulated Pelagrix instrument (and GPS receiver) on
// pseudo-terminals, for tests and demonstrations without hardware.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "Simulator.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop.store(true); }

}  // namespace

int main(int argc, char* argv[])
{
    std::string error;
    const auto options = sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "pelagrix-sim: %s\n%s", error.c_str(), sim::SimUsage().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(sim::SimUsage().c_str(), stdout);
        return 0;
    }

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim::Simulator simulator(*options);
    if (!simulator.Open(error)) {
        std::fprintf(stderr, "pelagrix-sim: %s\n", error.c_str());
        return 1;
    }
    // Machine-readable: the paths, then READY; flushed so a parent reading
    // our stdout through a pipe sees them at once.
    std::printf("DEVICE %s\n", simulator.DevicePath().c_str());
    if (options->gps)
        std::printf("GPS %s\n", simulator.GpsPath().c_str());
    std::printf("SEED %llu\nREADY\n", static_cast<unsigned long long>(simulator.Seed()));
    std::fflush(stdout);

    const int status = simulator.Run(g_stop);
    std::printf("HANGUP\n");
    std::fflush(stdout);
    return status;
}

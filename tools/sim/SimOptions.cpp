#include "SimOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace sim {

namespace {

bool ToDouble(const std::string& text, double& out)
{
    errno = 0;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && errno == 0 && std::isfinite(out);
}

bool ToInt(const std::string& text, long lo, long hi, long& out)
{
    errno = 0;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && errno == 0 && out >= lo && out <= hi;
}

}  // namespace

std::string SimUsage()
{
    return "usage: pelagrix-sim [options]\n"
           "Simulated Pelagrix instrument on a pseudo-terminal. Prints\n"
           "\"DEVICE <path>\" (and \"GPS <path>\" with --gps) on stdout.\n"
           "  --seed N          repeatable run: same seed, same bytes\n"
           "  --epoch S         instrument clock at start (seconds since 1970)\n"
           "  --interval S      initial ping interval in seconds (default 0.2)\n"
           "  --mode N          initial output mode 1..6 (default 2, echosounder)\n"
           "  --range M         initial range in metres (default 20)\n"
           "  --device-id N     device id (default 1234)\n"
           "  --gps             open a second pseudo-terminal with GGA/RMC at 1 Hz\n"
           "  --flood           ping back to back, as fast as the line takes it\n"
           "  --garbage N       line noise before every Nth ping\n"
           "  --overlong N      an over-long line before every Nth ping\n"
           "  --truncate N      cut every Nth ping short (no ##DataEnd)\n"
           "  --hangup N        hang up after N pings and exit\n"
           "  --record FILE     write the bytes received from the program to FILE\n"
           "  --sent FILE       write the bytes sent on the instrument line to FILE\n"
           "  --verbose         report commands and faults on stderr\n";
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error)
{
    SimOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        long n = 0;
        double d = 0;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--gps") {
            o.gps = true;
        } else if (a == "--flood") {
            o.flood = true;
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--seed") {
            if (!value(v)) return std::nullopt;
            errno = 0;
            char* end = nullptr;
            const unsigned long long s = std::strtoull(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || errno != 0 || v[0] == '-') {
                error = "--seed takes a whole number: " + v;
                return std::nullopt;
            }
            o.seed = s;
        } else if (a == "--epoch") {
            if (!value(v)) return std::nullopt;
            if (!ToDouble(v, d) || d < 0 || d > 4e9) {
                error = "--epoch takes seconds since 1970: " + v;
                return std::nullopt;
            }
            o.epoch = d;
        } else if (a == "--interval") {
            if (!value(v)) return std::nullopt;
            if (!ToDouble(v, d) || d < 0.001 || d > 7200) {
                error = "--interval takes 0.001 to 7200 seconds: " + v;
                return std::nullopt;
            }
            o.interval_s = d;
        } else if (a == "--range") {
            if (!value(v)) return std::nullopt;
            if (!ToDouble(v, d) || d < 1 || d > 120) {
                error = "--range takes 1 to 120 metres: " + v;
                return std::nullopt;
            }
            o.range_mm = static_cast<int>(std::lround(d * 1000));
        } else if (a == "--mode" || a == "--device-id" || a == "--garbage" || a == "--overlong" ||
                   a == "--truncate" || a == "--hangup") {
            if (!value(v)) return std::nullopt;
            const long lo = a == "--mode" ? 1 : 0;
            const long hi = a == "--mode" ? 6 : a == "--device-id" ? 9999 : 100000000;
            if (!ToInt(v, lo, hi, n)) {
                error = a + " takes a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ": " + v;
                return std::nullopt;
            }
            const int iv = static_cast<int>(n);
            if (a == "--mode") o.outputMode = iv;
            else if (a == "--device-id") o.deviceId = iv;
            else if (a == "--garbage") o.garbageEvery = iv;
            else if (a == "--overlong") o.overlongEvery = iv;
            else if (a == "--truncate") o.truncateEvery = iv;
            else o.hangupAfter = iv;
        } else if (a == "--record" || a == "--sent") {
            if (!value(v)) return std::nullopt;
            (a == "--record" ? o.recordFile : o.sentFile) = v;
        } else {
            error = "unknown option: " + a;
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace sim

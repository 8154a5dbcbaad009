#include "serial/PortParsing.h"

namespace {
constexpr int kListedPorts = 64;
constexpr int kUsablePorts = 32;
}  // namespace

std::vector<std::string> DevicePortEntries()
{
    std::vector<std::string> entries;
    for (int n = 1; n <= kListedPorts; ++n)
        entries.push_back("COM" + std::to_string(n));
    return entries;
}

std::vector<std::string> GpsPortEntries()
{
    std::vector<std::string> entries = {"None"};
    for (int n = 1; n <= kListedPorts; ++n)
        entries.push_back("COM" + std::to_string(n));
    entries.push_back("None");
    return entries;
}

int ParsePortNumber(const std::string& text)
{
    for (int n = 1; n <= kUsablePorts; ++n)
        if (text == "COM" + std::to_string(n))
            return n;
    return 0;
}

int ParseBaudRate(const std::string& text, int defaultRate)
{
    struct Check {
        const char* key;
        int rate;
    };
    static const Check checks[] = {{"4800", 4800},     {"9600", 9600},     {"1920", 19200},
                                   {"38400", 38400},   {"57600", 57600},   {"115200", 115200},
                                   {"230400", 230400}};
    int rate = defaultRate;
    for (const Check& c : checks)
        if (text.find(c.key) != std::string::npos)
            rate = c.rate;
    return rate;
}

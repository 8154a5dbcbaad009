#include "PingText.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<PingText> ParsePings(const std::string& text)
{
    std::vector<PingText> pings;
    bool inData = false;
    for (std::string line : SplitLines(text)) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.rfind("#DeviceID", 0) == 0) {
            pings.emplace_back();
            inData = false;
        }
        if (pings.empty())
            continue;
        PingText& p = pings.back();
        if (line == "##DataStart") {
            inData = true;
        } else if (line == "##DataEnd") {
            if (inData)
                p.complete = true;
            inData = false;
        } else if (inData) {
            ++p.samples;
            p.values.push_back(std::atoi(line.c_str()));
        } else if (!line.empty() && line[0] == '#') {
            const size_t blank = line.find(' ');
            const std::string key = line.substr(0, blank);
            const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
            p.header[key] = value;
            if (key == "#Ping")
                p.number = std::atoi(value.c_str());
        }
    }
    return pings;
}

std::string ExpectedReportLine(const PingText& p)
{
    auto f = [&](const char* key) {
        const auto it = p.header.find(key);
        return it == p.header.end() ? 0.0f : std::strtof(it->second.c_str(), nullptr);
    };
    const float altitudeMm = static_cast<float>(static_cast<double>(f("#Altitude")) * 1000.0);
    char buf[200];
    std::snprintf(buf, sizeof buf, "Ping % 4d) TVG: %d[% 4.1f] Gain: % 5.1f  Alt: %7.1f MaxAmpl: %4u %%\n",
                  p.number, static_cast<int>(f("#TVG_Mode")), static_cast<double>(f("#TVG_Slope")),
                  static_cast<double>(f("#TVG_Gain")), static_cast<double>(altitudeMm),
                  static_cast<unsigned>(f("#DEBUG_EchoMaxAmplitude,%")));
    return buf;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

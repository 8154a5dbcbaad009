#include "CommandInterpreter.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

std::string Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return std::string(s.substr(b, e - b));
}

// Accepted values of each set command. Integer settings take the number with
// its fraction cut off, as the instrument's own firmware would.
struct Setting {
    const char* name;
    double lo, hi;
    bool integer;
};

constexpr Setting kSettings[] = {
    {"range", 1000, 120000, true},    {"interval", 0.05, 7200, false},
    {"threshold", 0, 100, true},      {"offset", -10000, 10000, true},
    {"deadzone", 0, 10000, true},     {"txlength", 5, 1000, true},
    {"tvgmode", 0, 3, true},          {"gain", -60, 60, false},
    {"tvgslope", 0.1, 5, false},      {"output", 1, 6, true},
};

std::string Line(const char* fmt, auto... args)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return std::string(buf) + "\r\n";
}

}  // namespace

std::string CommandInterpreter::Feed(std::string_view bytes)
{
    std::string reply;
    for (const char ch : bytes) {
        if (ch == '\r' || ch == '\n') {
            if (m_overlong)
                reply += "#ERR line too long\r\n";
            else
                reply += Execute(m_line);
            m_line.clear();
            m_overlong = false;
        } else if (m_line.size() < kMaxLine) {
            m_line.push_back(ch);
        } else {
            m_overlong = true;
        }
    }
    return reply;
}

std::string CommandInterpreter::Execute(const std::string& raw)
{
    const std::string line = Trim(raw);
    if (line.empty())
        return {};
    m_executed.push_back(line);
    if (line == "#") {
        m_pinging = false;
        return {};
    }
    if (line[0] != '#')
        return "#ERR unknown command: " + line + "\r\n";

    const size_t blank = line.find(' ');
    const std::string name = line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
    const std::string argument = blank == std::string::npos ? std::string() : Trim(line.substr(blank + 1));

    if (name == "go") {
        m_pinging = true;
        return "#OK go\r\n";
    }
    if (name == "info")
        return InfoText();
    if (name == "help") {
        return "Commands:\r\n"
               "  #range <mm>        #interval <s>      #threshold <%>\r\n"
               "  #offset <mm>       #deadzone <mm>     #txlength <us>\r\n"
               "  #tvgmode <0..3>    #gain <dB>         #tvgslope <k>\r\n"
               "  #output <1..6>     #info  #help  #go  #default\r\n";
    }
    if (name == "default") {
        const int id = m_params.deviceId;
        m_params = DefaultParams();
        m_params.deviceId = id;
        return "#OK default\r\n";
    }
    return SetValue(name, argument);
}

std::string CommandInterpreter::SetValue(const std::string& name, const std::string& argument)
{
    const Setting* setting = nullptr;
    for (const Setting& s : kSettings)
        if (name == s.name)
            setting = &s;
    if (!setting)
        return "#ERR unknown command: #" + name + "\r\n";

    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(argument.c_str(), &end);
    if (argument.empty() || end == argument.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        return "#ERR " + name + ": not a number: " + argument + "\r\n";
    if (v < setting->lo || v > setting->hi)
        return Line("#ERR %s %s: out of range %g..%g", name.c_str(), argument.c_str(), setting->lo, setting->hi);

    const int iv = static_cast<int>(std::trunc(v));
    if (name == "range") m_params.range_mm = iv;
    else if (name == "interval") m_params.interval_s = v;
    else if (name == "threshold") m_params.threshold = iv;
    else if (name == "offset") m_params.offset_mm = iv;
    else if (name == "deadzone") m_params.deadzone_mm = iv;
    else if (name == "txlength") m_params.txlength_us = iv;
    else if (name == "tvgmode") m_params.tvgMode = iv;
    else if (name == "gain") m_params.gain_db = v;
    else if (name == "tvgslope") m_params.tvgSlope = v;
    else if (name == "output") m_params.outputMode = iv;
    return "#OK " + name + " " + argument + "\r\n";
}

std::string CommandInterpreter::InfoText() const
{
    const InstrumentParams& p = m_params;
    std::string s = "Pelagrix echosounder (simulated)\r\n";
    s += Line("Device ID: %d", p.deviceId);
    s += Line(" - range     [%d] mm", p.range_mm);
    s += Line(" - interval  [%.2f] s", p.interval_s);
    s += Line(" - series    [1]");
    s += Line(" - threshold [%d] %%", p.threshold);
    s += Line(" - offset    [%d] mm", p.offset_mm);
    s += Line(" - deadzone  [%d] mm", p.deadzone_mm);
    s += Line(" - txlength  [%d] uks", p.txlength_us);
    s += Line(" - amplitude [100] %%");
    s += Line(" - tvgmode   [%d]", p.tvgMode);
    s += Line(" - gain      [%.1f] dB", p.gain_db);
    s += Line(" - tvgslope  [%.2f]", p.tvgSlope);
    s += Line(" - output    [%d] %s", p.outputMode, OutputModeName(p.outputMode));
    s += Line("Battery Level, mV: %d", 12050);
    s += Line("Memory[MB]: 512 total, free after 488.0");
    return s;
}

}  // namespace sim

#include "intake/DebugText.h"

#include <cstdarg>
#include <cstdio>

namespace {

[[gnu::format(printf, 1, 2)]] std::string Formatted(const char* format, ...)
{
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string TvgPiece(int32_t mode)
{
    switch (mode) {
    case 0:
        return "[TVG 0 R    ] ";
    case 1:
        return "[TVG 1 Theor] ";
    case 2:
        return "[TVG 2 Spher] ";
    case 3:
        return "[TVG 3 Flat ] ";
    default:
        return Formatted("[TVG:%d] ", mode);
    }
}

}  // namespace

std::vector<std::string> PingDebugPieces(const DeviceParamsRecord& p, const PingDebugValues& v)
{
    std::vector<std::string> pieces;
    pieces.push_back("\r\nDEBUG ");
    pieces.push_back(TvgPiece(p.TVG_Mode));
    pieces.push_back(Formatted("Gain,dB: %.1f ", static_cast<double>(p.TVG_Gain)));
    pieces.push_back(Formatted("Tx,uks: %u ", static_cast<unsigned>(p.PulseLength_us)));
    if (p.TVG_Slope != 1.0f)
        pieces.push_back(Formatted("Slope: %.1f ", static_cast<double>(p.TVG_Slope)));
    pieces.push_back(Formatted("NSInBuff: %u ", static_cast<unsigned>(v.samplesInRow)));
    pieces.push_back(Formatted("AltLoc,mm: %.1f ", static_cast<double>(v.altLoc_mm)));
    pieces.push_back(Formatted("MaxAm: %u ", static_cast<unsigned>(v.maxAm)));
    pieces.push_back(Formatted("SFreq: %d ", p.Frequency_Hz));
    pieces.push_back(Formatted("last_ping: %u ", static_cast<unsigned>(v.lastPing)));
    return pieces;
}

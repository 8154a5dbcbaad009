#include "intake/DebugText.h"

#include "platform/FormatText.h"

namespace {

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
        return FormatText("[TVG:%d] ", mode);
    }
}

}  // namespace

std::vector<std::string> PingDebugPieces(const DeviceParamsRecord& p, const PingDebugValues& v)
{
    std::vector<std::string> pieces;
    pieces.push_back("\r\nDEBUG ");
    pieces.push_back(TvgPiece(p.TVG_Mode));
    pieces.push_back(FormatText("Gain,dB: %.1f ", static_cast<double>(p.TVG_Gain)));
    pieces.push_back(FormatText("Tx,uks: %u ", static_cast<unsigned>(p.PulseLength_us)));
    if (p.TVG_Slope != 1.0f)
        pieces.push_back(FormatText("Slope: %.1f ", static_cast<double>(p.TVG_Slope)));
    pieces.push_back(FormatText("NSInBuff: %u ", static_cast<unsigned>(v.samplesInRow)));
    pieces.push_back(FormatText("AltLoc,mm: %.1f ", static_cast<double>(v.altLoc_mm)));
    pieces.push_back(FormatText("MaxAm: %u ", static_cast<unsigned>(v.maxAm)));
    pieces.push_back(FormatText("SFreq: %d ", p.Frequency_Hz));
    pieces.push_back(FormatText("last_ping: %u ", static_cast<unsigned>(v.lastPing)));
    return pieces;
}

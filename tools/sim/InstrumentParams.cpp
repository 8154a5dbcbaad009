#include "InstrumentParams.h"

namespace sim {

InstrumentParams DefaultParams() { return InstrumentParams{}; }

int SampleCount(const InstrumentParams& p)
{
    switch (p.outputMode) {
    case kFixed200: return 200;
    case kFixed500: return 500;
    case kFixed1000: return 1000;
    default: return static_cast<int>(p.range_mm / ResolutionMm(p));
    }
}

double ResolutionMm(const InstrumentParams& p)
{
    switch (p.outputMode) {
    case kFixed200: return p.range_mm / 200.0;
    case kFixed500: return p.range_mm / 500.0;
    case kFixed1000: return p.range_mm / 1000.0;
    default: return p.range_mm > 45000 ? 15.0 : 7.5;
    }
}

bool IsEchosounderMode(int mode)
{
    return mode == kEchosounder || mode == kFixed200 || mode == kFixed500 || mode == kFixed1000;
}

const char* OutputModeName(int mode)
{
    switch (mode) {
    case kAltimeterSimple: return "Altimeter Simple";
    case kEchosounder: return "Echosounder";
    case kAltimeterNmea: return "Altimeter NMEA";
    case kFixed200: return "Echosounder Fixed 200 Samples";
    case kFixed500: return "Echosounder Fixed 500 Samples";
    case kFixed1000: return "Echosounder Fixed 1000 Samples";
    default: return "unknown";
    }
}

}  // namespace sim

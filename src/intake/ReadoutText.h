#pragma once
// The nine lines of the "Sensors Output" panel: ping, altitude, temperature,
// pitch, roll, vertical orientation, number of samples, file size and file
// position. Each line ends with its own LF; a line with nothing to show is a
// single LF.

#include <cstdint>
#include <string>

#include "intake/DeviceParams.h"

inline constexpr int kReadoutLineCount = 9;
using ReadoutLines = std::string[kReadoutLineCount];

struct ReadoutCounters {
    int32_t bytesIn = 0;         // bytes taken in
    int32_t playFileLength = 0;  // length of the played file, 0 when none
    int32_t connected = 0;       // 1 while the instrument is connected
};

// The bare labels shown before the first ping.
void SetReadoutLabels(ReadoutLines& lines);

// The lines for the latest ping. Altitude in mm with one decimal below a
// 1000 mm range, else in m with three; temperature and attitude unless the
// simple altimeter; vertical orientation and sample count only for the
// echosounder; file position only in playback.
void FormatReadoutLines(const DeviceParamsRecord& params, const ReadoutCounters& counters,
                        ReadoutLines& lines);

// The panel text: the nine lines joined without separators, into `out`.
void JoinReadoutLines(const ReadoutLines& lines, std::string& out);

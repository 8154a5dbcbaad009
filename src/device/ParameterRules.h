#pragma once
// The parameter apply's table: how each parameter list's text is read, which
// field of the instrument's record it is compared with and stored into, and
// the set command that carries it to the instrument.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "intake/DeviceParams.h"

// The ten parameter lists in the order of the apply.
inline constexpr std::array<int, 10> kApplyListIds = {1010, 1011, 1013, 1014, 1015,
                                                      1016, 1044, 1038, 1041, 1042};
inline constexpr int kOutputModeRow = 9;

// TVG mode of a list text: 0, or the last of "Mode 1" .. "Mode 3" it contains.
int TvgModeFromText(std::string_view text);
// Output mode of a list text: 2 (echosounder), or 1, 3, 4, 5, 6 for the last of
// "Simple", "NMEA", "Fixed 200", "Fixed 500", "Fixed 1000" it contains.
int OutputModeFromText(std::string_view text);

// One row of the apply (0 .. 9). The text is read into the row's value; when
// it differs from the record's field (a value that is not a number always
// differs) or `sendAll` is set, the value is stored into the field and the
// command is returned. Otherwise the record is left alone and nothing is
// returned, except for the output mode row, whose value is stored in every
// case.
std::optional<std::string> ApplyRow(int row, std::string_view text, DeviceParamsRecord& params,
                                    bool sendAll);

// In the altimeter output modes (1 and 3) the instrument samples every
// 7.5 mm, or every 15 mm beyond 45 m of range; the record's resolution and
// sample count follow. Other modes leave the record alone.
void ApplyAltimeterGeometry(DeviceParamsRecord& params);

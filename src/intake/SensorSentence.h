#pragma once
// The NMEA sensor sentences of the altimeter modes: DBT and DPT (depth), MTW
// (water temperature) and YXXDR (pitch and roll). Fields are read by
// position; checksums and talker identifiers are not examined.

#include <string_view>

#include "intake/DeviceParams.h"

// Takes `line` when it contains `id` and one of the known layouts matches,
// tried in a fixed order whatever `id` asks for: ",f," (DBT metres), "DPT",
// "MTW", then "PTCH" with "XDR," (pitch) and "ROLL" (roll). Stores pitch and
// roll into `params` itself; returns the depth, temperature or roll in
// `value` (0 when declined). An XDR sentence without a roll group stores its
// pitch and is declined.
bool ReadSensorSentence(std::string_view line, std::string_view id, float& value,
                        DeviceParamsRecord& params);

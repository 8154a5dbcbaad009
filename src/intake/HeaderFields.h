#pragma once
// The header parse: one line of the instrument's output (NMEA sentence or
// "#" header line) into the parameter record.

#include <cstdint>
#include <string_view>

#include "intake/DeviceParams.h"

enum class HeaderLineKind {
    Unrecognised,  // nothing taken (the time text copies may still have run)
    Taken,         // a sensor sentence or a header key was stored
    GpsSentence,   // a GPS sentence: to be shown in the GPS panel, not decoded
};

// Parses one line (terminator included). NMEA sentences (the line contains
// "$") come first: DBT sets the altitude, `dbtSeen` and output mode 3; DPT
// sets output mode 3 and, until a DBT was seen, the altitude; MTW the
// temperature; YXXDR pitch and roll. Otherwise the "#" keys are tried in
// their fixed order and the first one found is stored.
HeaderLineKind ParseHeaderFields(std::string_view line, DeviceParamsRecord& params,
                                 int32_t& dbtSeen);

// Copies the start of `line` into a 64-byte text field: at most 63 bytes,
// the rest of the field cleared, so the text always ends inside the field.
void CopyTimeText(std::string_view line, char (&field)[64]);

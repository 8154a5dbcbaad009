#pragma once
// The GPS panel's nine lines, oldest first, and the limits of GPS lines.

#include <cstdint>
#include <string>

inline constexpr int32_t kGpsPanelLines = 9;
inline constexpr int32_t kGpsLineLimit = 1000;
inline constexpr int32_t kGpsResumeThreshold = 60;
// A longer line shows as this many characters and CR LF.
inline constexpr size_t kGpsShownChars = 37;

// Drops the oldest line and adds `line` (NUL-terminated, terminator
// included) as the newest, cut after kGpsShownChars characters and ended with
// CR LF when it is longer than that.
void ScrollGpsPanel(std::string (&lines)[kGpsPanelLines], const char* line);

// The nine lines joined without separators.
std::string JoinGpsPanel(const std::string (&lines)[kGpsPanelLines]);

#pragma once
// Constants and texts of the receive dispatch.

#include <cstdint>
#include <string>

// A ring holding more than this many bytes is emptied unprocessed.
inline constexpr int32_t kBacklogLimit = 600000;

inline constexpr const char* kDeviceBacklogFormat =
    "External serial buffer was cleared: %ld Bytes [%.1f KBytes] \r\n";
inline constexpr const char* kGpsBacklogFormat =
    "External GPS serial buffer was cleared: %ld Bytes [%.1f KBytes] \r\n";

// One of the two formats above filled with a byte count and its KBytes.
std::string BacklogMessage(const char* format, int32_t bytes);

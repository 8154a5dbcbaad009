#pragma once
// The key reader of the instrument's header lines ("#Range,m 45.5").

#include <string_view>

// Finds the first occurrence of `key` in `line`. When found, the value is the
// number after the first blank (0x20) from that occurrence on, read through
// single precision; a key without a following blank, or without a number
// after it, reads as 0 and still counts as found. When not found, `value` is
// 0 and the result false.
bool ReadKeyValue(std::string_view line, std::string_view key, float& value);

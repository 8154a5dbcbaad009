#pragma once
// printf-style formatting of short texts (console lines, readout lines,
// messages) into std::string. Texts longer than 255 characters are cut.

#include <cstdarg>
#include <string>

// Replaces `out` with the formatted text, reusing its storage.
[[gnu::format(printf, 2, 3)]] void FormatInto(std::string& out, const char* format, ...);
// The formatted text.
[[gnu::format(printf, 1, 2)]] std::string FormatText(const char* format, ...);

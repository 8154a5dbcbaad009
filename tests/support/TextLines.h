#pragma once
// Splitting test output into lines.

#include <string>
#include <vector>

// The lines of `text`, split at LF with the terminators kept; a last line
// without LF is kept as it is.
std::vector<std::string> SplitLines(const std::string& text);

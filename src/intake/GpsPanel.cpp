#include "intake/GpsPanel.h"

#include <cstring>

void ScrollGpsPanel(std::string (&lines)[kGpsPanelLines], const char* line)
{
    for (int32_t i = 0; i + 1 < kGpsPanelLines; ++i)
        lines[i] = std::move(lines[i + 1]);
    const size_t length = std::strlen(line);
    if (length > kGpsShownChars)
        lines[kGpsPanelLines - 1] = std::string(line, kGpsShownChars) + "\r\n";
    else
        lines[kGpsPanelLines - 1] = line;
}

std::string JoinGpsPanel(const std::string (&lines)[kGpsPanelLines])
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

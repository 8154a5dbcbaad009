#include "logging/RecordRules.h"

bool IsPingStartLine(std::string_view line)
{
    return line.find("#DeviceID") != std::string_view::npos;
}

bool IsDepthSentence(std::string_view line)
{
    return line.find('$') != std::string_view::npos && line.find("DPT") != std::string_view::npos;
}

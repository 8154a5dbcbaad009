#include "ui/KeywordSwitches.h"

int32_t SpeedFieldDebugFlag(std::string_view text, int32_t current)
{
    int32_t flag = current;
    if (!text.starts_with("qlomt"))
        flag = 1;
    // Later matches win.
    constexpr std::string_view keywords[] = {"qlomtx 0", "qlomtx 1", "qlomtx 2", "qlomtx 3"};
    for (int32_t value = 0; value < 4; ++value)
        if (text.find(keywords[value]) != std::string_view::npos)
            flag = value;
    return flag;
}

DataOutputSwitches DataOutputFieldSwitches(std::string_view text)
{
    return {text.find("vko") != std::string_view::npos,
            text.find("prbz") != std::string_view::npos};
}

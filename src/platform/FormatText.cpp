#include "platform/FormatText.h"

#include <cstdio>

namespace {

void FormatIntoV(std::string& out, const char* format, va_list args)
{
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    out.assign(text);
}

}  // namespace

void FormatInto(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatIntoV(out, format, args);
    va_end(args);
}

std::string FormatText(const char* format, ...)
{
    std::string out;
    va_list args;
    va_start(args, format);
    FormatIntoV(out, format, args);
    va_end(args);
    return out;
}

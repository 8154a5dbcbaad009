#include "intake/KeyValue.h"

#include "intake/NumberReading.h"

bool ReadKeyValue(std::string_view line, std::string_view key, float& value)
{
    value = 0.0f;
    const size_t at = line.find(key);
    if (at == std::string_view::npos)
        return false;
    const size_t blank = line.find(' ', at);
    if (blank != std::string_view::npos)
        value = ToSingle(ReadLeadingNumber(line.substr(blank + 1)));
    return true;
}

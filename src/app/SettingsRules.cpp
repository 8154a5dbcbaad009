#include "app/SettingsRules.h"

namespace {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

}  // namespace

int FindStoredItem(const std::vector<std::string>& items, const std::string& value)
{
    const size_t count = items.size();
    for (size_t step = 0; step < count; ++step) {
        const size_t index = (step + 1) % count;
        if (EqualIgnoringCase(items[index], value))
            return static_cast<int>(index);
    }
    return -1;
}

std::string TextForStore(const std::string& listText)
{
    return listText.substr(0, kStoredTextMax);
}

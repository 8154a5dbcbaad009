#include "ui/ConsoleText.h"

size_t DropLastLineIfMarked(std::string& text, std::string_view marker)
{
    const size_t n = text.size();
    if (n < 4)
        return 0;
    // A CR at position c with c in 1 .. n-3.
    for (size_t c = n - 3; c >= 1; --c) {
        if (text[c] != '\r')
            continue;
        if (std::string_view(text).substr(c).find(marker) == std::string_view::npos)
            return 0;
        const size_t removed = n - (c + 2);
        text.resize(c + 2);
        return removed;
    }
    return 0;
}

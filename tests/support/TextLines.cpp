#include "support/TextLines.h"

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
        out.push_back(text.substr(start, lf + 1 - start));
    if (start < text.size())
        out.push_back(text.substr(start));
    return out;
}

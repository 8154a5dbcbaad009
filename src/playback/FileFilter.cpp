#include "playback/FileFilter.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos
                                                                    : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "*.LOG;" -> "*.LOG *.log", "*.*" -> "*".
std::string QtPatterns(const std::string& classicPatterns)
{
    std::vector<std::string> patterns;
    auto add = [&patterns](const std::string& p) {
        if (std::find(patterns.begin(), patterns.end(), p) == patterns.end())
            patterns.push_back(p);
    };
    for (const std::string& raw : Split(classicPatterns, ';')) {
        const std::string pattern = Trimmed(raw);
        if (pattern.empty())
            continue;
        if (pattern == "*.*") {
            add("*");
            continue;
        }
        add(pattern);
        add(Lowered(pattern));
    }
    std::string joined;
    for (const std::string& p : patterns)
        joined += (joined.empty() ? "" : " ") + p;
    return joined.empty() ? "*" : joined;
}

// "CORVALA LOG Data (*.LOG)" -> "CORVALA LOG Data".
std::string WithoutPatternList(const std::string& description)
{
    const std::string trimmed = Trimmed(description);
    if (!trimmed.empty() && trimmed.back() == ')') {
        const size_t open = trimmed.rfind('(');
        if (open != std::string::npos)
            return Trimmed(trimmed.substr(0, open));
    }
    return trimmed;
}

}  // namespace

std::string QtFileFilter(const std::string& classicFilter)
{
    const std::vector<std::string> fields = Split(classicFilter, '|');
    std::string result;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (Trimmed(fields[i]).empty() && Trimmed(fields[i + 1]).empty())
            continue;
        std::string entry = WithoutPatternList(fields[i]);
        entry += (entry.empty() ? "(" : " (") + QtPatterns(fields[i + 1]) + ")";
        result += (result.empty() ? "" : ";;") + entry;
    }
    return result;
}

#include "LogFiles.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

const char* const kLocalStampPattern = R"(#TimeLocal  \d{8} \d\d:\d\d:\d\d\.\d\d\r\n)";
const char* const kUtcStampPattern = R"(#TimeUTC    \d{8} \d\d:\d\d:\d\d\.\d\d\r\n)";
const char* const kZdaStampPattern =
    R"(\$GPZDA,\d{6}\.\d\d,\d\d,\d\d,\d{4},-?\d\d,-?\d\d\*[0-9A-F]{2}\r\n)";

std::string MakeTempFolder(const char* stem)
{
    const char* home = getenv("HOME");
    std::string templ = std::string(home && *home ? home : "/tmp") + "/" + stem + ".XXXXXX";
    if (!mkdtemp(templ.data()))
        return {};
    return templ + "/";
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
        lines.push_back(text.substr(start, lf + 1 - start));
        start = lf + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

::testing::AssertionResult LinesMatch(const std::string& body,
                                      const std::vector<ExpectedLine>& expected)
{
    const std::vector<std::string> lines = SplitLines(body);
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        if (i >= lines.size())
            return ::testing::AssertionFailure()
                   << "line " << i << " missing, expected " << ::testing::PrintToString(expected[i].text);
        if (i >= expected.size())
            return ::testing::AssertionFailure()
                   << "unexpected line " << i << ": " << ::testing::PrintToString(lines[i]);
        const bool ok = expected[i].pattern
                            ? std::regex_match(lines[i], std::regex(expected[i].text))
                            : lines[i] == expected[i].text;
        if (!ok)
            return ::testing::AssertionFailure()
                   << "line " << i << " is " << ::testing::PrintToString(lines[i]) << ", expected "
                   << (expected[i].pattern ? "pattern " : "") << ::testing::PrintToString(expected[i].text);
    }
    return ::testing::AssertionSuccess();
}

size_t HeaderLength(const std::string& file)
{
    size_t pos = 0;
    for (int i = 0; i < 6 && pos != std::string::npos; ++i) {
        pos = file.find('\n', pos);
        if (pos != std::string::npos)
            ++pos;
    }
    return pos == std::string::npos ? file.size() : pos;
}

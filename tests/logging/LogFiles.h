#pragma once
// Helpers for the data log tests: temporary folders, whole-file reads, and a
// line-by-line comparison of a log body against literal lines and patterns.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

// A fresh folder under the test's temporary HOME, with a trailing "/".
std::string MakeTempFolder(const char* stem);
std::string ReadWholeFile(const std::string& path);
// The file's text cut after every LF; a last piece without LF is kept.
std::vector<std::string> SplitLines(const std::string& text);

// Patterns of the time stamp lines.
extern const char* const kLocalStampPattern;
extern const char* const kUtcStampPattern;
extern const char* const kZdaStampPattern;

// One expected line: exact text, or a regular expression when `pattern`.
struct ExpectedLine {
    std::string text;
    bool pattern = false;
};
inline ExpectedLine Exact(std::string text) { return {std::move(text), false}; }
inline ExpectedLine Pattern(std::string text) { return {std::move(text), true}; }

// Compares the lines of `body` with `expected`, one for one.
::testing::AssertionResult LinesMatch(const std::string& body,
                                      const std::vector<ExpectedLine>& expected);

// The header block's length: its five lines.
size_t HeaderLength(const std::string& file);

#pragma once
// The fixed command texts sent to the instrument.

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Wakes the instrument into command mode before a command.
inline constexpr const char* kAttentionSequence = "#\r#\r\r";
// Returns the instrument to work mode after a command (two blanks first).
inline constexpr const char* kResumeSequence = "  \r#go\r";

// The keyword of the command list (or of a typed text) and its command.
struct KeywordCommand {
    const char* keyword;
    const char* command;
};
inline constexpr std::array<KeywordCommand, 4> kKeywordCommands = {{
    {"help", "#help\r"},
    {"info", "#info\r"},
    {"go", "#go\r"},
    {"default", "#default\r"},
}};

// The commands a command list text asks for, in the table's order: every
// keyword the text contains (case-sensitive, anywhere) sends its command.
inline std::vector<const char*> CommandsForText(std::string_view text)
{
    std::vector<const char*> commands;
    for (const KeywordCommand& pair : kKeywordCommands)
        if (text.find(pair.keyword) != std::string_view::npos)
            commands.push_back(pair.command);
    return commands;
}

// The longest text a formatted command may have.
inline constexpr size_t kFormattedCommandMax = 99;

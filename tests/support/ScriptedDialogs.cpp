#include "support/ScriptedDialogs.h"

void ScriptedDialogs::Message(const std::string& title, const std::string& text)
{
    shown.push_back({"message", title, text});
}

bool ScriptedDialogs::AskYesNo(const std::string& title, const std::string& text)
{
    shown.push_back({"question", title, text});
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::OpenFileName(const std::string& caption,
                                                         const std::string& filter,
                                                         const std::string& /*folder*/)
{
    shown.push_back({"open", caption, filter});
    lastFilter = filter;
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::ChooseFolder(const std::string& caption,
                                                         const std::string& prompt,
                                                         const std::string& /*start*/,
                                                         const FolderCheck& confirm)
{
    shown.push_back({"folder", caption, prompt});
    while (!folderAnswers.empty()) {
        auto answer = folderAnswers.front();
        folderAnswers.pop_front();
        if (!answer)
            return std::nullopt;
        if (!confirm || confirm(*answer) == 0)
            return answer;
    }
    return std::nullopt;
}

void ScriptedDialogs::About()
{
    shown.push_back({"about", "", ""});
}

void ScriptedDialogs::SetBusyCursor(bool busy)
{
    busyDepth += busy ? 1 : -1;
}

std::vector<std::string> ScriptedDialogs::Messages() const
{
    std::vector<std::string> texts;
    for (const Shown& s : shown)
        if (s.kind == "message")
            texts.push_back(s.text);
    return texts;
}

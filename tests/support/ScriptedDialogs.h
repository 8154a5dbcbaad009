#pragma once
// Operator dialogs for tests: records every message and question and answers
// from queues, so no test blocks on a modal window.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/OperatorDialogs.h"

class ScriptedDialogs : public OperatorDialogs {
public:
    struct Shown {
        std::string kind;  // "message", "question", "open", "folder", "about"
        std::string title;
        std::string text;
    };

    void Message(const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    std::optional<std::string> OpenFileName(const std::string& caption,
                                            const std::string& filter,
                                            const std::string& folder) override;
    // Each entry of folderAnswers is one action in the open chooser: a path
    // typed followed by OK (handed to `confirm`; when refused, the chooser
    // stays open and takes the next entry) or nothing for Cancel.
    std::optional<std::string> ChooseFolder(const std::string& caption,
                                            const std::string& prompt,
                                            const std::string& start,
                                            const FolderCheck& confirm) override;
    void About() override;
    void SetBusyCursor(bool busy) override;

    // Answers, used in order; an empty queue answers No / cancel.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;

    std::vector<Shown> shown;
    std::string lastFilter;
    int busyDepth = 0;

    // The texts of the message boxes shown so far.
    std::vector<std::string> Messages() const;
    void Clear() { shown.clear(); }
};

#pragma once
// The operator dialogs the program shows besides its main window: message
// boxes, yes/no questions, the open-file dialog, the folder chooser's browse
// window and the busy cursor. The program uses the Qt implementation; tests
// install a scripted one that records every message and answers from a queue.

#include <functional>
#include <optional>
#include <string>

class QWidget;

class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;

    // A message box with an OK button.
    virtual void Message(const std::string& title, const std::string& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
    // The open-file dialog; filter in Qt's form ("Name (*.a *.b);;All (*)").
    // Empty when the operator cancels.
    virtual std::optional<std::string> OpenFileName(const std::string& caption,
                                                    const std::string& filter,
                                                    const std::string& folder) = 0;
    // The folder chooser: a folder tree with an editable path field above it,
    // starting at `start`. Each OK hands the field's path to `confirm`, which
    // returns 0 to accept it; any other value keeps the chooser open. Returns
    // the accepted folder (without a trailing separator) or nothing when the
    // operator cancels.
    using FolderCheck = std::function<int(const std::string& path)>;
    virtual std::optional<std::string> ChooseFolder(const std::string& caption,
                                                    const std::string& prompt,
                                                    const std::string& start,
                                                    const FolderCheck& confirm) = 0;
    // The about box, modal over the main window.
    virtual void About() = 0;
    virtual void SetBusyCursor(bool busy) = 0;
};

// Real dialogs over `parent`.
class QtOperatorDialogs : public OperatorDialogs {
public:
    explicit QtOperatorDialogs(QWidget* parent) : m_Parent(parent) {}
    void Message(const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    std::optional<std::string> OpenFileName(const std::string& caption,
                                            const std::string& filter,
                                            const std::string& folder) override;
    std::optional<std::string> ChooseFolder(const std::string& caption,
                                            const std::string& prompt,
                                            const std::string& start,
                                            const FolderCheck& confirm) override;
    void About() override;
    void SetBusyCursor(bool busy) override;

private:
    QWidget* m_Parent;
};

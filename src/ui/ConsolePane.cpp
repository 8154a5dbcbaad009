// The console pane: the program's log, and the line the operator types to
// send a command to the instrument.

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>

#include "app/CVessaDlg.h"
#include "ui/ConsoleText.h"
#include "ui/ControlTable.h"

namespace {

// Characters typed since the last Enter, NUL-terminated.
constexpr int kTypedCommandSize = 1000;
char g_TypedCommand[kTypedCommandSize];
int32_t g_TypedCommandLen = 0;

// The pane stores a CR LF line break as one paragraph break; a lone LF is a
// paragraph break too. A lone CR (the one ending an echoed command) is kept as
// the symbol for carriage return, so it shows as a mark, not a line break,
// and reads back as CR. Other bytes keep their Latin-1 value.
constexpr char16_t kLoneCrSymbol = u'\u240D';

char PaneCharToByte(QChar ch)
{
    return ch == QChar(kLoneCrSymbol) ? '\r' : static_cast<char>(ch.toLatin1());
}

QString PaneTextFrom(std::string_view text)
{
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;  // the LF that follows makes the break
        out += c == '\r' ? QChar(kLoneCrSymbol) : QChar(static_cast<unsigned char>(c));
    }
    return out;
}

// RAII marker for the program's own edits of the pane.
class ProgramEdit {
public:
    explicit ProgramEdit(bool& flag) : m_Flag(flag), m_Old(flag) { m_Flag = true; }
    ~ProgramEdit() { m_Flag = m_Old; }

private:
    bool& m_Flag;
    bool m_Old;
};

}  // namespace

void CVessaDlg::ConsoleAppend(const std::string& text)
{
    if (text.empty())
        return;
    ProgramEdit edit(m_ConsoleProgramEdit);
    // Insert at the end only: the cost of an append does not grow with the log.
    QTextCursor cursor(m_Console->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(PaneTextFrom(text));
    m_Console->verticalScrollBar()->setValue(m_Console->verticalScrollBar()->maximum());
    m_Console->moveCursor(QTextCursor::End);
}

void CVessaDlg::ConsoleAppend(const char* text)
{
    if (text)
        ConsoleAppend(std::string(text));
}

std::string CVessaDlg::ConsoleText() const
{
    const QString plain = m_Console->toPlainText();
    std::string out;
    out.reserve(static_cast<size_t>(plain.size()) + 64);
    for (QChar ch : plain) {
        if (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator)
            out += "\r\n";
        else
            out += PaneCharToByte(ch);
    }
    return out;
}

void CVessaDlg::ConsoleDropLastLine(const char* marker)
{
    if (!marker || !*marker)
        return;
    // The line to drop starts after one of the last two line breaks, so the
    // last three paragraphs are all the rule needs to see. When they are the
    // whole pane, position 0 of the tail is position 0 of the pane.
    QTextDocument* doc = m_Console->document();
    QTextBlock first = doc->lastBlock();
    for (int i = 0; i < 2 && first.previous().isValid(); ++i)
        first = first.previous();
    QTextCursor tail(doc);
    tail.setPosition(first.position());
    tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    std::string tailText;
    for (QChar ch : tail.selectedText())
        tailText += ch == QChar::ParagraphSeparator ? std::string("\r\n")
                                                   : std::string(1, PaneCharToByte(ch));
    std::string kept = tailText;
    if (DropLastLineIfMarked(kept, marker) == 0)
        return;
    const auto docChars = static_cast<int>(PaneTextFrom(tailText.substr(kept.size())).size());
    ProgramEdit edit(m_ConsoleProgramEdit);
    QTextCursor cut(doc);
    cut.movePosition(QTextCursor::End);
    cut.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, docChars);
    cut.removeSelectedText();
    m_Console->verticalScrollBar()->setValue(m_Console->verticalScrollBar()->maximum());
}

void CVessaDlg::OnTypedInConsole()
{
    const QTextDocument* doc = m_Console->document();
    // characterCount() counts the final paragraph separator as well.
    const int count = doc->characterCount();
    if (count <= 1)
        return;  // the operator deleted everything: no last character
    QChar last = doc->characterAt(count - 2);
    char typed = PaneCharToByte(last);
    if (last == QChar::ParagraphSeparator || last == QLatin1Char('\n') || typed == '\n')
        typed = '\r';
    if (g_TypedCommandLen < kTypedCommandSize - 1) {
        g_TypedCommand[g_TypedCommandLen++] = typed;
        g_TypedCommand[g_TypedCommandLen] = '\0';
    }
    if (g_TypedCommandLen > 1 && typed == '\r') {
        SendCommand(g_TypedCommand);
        g_TypedCommandLen = 0;
        g_TypedCommand[0] = '\0';
        if (m_ProgressMax >= 0)
            SetProgressFull();
    }
}

#pragma once
// Helpers for playback tests on the started main window: a temporary folder,
// files written byte for byte, a file chosen through the scripted dialogs,
// and a probe that acts at the points where a running playback lets the
// window work (its pause points and the processor's delays).

#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/CVessaDlg.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

#include <QCheckBox>
#include <QPushButton>

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() +
                              "/pelagrix-playback.XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_Path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_Path; }
    std::string File(const std::string& name) const { return m_Path + "/" + name; }

private:
    std::string m_Path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines of plain text the processor takes as nothing in particular, exactly
// `size` bytes long, each line `lineLength` bytes with its LF.
inline std::string FillerText(size_t size, size_t lineLength = 100)
{
    std::string line(lineLength - 1, 'f');
    line += '\n';
    std::string text;
    text.reserve(size);
    while (text.size() + line.size() <= size)
        text += line;
    text.append(size - text.size(), 't');
    return text;
}

inline void SetReportWanted(CVessaDlg& dlg, bool wanted)
{
    static_cast<QCheckBox*>(dlg.Control(Id::CreateLogFile))->setChecked(wanted);
}

// Chooses `path` in the file dialog and plays it; returns when it ended.
inline void ChooseAndPlay(CVessaDlg& dlg, ScriptedDialogs& dialogs, const std::string& path)
{
    dialogs.fileAnswers.push_back(path);
    dlg.OnSelectInputFile();
}

inline size_t OpenDialogsShown(const ScriptedDialogs& dialogs)
{
    size_t count = 0;
    for (const auto& shown : dialogs.shown)
        count += shown.kind == "open";
    return count;
}

inline bool Enabled(CVessaDlg& dlg, int id) { return dlg.Control(id)->isEnabled(); }

// The Ended state: of the five playback buttons only REPLAY works; Connect
// and the parameter controls are usable again.
inline bool InEndedState(CVessaDlg& dlg)
{
    return !Enabled(dlg, Id::Step) && Enabled(dlg, Id::Replay) && !Enabled(dlg, Id::Stop) &&
           !Enabled(dlg, Id::Play) && !Enabled(dlg, Id::Pause) && Enabled(dlg, Id::Connect) &&
           Enabled(dlg, Id::Apply) && dlg.m_PlaybackRunning == 0;
}

// Calls `action` every `intervalMs` whenever the window handles events.
class Probe {
public:
    Probe(int intervalMs, std::function<void()> action) : m_Action(std::move(action))
    {
        m_Timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_Timer, &QTimer::timeout, [this] { m_Action(); });
        m_Timer.start(intervalMs);
    }

private:
    std::function<void()> m_Action;
    QTimer m_Timer;
};

#include "support/MainWindowFixture.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <memory>

namespace {
struct Shared {
    std::unique_ptr<CVessaDlg> dlg;
    ScriptedDialogs* dialogs = nullptr;
};

Shared& TheSharedIfAny()
{
    static Shared shared;
    return shared;
}

Shared& TheShared()
{
    Shared& shared = TheSharedIfAny();
    if (!shared.dlg) {
        shared.dlg = std::make_unique<CVessaDlg>();
        auto dialogs = std::make_unique<ScriptedDialogs>();
        shared.dialogs = dialogs.get();
        shared.dlg->SetDialogs(std::move(dialogs));
        shared.dlg->OnInitDialog();
        shared.dlg->show();
    }
    return shared;
}
}  // namespace

CVessaDlg& StartedMainWindow() { return *TheShared().dlg; }
ScriptedDialogs& StartedDialogs() { return *TheShared().dialogs; }

void ReleaseStartedMainWindow()
{
    Shared& shared = TheSharedIfAny();
    shared.dlg.reset();
    shared.dialogs = nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

size_t CountOf(const std::string& haystack, const std::string& needle)
{
    size_t count = 0;
    for (size_t pos = haystack.find(needle); pos != std::string::npos;
         pos = haystack.find(needle, pos + needle.size()))
        ++count;
    return count;
}

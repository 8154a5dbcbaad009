#include "app/CVessaApp.h"

#include <QCoreApplication>

#include <memory>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"

bool CVessaApp::InitInstance()
{
    // The settings store lives under this organisation and application.
    QCoreApplication::setOrganizationName("Halvorn");
    QCoreApplication::setApplicationName("Vessa");
    g_QuitRequest = 0;
    {
        auto dlg = std::make_unique<CVessaDlg>();
        dlg->OnInitDialog();
        dlg->exec();
        g_QuitRequest = 1;
    }
    return false;
}

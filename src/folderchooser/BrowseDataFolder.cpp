// The "...." button beside the Output Data Folder list: the operator picks or
// types the data folder, which then heads the list.

#include <QComboBox>

#include "app/CVessaDlg.h"
#include "folderchooser/FolderList.h"
#include "folderchooser/ValidateFolder.h"
#include "platform/Text.h"
#include "ui/ControlTable.h"

namespace {

constexpr const char* kChooserCaption = "Browse for Folder for data log Files";
constexpr const char* kChooserPrompt =
    "Select the folder where you want to store the CORVALA data log files";

}  // namespace

void CVessaDlg::BrowseDataFolder()
{
    OperatorDialogs& dialogs = Dialogs();
    const auto chosen = dialogs.ChooseFolder(
        kChooserCaption, kChooserPrompt, m_DataFolder,
        [&dialogs](const std::string& path) { return ValidateFolder(path, dialogs); });
    if (chosen) {
        // The folder gets its trailing separator; the root already has it.
        m_DataFolder = *chosen;
        const char separator = PathSeparator(kNativePathStyle);
        if (m_DataFolder.empty() || m_DataFolder.back() != separator)
            m_DataFolder += separator;
    }
    MakeLogName();
    ConsoleAppend(">> Data Log Folder:" + m_DataFolder + "\r\n");

    // Every press puts the current folder on top, even after a cancel.
    QComboBox* list = List(Id::DataFolder);
    std::vector<std::string> old;
    for (int i = 0; i < list->count(); ++i)
        old.push_back(FromQt(list->itemText(i)));
    list->clear();
    for (const std::string& entry : RebuildFolderList(m_DataFolder, old))
        list->addItem(ToQt(entry));
    list->setCurrentIndex(0);
}

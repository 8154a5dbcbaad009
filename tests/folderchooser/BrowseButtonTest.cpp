// The "...." button on the started main window: the chooser's answer becomes
// the data folder, the console line, and the top of the folder list.

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "folderchooser/ValidateFolder.h"
#include "platform/Text.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

namespace fs = std::filesystem;

namespace {

class BrowseButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = &StartedMainWindow();
        dialogs = &StartedDialogs();
        dialogs->Clear();
        dialogs->folderAnswers.clear();
        dialogs->yesNoAnswers.clear();
        std::string pattern = fs::temp_directory_path().string() + "/browse.XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::vector<std::string> ListEntries() const
    {
        std::vector<std::string> entries;
        QComboBox* list = dlg->List(Id::DataFolder);
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(FromQt(list->itemText(i)));
        return entries;
    }

    std::string LastConsoleLine() const
    {
        const std::string text = dlg->ConsoleText();
        const size_t end = text.rfind("\r\n");
        const size_t start = text.rfind("\r\n", end - 1);
        return text.substr(start == std::string::npos ? 0 : start + 2,
                           end - (start == std::string::npos ? 0 : start + 2));
    }

    CVessaDlg* dlg = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    std::string root;
};

}  // namespace

TEST_F(BrowseButtonTest, ConfirmingAFolderMakesItTheDataFolderWithASeparator)
{
    const std::vector<std::string> before = ListEntries();
    dialogs->folderAnswers = {root};
    QTest::mouseClick(dlg->Button(Id::BrowseFolder), Qt::LeftButton);

    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown[0].kind, "folder");
    EXPECT_EQ(dialogs->shown[0].title, "Browse for Folder for data log Files");
    EXPECT_EQ(dialogs->shown[0].text,
              "Select the folder where you want to store the CORVALA data log files");
    EXPECT_EQ(dlg->m_DataFolder, root + "/");
    EXPECT_EQ(LastConsoleLine(), ">> Data Log Folder:" + root + "/");
    // The next log is named in the new folder.
    EXPECT_EQ(dlg->m_LogPath.rfind(root + "/", 0), 0u) << dlg->m_LogPath;

    std::vector<std::string> expected{root + "/"};
    for (size_t i = 0; i < before.size() && i < 10; ++i)
        expected.push_back(before[i]);
    EXPECT_EQ(ListEntries(), expected);
    EXPECT_EQ(dlg->ControlText(Id::DataFolder), root + "/");
}

TEST_F(BrowseButtonTest, TheRootKeepsItsSingleSeparator)
{
    dialogs->folderAnswers = {std::string("/")};
    dlg->BrowseDataFolder();
    EXPECT_EQ(dlg->m_DataFolder, "/");
    EXPECT_EQ(LastConsoleLine(), ">> Data Log Folder:/");
}

TEST_F(BrowseButtonTest, CancelKeepsTheFolderButStillListsItAndWritesTheLine)
{
    dlg->m_DataFolder = root + "/Kept/";
    const std::vector<std::string> before = ListEntries();
    dlg->BrowseDataFolder();  // no answer queued: the operator cancels

    EXPECT_EQ(dlg->m_DataFolder, root + "/Kept/");
    EXPECT_EQ(LastConsoleLine(), ">> Data Log Folder:" + root + "/Kept/");
    const std::vector<std::string> after = ListEntries();
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after[0], root + "/Kept/");
    EXPECT_EQ(after.size(), std::min<size_t>(before.size() + 1, 11));
    EXPECT_TRUE(dialogs->Messages().empty());
}

TEST_F(BrowseButtonTest, TheChooserStaysOpenUntilAFolderIsAccepted)
{
    const std::string bad = root + "/trailing/";
    const std::string wanted = root + "/New Folder/Inner";
    // Invalid, then declined, then accepted with Yes.
    dialogs->folderAnswers = {bad, wanted, wanted};
    dialogs->yesNoAnswers = {false, true};
    dlg->BrowseDataFolder();

    EXPECT_EQ(dialogs->Messages(), std::vector<std::string>{FolderInvalidMessage(bad)});
    size_t questions = 0;
    for (const auto& s : dialogs->shown)
        questions += s.kind == "question";
    EXPECT_EQ(questions, 2u);
    EXPECT_TRUE(fs::is_directory(wanted));
    EXPECT_EQ(dlg->m_DataFolder, wanted + "/");
}

TEST_F(BrowseButtonTest, AFolderThatCannotBeCreatedLeavesTheDataFolderAlone)
{
    const std::string before = dlg->m_DataFolder;
    fs::create_directory(root + "/A");
    { std::FILE* f = std::fopen((root + "/A/B").c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
    const std::string blocked = root + "/A/B/C";
    dialogs->folderAnswers = {blocked, std::nullopt};
    dialogs->yesNoAnswers = {true};
    dlg->BrowseDataFolder();
    EXPECT_EQ(dialogs->Messages(), std::vector<std::string>{FolderNotCreatedMessage(blocked)});
    EXPECT_EQ(dlg->m_DataFolder, before);
}

TEST_F(BrowseButtonTest, ElevenPressesKeepElevenEntries)
{
    for (int i = 0; i < 12; ++i) {
        const std::string folder = root + "/F" + std::to_string(i);
        fs::create_directory(folder);
        dialogs->folderAnswers = {folder};
        dlg->BrowseDataFolder();
        EXPECT_LE(ListEntries().size(), 11u);
    }
    const std::vector<std::string> entries = ListEntries();
    ASSERT_EQ(entries.size(), 11u);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(entries[static_cast<size_t>(i)], root + "/F" + std::to_string(11 - i) + "/");
}

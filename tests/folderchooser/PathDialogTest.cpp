// The chooser window itself, shown without a modal loop: the path field, the
// tree selection, the OK button and the check that keeps it open.

#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "folderchooser/CPathDialog.h"
#include "folderchooser/ValidateFolder.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

namespace {

class PathDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/pathdialog.XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directory(root + "/Sub");
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // A chooser whose check records each path and answers from `answers`
    // (0 when they run out).
    std::unique_ptr<CPathDialog> Open(const std::string& initial)
    {
        auto dialog = std::make_unique<CPathDialog>(
            nullptr, "Caption", "Prompt", initial, [this](const std::string& path) {
                checked.push_back(path);
                if (answers.empty())
                    return 0;
                const int answer = answers.front();
                answers.erase(answers.begin());
                return answer;
            });
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    static std::string FieldText(CPathDialog& dialog)
    {
        return dialog.PathField()->text().toStdString();
    }

    std::string root;
    std::vector<std::string> checked;
    std::vector<int> answers;
};

}  // namespace

TEST_F(PathDialogTest, OpensOnTheInitialFolderWithOkEnabled)
{
    auto dialog = Open(root + "/Sub/");
    EXPECT_EQ(dialog->windowTitle(), "Caption");
    EXPECT_EQ(FieldText(*dialog), root + "/Sub");
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    auto* model = static_cast<QFileSystemModel*>(dialog->Tree()->model());
    EXPECT_EQ(model->filePath(dialog->Tree()->currentIndex()).toStdString(), root + "/Sub");
}

TEST_F(PathDialogTest, AMissingInitialFolderIsOfferedInThePathField)
{
    auto dialog = Open(root + "/New/Deeper/");
    EXPECT_EQ(FieldText(*dialog), root + "/New/Deeper");
    auto* model = static_cast<QFileSystemModel*>(dialog->Tree()->model());
    EXPECT_EQ(model->filePath(dialog->Tree()->currentIndex()).toStdString(), root);
}

TEST_F(PathDialogTest, TypingEnablesOkOnlyWhenTheFieldIsNotEmpty)
{
    auto dialog = Open(root);
    dialog->PathField()->clear();
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
    EXPECT_EQ(dialog->Path(), "");
    QTest::keyClicks(dialog->PathField(), "/x");
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    EXPECT_EQ(dialog->Path(), "/x");
    QTest::keyClick(dialog->PathField(), Qt::Key_Backspace);
    QTest::keyClick(dialog->PathField(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
}

TEST_F(PathDialogTest, TheFieldHoldsAtMost259Characters)
{
    auto dialog = Open(root);
    dialog->PathField()->setText(QString(300, 'a'));
    EXPECT_EQ(dialog->Path().size(), 259u);
}

TEST_F(PathDialogTest, SelectingAFolderInTheTreeFillsThePathField)
{
    auto dialog = Open(root);
    dialog->PathField()->clear();
    auto* model = static_cast<QFileSystemModel*>(dialog->Tree()->model());
    dialog->Tree()->setCurrentIndex(model->index(QString::fromStdString(root + "/Sub")));
    EXPECT_EQ(FieldText(*dialog), root + "/Sub");
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    dialog->Tree()->setCurrentIndex(model->index("/"));
    EXPECT_EQ(FieldText(*dialog), "/");
}

TEST_F(PathDialogTest, ARefusedPathKeepsTheChooserOpenWithFocusInTheField)
{
    auto dialog = Open(root);
    dialog->Tree()->setFocus();
    dialog->PathField()->setText("/typed/path");
    answers = {1};
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_EQ(checked, std::vector<std::string>{"/typed/path"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Succeeded());
    EXPECT_EQ(dialog->focusWidget(), dialog->PathField());

    // The next OK is checked again and closes the chooser when accepted.
    answers = {0};
    dialog->Hook().OnOK();
    EXPECT_EQ(checked.size(), 2u);
    EXPECT_TRUE(dialog->Succeeded());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Path(), "/typed/path");
}

TEST_F(PathDialogTest, ReturnInThePathFieldPressesOk)
{
    auto dialog = Open(root);
    dialog->PathField()->setText(QString::fromStdString(root + "/Sub"));
    QTest::keyClick(dialog->PathField(), Qt::Key_Return);
    EXPECT_EQ(checked, std::vector<std::string>{root + "/Sub"});
    EXPECT_TRUE(dialog->Succeeded());
}

TEST_F(PathDialogTest, CancelClosesWithoutSuccessOrCheck)
{
    auto dialog = Open(root);
    dialog->reject();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Succeeded());
    EXPECT_TRUE(checked.empty());
}

TEST_F(PathDialogTest, WithTheRealCheckANewNestedFolderIsCreatedAfterYes)
{
    ScriptedDialogs dialogs;
    const std::string target = root + "/A/B/C";
    CPathDialog dialog(nullptr, "Caption", "Prompt", root,
                       [&dialogs](const std::string& path) { return ValidateFolder(path, dialogs); });
    dialog.show();
    dialog.PathField()->setText(QString::fromStdString(target));

    dialogs.yesNoAnswers = {false};
    dialog.Hook().OnOK();
    EXPECT_TRUE(dialog.isVisible());  // declined: stays open, no message
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_FALSE(fs::exists(root + "/A"));

    dialogs.yesNoAnswers = {true};
    dialog.Hook().OnOK();
    EXPECT_TRUE(dialog.Succeeded());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(dialog.Path(), target);

    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, FolderMissingQuestion(target));
}

TEST_F(PathDialogTest, AFolderWithoutAPathOfTheStyleEmptiesTheFieldAndDisablesOk)
{
    // In the Windows style only drive paths count; a POSIX tree item has none.
    CPathDialog dialog(nullptr, "Caption", "Prompt", root, {}, PathStyle::Windows);
    dialog.PathField()->setText("C:\\Data");
    auto* model = static_cast<QFileSystemModel*>(dialog.Tree()->model());
    dialog.Tree()->setCurrentIndex(model->index(QString::fromStdString(root + "/Sub")));
    EXPECT_EQ(FieldText(dialog), "");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
}

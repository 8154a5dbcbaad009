// Accepting a folder on the real file system: the question, the messages,
// creation in order and the failures that keep earlier folders.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "folderchooser/ValidateFolder.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

namespace {

// The real file system, with every creation recorded.
class RecordingFolders : public SystemFolderOps {
public:
    std::vector<std::string> created;
    void CreateFolder(const std::string& path) override
    {
        created.push_back(path);
        SystemFolderOps::CreateFolder(path);
    }
};

class ValidateFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/folderchooser.XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }

    std::vector<std::string> Questions() const
    {
        std::vector<std::string> texts;
        for (const auto& s : dialogs.shown)
            if (s.kind == "question")
                texts.push_back(s.text);
        return texts;
    }

    std::string root;
    ScriptedDialogs dialogs;
    RecordingFolders folders;
};

}  // namespace

TEST(FolderTexts, NameThePath)
{
    EXPECT_EQ(FolderMissingQuestion("/x/y"),
              "The folder:\n\n/x/y\n\ndoes not exist. Do you want the folder to be created?");
    EXPECT_EQ(FolderInvalidMessage("/x/"), "The folder:\n\n/x/\n\nis invalid. Please reenter.");
    EXPECT_EQ(FolderNotCreatedMessage("/x"),
              "The folder:\n\n/x\n\ncan not be created. Please double check.");
}

TEST_F(ValidateFolderTest, AnExistingFolderIsAcceptedWithoutAQuestion)
{
    EXPECT_EQ(ValidateFolder(root, dialogs, PathStyle::Posix, folders), 0);
    EXPECT_EQ(ValidateFolder("/", dialogs, PathStyle::Posix, folders), 0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(folders.created.empty());
}

TEST_F(ValidateFolderTest, AnInvalidPathGivesTheInvalidMessageOnly)
{
    for (const std::string& path : {root + "/", root + "//x", root + "/a:b", std::string("rel")}) {
        dialogs.Clear();
        EXPECT_EQ(ValidateFolder(path, dialogs, PathStyle::Posix, folders), 1) << path;
        EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{FolderInvalidMessage(path)});
        EXPECT_TRUE(Questions().empty());
    }
    EXPECT_TRUE(folders.created.empty());
}

TEST_F(ValidateFolderTest, YesCreatesEveryMissingLevelInOrder)
{
    const std::string target = root + "/A/B/C";
    dialogs.yesNoAnswers = {true};
    EXPECT_EQ(ValidateFolder(target, dialogs, PathStyle::Posix, folders), 0);
    EXPECT_EQ(Questions(), std::vector<std::string>{FolderMissingQuestion(target)});
    EXPECT_TRUE(dialogs.Messages().empty());
    // Levels that exist are asked for too (harmless); the new ones come in order.
    std::vector<std::string> made;
    for (const std::string& p : folders.created)
        if (p.size() > root.size())
            made.push_back(p);
    EXPECT_EQ(made, (std::vector<std::string>{root + "/A", root + "/A/B", root + "/A/B/C"}));
    EXPECT_TRUE(fs::is_directory(target));
}

TEST_F(ValidateFolderTest, DecliningCreatesNothingAndShowsNoMessage)
{
    const std::string target = root + "/Missing";
    dialogs.yesNoAnswers = {false};
    EXPECT_EQ(ValidateFolder(target, dialogs, PathStyle::Posix, folders), -1);
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(folders.created.empty());
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(ValidateFolderTest, AFileInTheWayCannotBeCreatedAndEarlierFoldersStay)
{
    fs::create_directory(root + "/A");
    std::ofstream(root + "/A/B") << "not a folder";
    const std::string target = root + "/A/B/C";
    dialogs.yesNoAnswers = {true};
    EXPECT_EQ(ValidateFolder(target, dialogs, PathStyle::Posix, folders), 2);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{FolderNotCreatedMessage(target)});
    EXPECT_TRUE(fs::is_directory(root + "/A"));
    EXPECT_TRUE(fs::is_regular_file(root + "/A/B"));
}

TEST_F(ValidateFolderTest, AFileNamedAsTheFolderIsNotTakenForIt)
{
    // The last component is a file: it is no folder to write logs into.
    std::ofstream(root + "/file") << "x";
    const std::string target = root + "/file";
    dialogs.yesNoAnswers = {true};
    EXPECT_EQ(ValidateFolder(target, dialogs, PathStyle::Posix, folders), 2);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{FolderNotCreatedMessage(target)});
}

TEST_F(ValidateFolderTest, AReadOnlyParentStopsCreationAndKeepsEarlierFolders)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const std::string locked = root + "/A/Locked";
    fs::create_directories(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string target = root + "/A/Locked/B/C";
    dialogs.yesNoAnswers = {true};
    EXPECT_EQ(ValidateFolder(target, dialogs, PathStyle::Posix, folders), 2);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{FolderNotCreatedMessage(target)});
    EXPECT_FALSE(fs::exists(root + "/A/Locked/B"));
    fs::permissions(locked, fs::perms::owner_all);
}

// Folder path rules: component names, the Windows and POSIX path styles,
// and folder creation against a recorded file system.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "folderchooser/FolderList.h"
#include "folderchooser/FolderRules.h"

namespace {

// A file system held in memory that records every folder creation.
class FakeFolders : public FolderOps {
public:
    std::set<std::string> folders;
    std::set<std::string> refused;  // creating these fails
    std::vector<std::string> created;

    bool IsFolder(const std::string& path) const override { return folders.count(path) != 0; }
    void CreateFolder(const std::string& path) override
    {
        created.push_back(path);
        if (!refused.count(path))
            folders.insert(path);
    }
};

struct PathCase {
    const char* path;
    int expected;
};

}  // namespace

TEST(IsFileNameValid, ComponentRules)
{
    const std::pair<std::string, int> cases[] = {
        {"Data", 1},          {"New Folder", 1},    {"a.b", 1},
        {"x", 1},             {"\xB0grad", 1},      {"", 0},
        {" x", 0},            {"x ", 0},            {"\tx", 0},
        {"x\t", 0},           {".hidden", 0},       {"end.", 0},
        {".", 0},             {"..", 0},            {"a\"b", 0},
        {"a*b", 0},           {"a/b", 0},           {"a:b", 0},
        {"a<b", 0},           {"a>b", 0},           {"a?b", 0},
        {"a\\b", 0},          {"a|b", 0},           {"in side", 1},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(IsFileNameValid(name), expected) << '"' << name << '"';
}

TEST(TouchPath, WindowsStyleCheck)
{
    const PathCase cases[] = {
        {"c:\\data", 0},          {"C:\\New Folder", 0},     {"C:\\", 0},
        {"z:\\a\\b\\c", 0},       {"C:\\New Folder.", 1},    {"C:\\ x", 1},
        {"C:\\Data\\", 1},        {"C:\\Data\\\\Echo", 1},   {"C:\\\\Data", 1},
        {"C:/Data", 1},           {"\\\\server\\share", 1},  {"Data", 1},
        {"", 1},                  {"C:", 1},                 {"1:\\Data", 1},
        {"C;\\Data", 1},          {"C:\\a:b", 1},            {"C:\\Data\\x?", 1},
    };
    for (const PathCase& c : cases) {
        FakeFolders fs;
        EXPECT_EQ(TouchPath(c.path, true, PathStyle::Windows, fs), c.expected) << c.path;
        EXPECT_TRUE(fs.created.empty()) << "checking must not create: " << c.path;
    }
}

TEST(TouchPath, PosixStyleCheck)
{
    const PathCase cases[] = {
        {"/data", 0},        {"/New Folder", 0},   {"/", 0},
        {"/a/b/c", 0},       {"/New Folder.", 1},  {"/ x", 1},
        {"/data/", 1},       {"//data", 1},        {"/a//b", 1},
        {"data", 1},         {"/a/b:c", 1},        {"", 1},
        {"C:\\Data", 1},     {"/a\\b", 1},         {"/a/./b", 1},
        {"/a/../b", 1},      {"./a", 1},
    };
    for (const PathCase& c : cases) {
        FakeFolders fs;
        EXPECT_EQ(TouchPath(c.path, true, PathStyle::Posix, fs), c.expected) << c.path;
        EXPECT_TRUE(fs.created.empty()) << "checking must not create: " << c.path;
    }
}

TEST(TouchPath, PathsLongerThanTheLimitAreInvalidNotCut)
{
    // Cutting such a path would create some other folder than the one named.
    std::string path = "/";
    while (path.size() < kMaxFolderPath)
        path += 'a';
    ASSERT_EQ(path.size(), kMaxFolderPath);
    FakeFolders fs;
    fs.folders.insert("/");
    EXPECT_EQ(TouchPath(path, false, PathStyle::Posix, fs), 0);
    EXPECT_EQ(fs.created, std::vector<std::string>{path});

    FakeFolders longer;
    EXPECT_EQ(TouchPath(path + "b", false, PathStyle::Posix, longer), 1);
    EXPECT_TRUE(longer.created.empty());
}

TEST(TouchPath, RootIsCreatedOnlyWhenItExists)
{
    FakeFolders empty;
    EXPECT_EQ(TouchPath("C:\\", false, PathStyle::Windows, empty), 2);
    EXPECT_EQ(TouchPath("/", false, PathStyle::Posix, empty), 2);
    EXPECT_TRUE(empty.created.empty());

    FakeFolders roots;
    roots.folders = {"C:\\", "/"};
    EXPECT_EQ(TouchPath("C:\\", false, PathStyle::Windows, roots), 0);
    EXPECT_EQ(TouchPath("/", false, PathStyle::Posix, roots), 0);
}

TEST(TouchPath, CreatesEachComponentFromLeftToRight)
{
    FakeFolders win;
    win.folders.insert("C:\\");
    EXPECT_EQ(TouchPath("C:\\A\\B\\C", false, PathStyle::Windows, win), 0);
    EXPECT_EQ(win.created, (std::vector<std::string>{"C:\\A", "C:\\A\\B", "C:\\A\\B\\C"}));

    FakeFolders posix;
    posix.folders.insert("/");
    EXPECT_EQ(TouchPath("/A/B/C", false, PathStyle::Posix, posix), 0);
    EXPECT_EQ(posix.created, (std::vector<std::string>{"/A", "/A/B", "/A/B/C"}));
}

TEST(TouchPath, StopsAtTheFirstComponentThatCannotBeCreated)
{
    FakeFolders fs;
    fs.refused.insert("/A/B");
    EXPECT_EQ(TouchPath("/A/B/C", false, PathStyle::Posix, fs), 2);
    EXPECT_EQ(fs.created, (std::vector<std::string>{"/A", "/A/B"}));
    EXPECT_TRUE(fs.IsFolder("/A"));  // made before the failure, kept
}

TEST(TouchPath, AnInvalidComponentStopsCreationBeforeIt)
{
    FakeFolders fs;
    EXPECT_EQ(TouchPath("/A/ bad/C", false, PathStyle::Posix, fs), 1);
    EXPECT_EQ(fs.created, std::vector<std::string>{"/A"});
}

TEST(IsChooserPath, TreeSelections)
{
    EXPECT_TRUE(IsChooserPath("C:\\Data", PathStyle::Windows));
    EXPECT_TRUE(IsChooserPath("d:", PathStyle::Windows));
    EXPECT_FALSE(IsChooserPath("Network", PathStyle::Windows));
    EXPECT_FALSE(IsChooserPath("", PathStyle::Windows));
    EXPECT_TRUE(IsChooserPath("/", PathStyle::Posix));
    EXPECT_TRUE(IsChooserPath("/home/op", PathStyle::Posix));
    EXPECT_FALSE(IsChooserPath("home", PathStyle::Posix));
    EXPECT_FALSE(IsChooserPath("", PathStyle::Posix));
}

TEST(RebuildFolderList, CurrentOnTopAtMostTenOldKept)
{
    const std::vector<std::string> four = {"/a/", "/b/", "/c/", "Do not write data!"};
    EXPECT_EQ(RebuildFolderList("/b/", four),
              (std::vector<std::string>{"/b/", "/a/", "/b/", "/c/", "Do not write data!"}));
    EXPECT_EQ(RebuildFolderList("/x/", {}), std::vector<std::string>{"/x/"});

    std::vector<std::string> eleven;
    for (int i = 0; i < 11; ++i)
        eleven.push_back("/f" + std::to_string(i) + "/");
    const auto rebuilt = RebuildFolderList("/new/", eleven);
    ASSERT_EQ(rebuilt.size(), 11u);
    EXPECT_EQ(rebuilt.front(), "/new/");
    EXPECT_EQ(rebuilt.back(), "/f9/");
}

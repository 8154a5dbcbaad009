#pragma once
// The rules for data folder paths, without any window: which names may be a
// folder component, which paths are valid, and the creation of a missing
// folder one component at a time. Two styles share the component rules:
// Windows paths ("C:\Data\Echo") and POSIX paths ("/home/op/Data").

#include <string>

enum class PathStyle { Windows, Posix };

// The style of this system's paths.
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;

// Longest path the chooser keeps, in characters.
inline constexpr size_t kMaxFolderPath = 259;

// The separator between folder components in `style`.
char PathSeparator(PathStyle style);

// The file-system operations folder creation needs; tests substitute them.
class FolderOps {
public:
    virtual ~FolderOps() = default;
    // True when `path` exists and is a folder.
    virtual bool IsFolder(const std::string& path) const = 0;
    // Creates the one folder `path` (its parent must exist); an existing
    // folder is no error, and failures show in a later IsFolder.
    virtual void CreateFolder(const std::string& path) = 0;
};

// The real file system of this machine.
class SystemFolderOps : public FolderOps {
public:
    bool IsFolder(const std::string& path) const override;
    void CreateFolder(const std::string& path) override;
};

// TouchPath results.
inline constexpr int kPathOk = 0;
inline constexpr int kPathInvalid = 1;
inline constexpr int kPathNotCreated = 2;

// 1 when `name` may be one folder component, else 0: not empty, no blank,
// tab or "." at either end, none of " * / : < > ? \ | inside.
int IsFileNameValid(const std::string& name);

// Checks `path` in `style` and, unless `checkOnly`, creates each missing
// component from left to right. kPathOk, kPathInvalid, or kPathNotCreated
// when a component (or the root) is not a folder afterwards; folders made
// before the failing component stay. A path longer than kMaxFolderPath is
// invalid rather than cut short, so no other folder than the one named is
// ever created.
int TouchPath(const std::string& path, bool checkOnly, PathStyle style, FolderOps& ops);

// True when a folder picked in the chooser's tree has a path the chooser can
// take: a drive path ("X:...") in the Windows style, an absolute path in the
// POSIX style.
bool IsChooserPath(const std::string& path, PathStyle style);

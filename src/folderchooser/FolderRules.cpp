#include "folderchooser/FolderRules.h"

#include <sys/stat.h>

#include <cstring>

char PathSeparator(PathStyle style)
{
    return style == PathStyle::Windows ? '\\' : '/';
}

bool SystemFolderOps::IsFolder(const std::string& path) const
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void SystemFolderOps::CreateFolder(const std::string& path)
{
    ::mkdir(path.c_str(), 0777);
}

int IsFileNameValid(const std::string& name)
{
    if (name.empty())
        return 0;
    const auto badEnd = [](char c) { return c == '\t' || c == ' ' || c == '.'; };
    if (badEnd(name.front()) || badEnd(name.back()))
        return 0;
    for (char c : name)
        if (c != '\0' && std::strchr("\"*/:<>?\\|", c))
            return 0;
    return 1;
}

namespace {

// Length of the root part ("C:\" or "/"), or 0 when `path` does not begin
// with a valid root in `style`.
size_t RootLength(const std::string& path, PathStyle style)
{
    if (style == PathStyle::Posix)
        return !path.empty() && path[0] == '/' ? 1 : 0;
    if (path.size() < 3)
        return 0;
    const char drive = path[0];
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && path[1] == ':' && path[2] == '\\' ? 3 : 0;
}

}  // namespace

int TouchPath(const std::string& path, bool checkOnly, PathStyle style, FolderOps& ops)
{
    if (path.empty() || path.size() > kMaxFolderPath)
        return kPathInvalid;
    const size_t root = RootLength(path, style);
    if (root == 0)
        return kPathInvalid;
    if (path.size() == root) {
        if (checkOnly)
            return kPathOk;
        return ops.IsFolder(path) ? kPathOk : kPathNotCreated;
    }

    const char sep = PathSeparator(style);
    size_t start = root;
    for (;;) {
        const size_t end = path.find(sep, start);
        const size_t stop = end == std::string::npos ? path.size() : end;
        if (!IsFileNameValid(path.substr(start, stop - start)))
            return kPathInvalid;
        if (!checkOnly) {
            const std::string folder = path.substr(0, stop);
            ops.CreateFolder(folder);
            if (!ops.IsFolder(folder))
                return kPathNotCreated;
        }
        if (end == std::string::npos)
            return kPathOk;
        // Only a root may end in a separator.
        if (end + 1 == path.size())
            return kPathInvalid;
        start = end + 1;
    }
}

bool IsChooserPath(const std::string& path, PathStyle style)
{
    if (style == PathStyle::Windows)
        return path.size() >= 2 && path[1] == ':';
    return !path.empty() && path[0] == '/';
}

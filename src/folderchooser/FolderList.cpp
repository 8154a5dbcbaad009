#include "folderchooser/FolderList.h"

#include <algorithm>

std::vector<std::string> RebuildFolderList(const std::string& current,
                                           const std::vector<std::string>& old)
{
    std::vector<std::string> entries{current};
    const size_t kept = std::min(old.size(), kKeptFolderEntries);
    entries.insert(entries.end(), old.begin(), old.begin() + static_cast<long>(kept));
    return entries;
}

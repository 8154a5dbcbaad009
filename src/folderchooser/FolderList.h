#pragma once
// The Output Data Folder list after a use of the chooser: the current folder
// on top, then the first old entries, duplicates kept.

#include <string>
#include <vector>

// Old entries kept below the current folder.
inline constexpr size_t kKeptFolderEntries = 10;

std::vector<std::string> RebuildFolderList(const std::string& current,
                                           const std::vector<std::string>& old);

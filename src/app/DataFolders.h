#pragma once
// Where data logs go on this system: the user's home folder and the entries
// of the Output Data Folder list.

#include <string>
#include <vector>

// The home folder written out in full, with a trailing "/".
std::string HomeFolderWithSlash();
// "<home>/DataEcho/", "<home>/Documents/DataEcho/", "<home>/Data/" and
// "Do not write data!", for a home folder given with its trailing "/".
std::vector<std::string> DataFolderListEntries(const std::string& homeWithSlash);

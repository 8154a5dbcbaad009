#include "app/DataFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

std::string HomeFolderWithSlash()
{
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        home = pw->pw_dir;
    else
        home = "/";
    if (home.back() != '/')
        home += '/';
    return home;
}

std::vector<std::string> DataFolderListEntries(const std::string& homeWithSlash)
{
    return {homeWithSlash + "DataEcho/", homeWithSlash + "Documents/DataEcho/",
            homeWithSlash + "Data/", "Do not write data!"};
}

#include "folderchooser/ValidateFolder.h"

#include "platform/OperatorDialogs.h"

namespace {

std::string AroundPath(const char* before, const std::string& path, const char* after)
{
    return std::string(before) + path + after;
}

void ShowTouchError(int result, const std::string& path, OperatorDialogs& dialogs)
{
    dialogs.Message(kFolderMessageTitle, result == kPathInvalid
                                             ? FolderInvalidMessage(path)
                                             : FolderNotCreatedMessage(path));
}

}  // namespace

std::string FolderMissingQuestion(const std::string& path)
{
    return AroundPath("The folder:\n\n", path,
                      "\n\ndoes not exist. Do you want the folder to be created?");
}

std::string FolderInvalidMessage(const std::string& path)
{
    return AroundPath("The folder:\n\n", path, "\n\nis invalid. Please reenter.");
}

std::string FolderNotCreatedMessage(const std::string& path)
{
    return AroundPath("The folder:\n\n", path, "\n\ncan not be created. Please double check.");
}

int ValidateFolder(const std::string& path, OperatorDialogs& dialogs, PathStyle style)
{
    SystemFolderOps ops;
    return ValidateFolder(path, dialogs, style, ops);
}

int ValidateFolder(const std::string& path, OperatorDialogs& dialogs, PathStyle style,
                   FolderOps& ops)
{
    int result = TouchPath(path, true, style, ops);
    if (result != kPathOk) {
        ShowTouchError(result, path, dialogs);
        return result;
    }
    if (ops.IsFolder(path))
        return kFolderAccepted;
    if (!dialogs.AskYesNo(kFolderMessageTitle, FolderMissingQuestion(path)))
        return kFolderDeclined;
    result = TouchPath(path, false, style, ops);
    if (result != kPathOk) {
        ShowTouchError(result, path, dialogs);
        return result;
    }
    return kFolderAccepted;
}

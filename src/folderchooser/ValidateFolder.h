#pragma once
// Accepting a folder typed or picked in the chooser: checks it, offers to
// create it when it is missing, and tells the operator what went wrong.

#include <string>

#include "folderchooser/FolderRules.h"

class OperatorDialogs;

// Title of the chooser's message boxes and question.
inline constexpr const char* kFolderMessageTitle = "Pelagrix";

// The operator's texts, each naming `path`.
std::string FolderMissingQuestion(const std::string& path);
std::string FolderInvalidMessage(const std::string& path);
std::string FolderNotCreatedMessage(const std::string& path);

// ValidateFolder results.
inline constexpr int kFolderAccepted = 0;
inline constexpr int kFolderDeclined = -1;
// kPathInvalid (1) and kPathNotCreated (2) as TouchPath gives them.

// kFolderAccepted when `path` is a folder or was just created with the
// operator's consent, kFolderDeclined when the operator did not want it
// created (no message), otherwise the TouchPath result after showing its
// message.
int ValidateFolder(const std::string& path, OperatorDialogs& dialogs,
                   PathStyle style = kNativePathStyle);
int ValidateFolder(const std::string& path, OperatorDialogs& dialogs, PathStyle style,
                   FolderOps& ops);

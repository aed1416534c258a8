// What a folder holds, entry by entry: for checking that files were left
// exactly as they were, or became exactly what they should.
#pragma once
#include <map>
#include <string>

// Each entry's name with its contents; a folder's contents read "<folder>".
// Empty when the folder is not there.
using FolderContents = std::map<std::string, std::string>;
extern const char* const FOLDER_ENTRY;
FolderContents folderContents(const std::string& hostFolder);
// Makes the folder and the entries (an entry "<folder>" becomes a folder).
void writeFolderContents(const std::string& hostFolder, const FolderContents& entries);

#include "tests/support/folder_contents.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

const char* const FOLDER_ENTRY = "<folder>";

FolderContents folderContents(const std::string& hostFolder) {
  FolderContents entries;
  std::error_code missing;
  for (const auto& entry : fs::directory_iterator(hostFolder, missing)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      entries[name] = FOLDER_ENTRY;
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    entries[name] = text.str();
  }
  return entries;
}

void writeFolderContents(const std::string& hostFolder, const FolderContents& entries) {
  fs::create_directories(hostFolder);
  for (const auto& [name, text] : entries) {
    if (text == FOLDER_ENTRY) fs::create_directories(fs::path(hostFolder) / name);
    else std::ofstream(fs::path(hostFolder) / name, std::ios::binary) << text;
  }
}

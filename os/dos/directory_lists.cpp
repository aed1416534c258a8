#include "os/dos/directory_lists.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>

#include "os/dos/dos.h"
#include "os/dos/host_errors.h"

namespace {

template <class Add>
int32_t readFolder(const std::string& folder, Add add) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return errno == ENOTDIR ? ERROR_OBJECT_WRONG_TYPE : dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    add(entry);
  }
  closedir(dir);
  return 0;
}

}  // namespace

int32_t dosdirs::listEntries(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  return readFolder(folder, [&](const dirent* entry) { names.emplace_back(entry->d_name); });
}

int32_t dosdirs::listEntries(const std::string& folder, std::vector<ListedEntry>& entries) {
  entries.clear();
  return readFolder(folder, [&](const dirent* entry) { entries.push_back({entry->d_name, entry->d_type}); });
}

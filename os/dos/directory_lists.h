// The names in a folder, listed once when a scan starts so that ExNext and
// ExAll go on over the same entries while the folder changes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dosdirs {

// One entry as the folder lists it: its name and the kind its directory entry
// records (a DT_ value; DT_UNKNOWN where the file system records none).
struct ListedEntry {
  std::string name;
  unsigned char kind;
};

// The entries of the folder that `folder` reaches, without "." and "..", in the
// order Linux gives them. 212 when it is no folder.
int32_t listEntries(const std::string& folder, std::vector<std::string>& names);
int32_t listEntries(const std::string& folder, std::vector<ListedEntry>& entries);

}  // namespace dosdirs

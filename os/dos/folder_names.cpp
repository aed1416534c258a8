#include "os/dos/folder_names.h"

#include "os/dos/name_case.h"

namespace dosindex {
namespace {

// FNV-1a of the name with a-z folded, so that names equal ignoring case meet.
uint32_t foldedHash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(dosname::foldAZ(c))) * 16777619u;
  return hash;
}

}  // namespace

void FolderNames::add(std::string_view name, unsigned char kind) {
  entries_.push_back({static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(name.size()), foldedHash(name), 0, kind});
  text_.append(name);
}

void FolderNames::seal() {
  size_t size = 16;
  while (size < entries_.size() * 2) size *= 2;
  slots_.assign(size, 0);
  const size_t mask = size - 1;
  for (uint32_t i = 0; i < entries_.size(); ++i) {
    Entry& e = entries_[i];
    for (size_t at = e.hash & mask;; at = (at + 1) & mask) {
      if (slots_[at] == 0) {
        slots_[at] = i + 1;
        e.count = 1;
        break;
      }
      Entry& first = entries_[slots_[at] - 1];
      if (first.hash == e.hash && dosname::equalNoCase(nameOf(first), nameOf(e))) {
        ++first.count;
        break;
      }
    }
  }
}

FolderNames::Found FolderNames::find(std::string_view name) const {
  Found found;
  if (slots_.empty()) return found;
  const uint32_t hash = foldedHash(name);
  const size_t mask = slots_.size() - 1;
  for (size_t at = hash & mask; slots_[at] != 0; at = (at + 1) & mask) {
    const Entry& e = entries_[slots_[at] - 1];
    if (e.hash == hash && dosname::equalNoCase(nameOf(e), name)) {
      found.count = e.count;
      found.actual = nameOf(e);
      found.kind = e.kind;
      break;
    }
  }
  return found;
}

}  // namespace dosindex

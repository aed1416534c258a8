#include "os/dos/resolved_folders.h"

#include <unordered_map>

namespace dosfolders {
namespace {

// More paths than this and the folders start over.
constexpr size_t MAX_KEPT = 4096;

struct Kept {
  std::string real;
  uint64_t generation = 0;
};

// The folders kept by start and prefix. The one found last is remembered
// beside the table: the paths of one folder's files mostly come in a row.
struct Table {
  std::unordered_map<std::string, Kept> all;
  std::string lastStart, lastPrefix;
  const Kept* last = nullptr;

  void clear() {
    last = nullptr;
    all.clear();
  }
};

Table& table() {
  static Table t;
  return t;
}

std::string keyOf(std::string_view start, std::string_view prefix) {
  std::string key;
  key.reserve(start.size() + 1 + prefix.size());
  key.append(start).append(1, '\0').append(prefix);
  return key;
}

}  // namespace

const std::string* find(const std::string& start, std::string_view prefix, uint64_t generation) {
  Table& t = table();
  if (t.all.empty()) return nullptr;
  const Kept* kept = t.last;
  if (!kept || t.lastStart != start || t.lastPrefix != prefix) {
    auto it = t.all.find(keyOf(start, prefix));
    if (it == t.all.end()) return nullptr;
    kept = &it->second;
    t.lastStart = start;
    t.lastPrefix = prefix;
    t.last = kept;
  }
  if (kept->generation != generation) {
    t.clear();  // something on some watched way changed: none of it is sure
    return nullptr;
  }
  return &kept->real;
}

bool find(const std::string& start, const std::string& prefix, uint64_t generation, std::string& real) {
  const std::string* found = find(start, std::string_view(prefix), generation);
  if (found) real = *found;
  return found != nullptr;
}

void keep(const std::string& start, const std::string& prefix, const std::string& real, uint64_t generation) {
  Table& t = table();
  if (t.all.size() >= MAX_KEPT) t.clear();
  t.all[keyOf(start, prefix)] = {real, generation};
}

void forgetAll() { table().clear(); }

}  // namespace dosfolders

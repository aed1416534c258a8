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

std::unordered_map<std::string, Kept>& kept() {
  static std::unordered_map<std::string, Kept> all;
  return all;
}

std::string keyOf(const std::string& start, const std::string& prefix) { return start + '\0' + prefix; }

}  // namespace

bool find(const std::string& start, const std::string& prefix, uint64_t generation, std::string& real) {
  auto& all = kept();
  if (all.empty()) return false;
  auto it = all.find(keyOf(start, prefix));
  if (it == all.end()) return false;
  if (it->second.generation != generation) {
    all.clear();  // something on some watched way changed: none of it is sure
    return false;
  }
  real = it->second.real;
  return true;
}

void keep(const std::string& start, const std::string& prefix, const std::string& real, uint64_t generation) {
  auto& all = kept();
  if (all.size() >= MAX_KEPT) all.clear();
  all[keyOf(start, prefix)] = {real, generation};
}

void forgetAll() { kept().clear(); }

}  // namespace dosfolders

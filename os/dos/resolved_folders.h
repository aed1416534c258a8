// The folders that the folder parts of paths led to, kept while every folder
// on the way is watched and unchanged, so that the paths of the many files of
// one folder are not each walked from where they start.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace dosfolders {

// The real folder that `prefix` (names only: no parent steps, no links on the
// way) led to from the real folder `start`; FALSE when it is not known or may
// have changed since the watch generation `generation` (read by the caller).
bool find(const std::string& start, const std::string& prefix, uint64_t generation, std::string& real);
// The same, answered in place: the folder kept, valid until the next call
// here; NIL when it is not known.
const std::string* find(const std::string& start, std::string_view prefix, uint64_t generation);
// Keeps what `prefix` led to, read under the watch generation `generation`
// (taken before the first folder on the way was looked into).
void keep(const std::string& start, const std::string& prefix, const std::string& real, uint64_t generation);
void forgetAll();

}  // namespace dosfolders

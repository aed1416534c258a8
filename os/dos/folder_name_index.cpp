#include "os/dos/folder_name_index.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <ctime>
#include <unordered_map>

#include "os/dos/name_case.h"
#include "os/dos/watched_folders.h"

namespace dosindex {
namespace {

// A folder's modification time closer to now than this may still change
// without the time showing it.
constexpr time_t UNSETTLED_SECONDS = 2;
// More folders than this and the indexes start over, so that a long walk
// does not keep every folder it passed.
constexpr size_t MAX_FOLDERS = 256;

struct Names {
  int32_t count = 0;      // entries with this folded name
  std::string actual;     // the first of them, as on disk
  unsigned char kind = 0; // its kind as the listing gave it (DT_...)
};

struct Index {
  dev_t dev = 0;
  ino_t ino = 0;
  struct timespec modified {};
  bool settled = false;     // its time may be trusted to show a change
  bool watched = false;     // watched since before it was read
  uint64_t generation = 0;  // the watch generation it was read or checked under
  std::unordered_map<std::string, Names> byFoldedName;
};

std::unordered_map<std::string, Index>& indexes() {
  static std::unordered_map<std::string, Index> all;
  return all;
}

std::string folded(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = dosname::foldAZ(c);
  return key;
}

bool sameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool settled(const struct timespec& modified) {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  return modified.tv_sec + UNSETTLED_SECONDS < now.tv_sec;
}

bool readNames(const std::string& folder, Index& index) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    Names& names = index.byFoldedName[folded(entry->d_name)];
    if (++names.count == 1) {
      names.actual = entry->d_name;
      names.kind = entry->d_type;
    }
  }
  closedir(dir);
  return true;
}

Match answer(const Index& index, const std::string& name, std::string& actual) {
  auto it = index.byFoldedName.find(folded(name));
  if (it == index.byFoldedName.end()) return Match::Missing;
  if (it->second.count > 1) return Match::Ambiguous;
  actual = it->second.actual;
  return Match::Found;
}

}  // namespace

Known knownWithoutLooking(const std::string& folder, const std::string& name, uint64_t generation,
                          std::string& actual) {
  Known known;
  auto& all = indexes();
  auto it = all.find(folder);
  if (it == all.end() || !it->second.watched || it->second.generation != generation) return known;
  auto names = it->second.byFoldedName.find(folded(name));
  if (names == it->second.byFoldedName.end()) {
    known.sure = true;  // no name equal to it, exactly or ignoring case
    return known;
  }
  // One entry: it is the exact name, or else the one match ignoring case.
  // A folder or a plain file is what it was listed as while no change came.
  const Names& n = names->second;
  if (n.count != 1 || (n.kind != DT_REG && n.kind != DT_DIR)) return known;
  known.sure = true;
  known.match = Match::Found;
  known.kind = n.kind;
  actual = n.actual;
  return known;
}

Match findIgnoringCase(const std::string& folder, const std::string& name, uint64_t generation,
                       std::string& actual) {
  auto& all = indexes();
  auto it = all.find(folder);
  // Watched and nothing changed since: sure without looking at the folder.
  // Once a change came in (here or in another watched folder), its time is
  // no guard: the change may have left it as it was.
  if (it != all.end() && it->second.watched) {
    if (it->second.generation == generation) return answer(it->second, name, actual);
    all.erase(it);
    it = all.end();
  }

  // Watched from before it is looked at, so that any change from now on shows.
  // The caller read the generation first: reading it may drop every watch,
  // and a watch taken before that would be gone while the index counted on it.
  const bool watched = doswatch::watch(folder);
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    forget(folder);
    return Match::NoFolder;
  }
  if (it != all.end() && it->second.settled && it->second.dev == st.st_dev && it->second.ino == st.st_ino &&
      sameTime(it->second.modified, st.st_mtim)) {
    it->second.watched = watched;
    it->second.generation = generation;
    return answer(it->second, name, actual);
  }

  Index fresh;
  fresh.dev = st.st_dev;
  fresh.ino = st.st_ino;
  fresh.modified = st.st_mtim;
  fresh.watched = watched;
  fresh.generation = generation;
  if (!readNames(folder, fresh)) {
    forget(folder);
    return Match::NoFolder;
  }
  const Match m = answer(fresh, name, actual);
  // Its time guards it only when the folder did not change while it was read
  // and has been still for long enough that a later change must show in it.
  struct stat after;
  fresh.settled = settled(st.st_mtim) && stat(folder.c_str(), &after) == 0 && sameTime(after.st_mtim, st.st_mtim);
  if (fresh.settled || watched) {
    if (all.size() >= MAX_FOLDERS) all.clear();
    all[folder] = std::move(fresh);
  } else {
    forget(folder);
  }
  return m;
}

void forget(const std::string& folder) { indexes().erase(folder); }

void forgetAll() { indexes().clear(); }

}  // namespace dosindex

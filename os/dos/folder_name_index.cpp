#include "os/dos/folder_name_index.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <ctime>
#include <unordered_map>

#include "os/dos/folder_names.h"
#include "os/dos/watched_folders.h"

namespace dosindex {
namespace {

// A folder's modification time closer to now than this may still change
// without the time showing it.
constexpr time_t UNSETTLED_SECONDS = 2;
// More folders than this and the indexes start over, so that a long walk
// does not keep every folder it passed.
constexpr size_t MAX_FOLDERS = 256;

struct Index {
  dev_t dev = 0;
  ino_t ino = 0;
  struct timespec modified {};
  bool settled = false;     // its time may be trusted to show a change
  bool watched = false;     // watched since before it was read
  uint64_t generation = 0;  // the watch generation it was read or checked under
  FolderNames names;
  // A listing handed over by ExAll, read into `names` when first asked.
  std::vector<dosdirs::ListedEntry> listing;
  bool pending = false;

  const FolderNames& ready() {
    if (pending) {
      for (const dosdirs::ListedEntry& e : listing) names.add(e.name, e.kind);
      names.seal();
      listing.clear();
      listing.shrink_to_fit();
      pending = false;
    }
    return names;
  }
};

// The kept indexes by Linux folder. The folder asked for last is remembered
// beside the table: the names of one folder are mostly asked for in a row.
class Indexes {
 public:
  Index* find(const std::string& folder) {
    if (last_ && lastFolder_ == folder) return last_;
    auto it = all_.find(folder);
    if (it == all_.end()) return nullptr;
    lastFolder_ = folder;
    last_ = &it->second;
    return last_;
  }
  // Keeps the index in place of any other of the folder.
  Index& keep(const std::string& folder, Index&& index) {
    if (all_.size() >= MAX_FOLDERS) clear();
    Index& kept = all_[folder];
    kept = std::move(index);
    return kept;
  }
  void erase(const std::string& folder) {
    if (last_ && lastFolder_ == folder) last_ = nullptr;
    all_.erase(folder);
  }
  void clear() {
    last_ = nullptr;
    all_.clear();
  }

 private:
  std::unordered_map<std::string, Index> all_;
  std::string lastFolder_;
  Index* last_ = nullptr;
};

Indexes& indexes() {
  static Indexes all;
  return all;
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
    index.names.add(entry->d_name, entry->d_type);
  }
  closedir(dir);
  index.names.seal();
  return true;
}

Match answer(Index& index, const std::string& name, std::string& actual) {
  const FolderNames::Found found = index.ready().find(name);
  if (found.count == 0) return Match::Missing;
  if (found.count > 1) return Match::Ambiguous;
  actual = found.actual;
  return Match::Found;
}

// The folder's index under the watch generation: what was kept when it may
// still be trusted, else its names read afresh (kept when they may be trusted
// later, else left in `fresh`); NIL when the folder is not there.
Index* readIndex(const std::string& folder, uint64_t generation, Index& fresh) {
  Indexes& all = indexes();
  Index* kept = all.find(folder);
  if (kept && kept->watched) {
    if (kept->generation == generation) return kept;
    // Once a change came in (here or in another watched folder), its time
    // is no guard: the change may have left it as it was.
    all.erase(folder);
    kept = nullptr;
  }
  // Watched from before it is looked at, so that any change from now on shows.
  // The caller read the generation first: reading it may drop every watch,
  // and a watch taken before that would be gone while the index counted on it.
  const bool watched = doswatch::watch(folder);
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    all.erase(folder);
    return nullptr;
  }
  if (kept && kept->settled && kept->dev == st.st_dev && kept->ino == st.st_ino &&
      sameTime(kept->modified, st.st_mtim)) {
    kept->watched = watched;
    kept->generation = generation;
    return kept;
  }

  fresh.dev = st.st_dev;
  fresh.ino = st.st_ino;
  fresh.modified = st.st_mtim;
  fresh.watched = watched;
  fresh.generation = generation;
  if (!readNames(folder, fresh)) {
    all.erase(folder);
    return nullptr;
  }
  // Its time guards it only when the folder did not change while it was read
  // and has been still for long enough that a later change must show in it.
  struct stat after;
  fresh.settled = settled(st.st_mtim) && stat(folder.c_str(), &after) == 0 && sameTime(after.st_mtim, st.st_mtim);
  if (!fresh.settled && !watched) {
    all.erase(folder);
    return &fresh;
  }
  return &all.keep(folder, std::move(fresh));
}

// Folders looked into once by name while they had no index, by the watch
// generation of that look.
std::unordered_map<std::string, uint64_t>& lookedInto() {
  static std::unordered_map<std::string, uint64_t> all;
  return all;
}

}  // namespace

Known knownWithoutLooking(const std::string& folder, const std::string& name, uint64_t generation,
                          std::string& actual) {
  Known known;
  Index* index = indexes().find(folder);
  if (!index || !index->watched || index->generation != generation) return known;
  const FolderNames::Found found = index->ready().find(name);
  if (found.count == 0) {
    known.sure = true;  // no name equal to it, exactly or ignoring case
    return known;
  }
  // One entry: it is the exact name, or else the one match ignoring case.
  // A folder or a plain file is what it was listed as while no change came.
  if (found.count != 1 || (found.kind != DT_REG && found.kind != DT_DIR)) return known;
  known.sure = true;
  known.match = Match::Found;
  known.kind = found.kind;
  actual = found.actual;
  return known;
}

Match findIgnoringCase(const std::string& folder, const std::string& name, uint64_t generation,
                       std::string& actual) {
  Index fresh;
  Index* index = readIndex(folder, generation, fresh);
  return index ? answer(*index, name, actual) : Match::NoFolder;
}

bool readWhenLookedIntoAgain(const std::string& folder, uint64_t generation) {
  if (!doswatch::available()) return false;
  auto& looked = lookedInto();
  auto it = looked.find(folder);
  if (it == looked.end() || it->second != generation) {
    if (looked.size() >= MAX_FOLDERS) looked.clear();
    looked[folder] = generation;
    return false;
  }
  looked.erase(it);
  // A folder that cannot be watched is read only where a name is missing.
  if (!doswatch::watch(folder)) return false;
  Index fresh;
  const Index* index = readIndex(folder, generation, fresh);
  return index && index->watched;
}

void keepListing(const std::string& folder, const struct stat& before, const struct stat& after,
                 std::vector<dosdirs::ListedEntry>&& entries) {
  Indexes& all = indexes();
  const Index* kept = all.find(folder);
  // An index read under a watch says as much already.
  if (kept && kept->watched) return;
  // As for a folder read here: its time guards the listing only when it did
  // not change while it was listed and had been still long enough.
  if (!settled(before.st_mtim) || before.st_dev != after.st_dev || before.st_ino != after.st_ino ||
      !sameTime(before.st_mtim, after.st_mtim)) {
    all.erase(folder);
    return;
  }
  Index index;
  index.dev = before.st_dev;
  index.ino = before.st_ino;
  index.modified = before.st_mtim;
  index.settled = true;
  index.listing = std::move(entries);
  index.pending = true;
  all.keep(folder, std::move(index));
}

void forget(const std::string& folder) { indexes().erase(folder); }

void forgetAll() {
  indexes().clear();
  lookedInto().clear();
}

}  // namespace dosindex

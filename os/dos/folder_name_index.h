// Case-insensitive name lookup without reading a folder for every miss: each
// folder's names, folded to upper case a-z, are read once and kept while the
// folder stays as it was. An index is dropped by every create, rename and
// delete dos.library makes in its folder (forget). It is trusted while the
// folder is watched and no change came in (watched_folders.h); a folder that
// cannot be watched, while its modification time is the same, which also
// catches other programs' changes. Times are coarse, so that an unwatched
// folder changed in the last few seconds is never kept: its names are read
// afresh at each miss.
#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

#include "os/dos/directory_lists.h"

namespace dosindex {

// NoFolder: the folder itself is not there (or cannot be read).
enum class Match { Found, Missing, Ambiguous, NoFolder };

// The entry of the Linux folder whose name equals `name` ignoring a-z case:
// Found with its name as on disk in `actual` when there is exactly one,
// Ambiguous when there are more, Missing when none. The caller has looked for
// the exact name first. `generation` is the watch generation the caller read
// before it looked at anything (doswatch::generation()).
Match findIgnoringCase(const std::string& folder, const std::string& name, uint64_t generation,
                       std::string& actual);

// What the index of a watched folder that has not changed since it was read
// tells of `name` without looking at the folder: the whole lookup (the exact
// name first, then the one entry that differs only in case) answered, with
// the kind the listing gave (a DT_ value) in `kind`. Sure is FALSE when
// there is no such index (not read yet, not watched, or a change came in
// since `generation`), or when its answer would need a look at the object
// (a link, an unknown kind, several names equal ignoring case).
struct Known {
  bool sure = false;
  Match match = Match::Missing;
  unsigned char kind = 0;
};
Known knownWithoutLooking(const std::string& folder, const std::string& name, uint64_t generation,
                          std::string& actual);

// Called for each name looked up in the folder while knownWithoutLooking
// could not answer: the second such look under one watch generation reads
// the folder's names and watches it, so that the many names of one folder
// are answered from its listing after that while nothing changes, and a
// folder looked into once is never read whole. A folder that cannot be
// watched is not read so. TRUE when the folder's index is now there and
// watched.
bool readWhenLookedIntoAgain(const std::string& folder, uint64_t generation);

// A whole listing of the folder that ExAll took: kept as the folder's names,
// guarded by its time as a folder read here is (not by a watch), and read
// into an index only when one is first needed, so that a walk that lists a
// folder and then looks up its names reads it once. `before` and `after` are
// the folder's status from before and after the listing.
void keepListing(const std::string& folder, const struct stat& before, const struct stat& after,
                 std::vector<dosdirs::ListedEntry>&& entries);

// dos.library created, renamed or deleted something in the Linux folder.
void forget(const std::string& folder);
// Drops every index (dos.library starts afresh).
void forgetAll();

}  // namespace dosindex

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
#include <cstdint>
#include <string>

namespace dosindex {

enum class Match { Found, Missing, Ambiguous };

// The entry of the Linux folder whose name equals `name` ignoring a-z case:
// Found with its name as on disk in `actual` when there is exactly one,
// Ambiguous when there are more, Missing when none (or the folder cannot be
// read). The caller has looked for the exact name first.
Match findIgnoringCase(const std::string& folder, const std::string& name, std::string& actual);

// dos.library created, renamed or deleted something in the Linux folder.
void forget(const std::string& folder);
// Drops every index (dos.library starts afresh).
void forgetAll();

}  // namespace dosindex

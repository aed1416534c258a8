// Operations on objects named by canonical paths: does it exist, delete it,
// rename it, make a path absolute, find an unused name, read and make links.
// Each operation exports its paths to host form itself and raises
// ExportPath's EPU for a path that is not valid canonical syntax; a NIL path
// raises EPU. Functions returning a path return a new string.
#pragma once
#include <cstdint>

// The seed of MakeUniquePath's numbers: the low 32 bits of the time count
// when the module starts, then each number drawn.
extern uint32_t cPath_randomSeed;

// Starts the module: seeds MakeUniquePath from the time count (DEV when the
// timer is not open). The module has nothing to end.
void new_cpath_sharedbase();

// TRUE when something is at the path and, unless anyType, it is of the kind
// the path says (a directory path ends in "/" or is empty, a file path does
// not). Something that exists but cannot be locked now counts as existing;
// a volume that is not mounted does not, and no requester asks for it.
// Where the listing of a watched folder that has not changed tells the
// object's kind (ListedKind), that answers without a lock.
bool ExistsPath(const char* path, bool anyType);

// Deletes the object (a directory only when empty). Unless anyType an object
// of the other kind is left alone (FALSE). With force its protection is
// cleared first (links are deleted as they are) and put back when the
// delete fails. TRUE when deleted.
bool DeletePath(const char* path, bool force, bool anyType);

// Renames or moves the object (never over an existing one). A read- or
// write-protected object is refused unless force. TRUE on success.
bool RenamePath(const char* from, const char* to, bool force);

// The absolute form of the path: a relative path is joined to the current
// directory, and an object that can be locked is named by its full name,
// with assigns and links resolved (as a directory path when the path is one).
// An object that cannot be locked keeps the joined path.
char* ExpandPath(const char* path);

// The current directory as a directory path; FILE when it has no name.
char* CurrentDirPath();

// A path that does not exist yet: base (a directory path) followed by prefix
// (NIL: "TMP") and a number in lower-case hexadecimal, and for a directory
// (file1dir2 = 2) a "/" (1: a file). EMU for another kind; BUG when 999
// drawn names all exist.
char* MakeUniquePath(int32_t file1dir2, const char* base, const char* prefix);

// The target of the link at the path as a canonical path (a directory path
// when the given path is one), NIL when the path is no link. *extraId (when
// given) gets "SLNK" or "HLNK" for the kind, "LINK" when it is not known,
// 0 for no link.
char* ReadLink(const char* path, int32_t* extraId = nullptr);

// Makes link a hard link ("HLNK") to the object at target or a soft link
// ("SLNK") holding target. TRUE when made. Any other id makes nothing
// (FALSE) and sets *badId (when given) to TRUE, else *badId is FALSE.
bool CreateLink(const char* link, const char* target, int32_t extraId, bool* badId = nullptr);

// Amiga paths to Linux paths and back.
//
// "Volume:dir/name": the part before the first ":" (when no "/" comes before
// it) names a volume, an assign or NIL:; ":name" starts at the root of the
// current directory's volume; anything else starts at the current directory.
// A leading or doubled "/" is the parent; climbing above a volume's root (or
// above the root of the volume an assign folder or the current directory lies
// on) fails with 205. Each name is matched exactly first, then as the one
// entry that differs only in the case of a-z. "." and ".." are literal names,
// which Linux cannot hold: looking them up fails with 205, making them with 210.
// An assign of several folders tries each in turn while the answer is 205.
#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <string>

namespace dospath {

enum class Want {
  Existing,  // the object must exist
  Create,    // its folder must exist; the object itself may not (yet)
};

struct Resolved {
  std::string host;       // Linux path of the object; its final link is not followed
  std::string parent;     // real Linux folder holding it; empty for "/"
  std::string name;       // final name as on disk (as given when it does not exist)
  std::string givenName;  // final name as the path spelt it
  bool exists = false;
  bool start = false;     // the path ended on a folder without naming it ("Vol:", "", "dir//")
  bool nil = false;       // NIL:
  struct stat st {};      // the object as found, a link as itself (when it exists, named by a name)
  // FALSE when only st.st_mode's kind (a plain file or a folder) is known, told
  // by the listing of a watched folder that has not changed since.
  bool described = false;
  bool folderSeen = false;      // a folder on the way was seen to be there
  // Nonzero when `parent` is watched and its listing showed the name: the
  // watch generation under which that holds (doswatch::generation()).
  uint64_t listedUnder = 0;
};

// 0, or the IoErr code: 205 not there, 218 unknown volume (which also counts a
// requester), 203 an ambiguous name to create, 210 a name Linux cannot hold.
int32_t resolve(const char* amigaPath, Want want, Resolved& out);

// What the listings of watched folders that have not changed since they were
// read tell of the object at "Volume:dir/name" (names alone below a volume's
// root, a trailing "/" allowed), without a look at the disk: Unknown when
// they cannot tell (a folder on the way not known so, an assign, a link, a
// parent step, several names equal ignoring case).
enum class Listed { Unknown, Missing, File, Folder };
Listed listedWithoutLooking(const char* amigaPath);

// The one name of a real Linux path: "Volume:dir/name" through the volume or
// assign with the most specific folder that holds it (see volumes.h), when
// that name leads back to it.
std::string amigaNameOfRealPath(const std::string& realPath);

}  // namespace dospath

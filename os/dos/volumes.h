// Volumes and assigns: the names before the ":" of an Amiga path and the Linux
// folders they stand for.
//
// The standard table, built from the environment on first use:
//   Root:    /
//   Home:    $HOME
//   PROGDIR: $LUDEX_HOME or ~/.local/share/ludex (made when first written to),
//            then the folder of the executable
//   ENV:     <runtime>/ENV   T: <runtime>/T   (private 0700 folders, checked to be
//            the user's own and no links; <runtime> is $XDG_RUNTIME_DIR/ludex or
//            /tmp/ludex-<uid>)
//   ENVARC:  ~/.config/ludex/ENVARC (made when first written to)
//   NIL:     /dev/null
// and more from LUDEX_VOLUMES and LUDEX_ASSIGNS ("Games=/srv/games;Work=/data";
// an assign named again gains a further folder). Names ignore the case of a-z.
//
// A volume's root is where its paths start and where "/" stops climbing. A
// Linux path has one name, however it was reached: the volume or assign with
// the most specific folder that holds it names it (a volume before an assign
// of the same folder), so Root: names only what no other holds.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "os/exec/tasks.h"

namespace dosvol {

enum class Kind { Volume, Assign, NilDevice };

struct Volume {
  std::string name;                  // as mounted ("Home")
  Kind kind = Kind::Volume;
  std::vector<std::string> folders;  // a volume: its root; an assign: its folders in order
  bool makeFirstOnWrite = false;     // the first folder is made when something is written there
  std::string privateBase;           // not empty: folders lie in this private base and are private
  MsgPort* port = nullptr;
};

// Every volume, assign and device, in the order they were mounted.
std::vector<const Volume*> all();
// The volume, assign or device of that name, NIL when none.
const Volume* find(std::string_view name);
// The volume (never an assign) whose root is the longest prefix of a real Linux
// path; its root is then a prefix of realPath ending at a component boundary.
const Volume* volumeOfRealPath(const std::string& realPath);
// A folder of a volume or assign that holds a real Linux path.
struct Holder {
  const Volume* volume;
  size_t folder;  // the index of the folder in volume->folders
};
// Every folder of a volume or assign that holds a real Linux path, the most
// specific first; of equal folders a volume's before an assign's, then in the
// order they were mounted. Root: holds every path.
std::vector<Holder> holdersOfRealPath(const std::string& realPath);
// The volume a port belongs to, NIL when it is no longer mounted.
const Volume* volumeOfPort(const MsgPort* port);
// The port of a volume name (one per name, kept for the life of the process).
MsgPort* portOf(std::string_view name);

// Makes folder `index` of v ready: a private folder is made (0700) and checked,
// a make-on-write first folder is made when forWriting. 0 when it is there to
// use, else the IoErr code (205 when it simply does not exist).
int32_t prepareFolder(const Volume& v, size_t index, bool forWriting);

// Adds or replaces an entry (names compare without case).
void mount(const Volume& v);
bool dismount(std::string_view name);
// Forgets the whole table; the next use builds the standard one again.
void reset();

// An absolute Linux folder in the form volume roots are kept in: symbolic links
// resolved where it exists, no "." or ".." or doubled or trailing "/".
std::string canonicalFolder(const std::string& folder);

}  // namespace dosvol

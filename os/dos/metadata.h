// What Examine, ExNext and ExAll tell of an object: its entry type, protection
// word, comment, size and date, read from Linux and from extended attributes.
//
// Extended attributes written by dos.library:
//   user.ludex.prot      the full 32-bit protection word, 8 hexadecimal digits
//                        ("0000000f"); without it, the read and write bits are
//                        derived from access()
//   user.ludex.comment   the comment's bytes (up to 255; 79 are shown)
//   user.ludex.hardlink  the names that MakeLink made as hard links, one line
//                        "<dev>:<ino>:<name>" each, dev and ino of the folder
//                        holding the name; only those names report ST_LINKFILE
#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "os/dos/dos.h"

namespace dosmeta {

inline constexpr const char* PROTECTION_ATTR = "user.ludex.prot";
inline constexpr const char* COMMENT_ATTR = "user.ludex.comment";
inline constexpr const char* HARDLINK_ATTR = "user.ludex.hardlink";
constexpr size_t COMMENT_SHOWN = FIB_COMMENT_SIZE - 1;

struct EntryInfo {
  std::string name;
  int32_t type = 0;        // ST_...
  int32_t protection = 0;
  uint32_t size = 0;       // bytes, at most 0xFFFFFFFF; 0 for a folder
  int32_t blocks = 0;
  struct DateStamp date{};
  std::string comment;     // as stored (up to 255 bytes)
  uint32_t uid = 0;
  uint32_t gid = 0;
};

// One entry of a folder, a link described as itself (ExNext, ExAll). folder is
// any path that reaches the folder.
int32_t describeEntry(const std::string& folder, const std::string& name, EntryInfo& out);
// The object that `reach` leads to, links followed (Examine, ExamineFH);
// `reach` may be a /proc/self/fd path, realPath is where the object lies. A
// volume's root is ST_ROOT and named by the volume.
int32_t describeObject(const std::string& reach, const std::string& realPath, EntryInfo& out);

// The stored protection word; FALSE when none is stored.
bool readProtection(const std::string& path, int32_t* word);
// The stored comment, "" when none.
std::string readComment(const std::string& path);

// The record line of a name in folder (for user.ludex.hardlink).
std::string hardLinkLine(const struct stat& folder, const std::string& name);
// TRUE when the object at objectPath records `name` in folder as a hard link MakeLink made.
bool isRecordedHardLink(const std::string& objectPath, const struct stat& folder, const std::string& name);
// Keeps the record true when a recorded name is deleted or renamed.
void forgetHardLinkName(const std::string& objectPath, const struct stat& folder, const std::string& name);
void moveHardLinkName(const std::string& objectPath, const struct stat& fromFolder, const std::string& from,
                      const struct stat& toFolder, const std::string& to);

// A Linux time as a DateStamp in local time, with sub-second ticks.
void dateStampOf(const struct timespec& time, struct DateStamp* out);

}  // namespace dosmeta

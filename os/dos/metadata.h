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
//   user.ludex.linkorigin the Linux path of the name a hard link was made to
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
// The same with only the fields of ExAll data types up to `level` (ED_...):
// up to ED_TYPE the name and the kind that the folder's listing recorded
// (`listedKind`, a DT_ value; the object is looked at only when that is
// DT_UNKNOWN), and a file is ST_FILE: MakeLink's hard links show as
// ST_LINKFILE from ED_SIZE on, which looks at the object. The protection word
// is read from ED_PROTECTION on, the comment from ED_COMMENT on.
int32_t describeEntryUpTo(const std::string& folder, const std::string& name, unsigned char listedKind,
                          int32_t level, EntryInfo& out);
// The object that `reach` leads to, links followed (Examine, ExamineFH);
// `reach` may be a /proc/self/fd path, realPath is where the object lies. A
// volume's root is ST_ROOT and named by the volume. `fd`, when not -1, is a
// descriptor of the object, asked for its status instead of `reach`.
int32_t describeObject(const std::string& reach, const std::string& realPath, EntryInfo& out, int fd = -1);

// The stored protection word; FALSE when none is stored.
bool readProtection(const std::string& path, int32_t* word);
// The same of an open descriptor's object.
bool readProtection(int fd, int32_t* word);
// The word Examine reports: the stored one, else FIBF_READ and FIBF_WRITE
// derived from access().
int32_t protectionOf(const std::string& path);
// The stored comment, "" when none.
std::string readComment(const std::string& path);

// Writers. 0 on success; ERROR_ACTION_NOT_KNOWN where the file system keeps
// no extended attributes; else the IoErr code of the failure.
int32_t writeProtection(const std::string& path, int32_t word);
// "" removes the comment.
int32_t writeComment(const std::string& path, const std::string& comment);

// The record line of a name in folder (for user.ludex.hardlink).
std::string hardLinkLine(const struct stat& folder, const std::string& name);
// TRUE when the object at objectPath records `name` in folder as a hard link MakeLink made.
bool isRecordedHardLink(const std::string& objectPath, const struct stat& folder, const std::string& name);
// Records `name` in folder as a hard link MakeLink made.
int32_t addHardLinkName(const std::string& objectPath, const struct stat& folder, const std::string& name);
// Where the object of a hard link lay when the link was made (the Linux path
// of its first name), kept so that ReadLink can name it; "" when unknown.
inline constexpr const char* LINK_ORIGIN_ATTR = "user.ludex.linkorigin";
void writeLinkOrigin(const std::string& objectPath, const std::string& originPath);
std::string readLinkOrigin(const std::string& objectPath);
// Keeps the record true when a recorded name is deleted or renamed.
void forgetHardLinkName(const std::string& objectPath, const struct stat& folder, const std::string& name);
void moveHardLinkName(const std::string& objectPath, const struct stat& fromFolder, const std::string& from,
                      const struct stat& toFolder, const std::string& to);

// A Linux time as a DateStamp in local time, with sub-second ticks.
void dateStampOf(const struct timespec& time, struct DateStamp* out);
// The Linux time of a DateStamp (local time), ticks as fractions of a second.
struct timespec hostTimeOf(const struct DateStamp& date);

}  // namespace dosmeta

#include "os/dos/metadata.h"

#include <dirent.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "os/dos/host_errors.h"
#include "os/dos/split_text.h"
#include "os/dos/volumes.h"
#include "os/timer/timer.h"

namespace dosmeta {
namespace {

constexpr int64_t SECONDS_PER_DAY = 86400;

// The value of an extended attribute; FALSE when the object has none.
bool readAttribute(const std::string& path, const char* attribute, std::string& value) {
  char buffer[1024];
  ssize_t n = getxattr(path.c_str(), attribute, buffer, sizeof buffer);
  if (n >= 0) {
    value.assign(buffer, static_cast<size_t>(n));
    return true;
  }
  if (errno != ERANGE) return false;
  n = getxattr(path.c_str(), attribute, nullptr, 0);
  if (n < 0) return false;
  value.resize(static_cast<size_t>(n));
  n = getxattr(path.c_str(), attribute, value.data(), value.size());
  if (n < 0) return false;
  value.resize(static_cast<size_t>(n));
  return true;
}

void writeRecord(const std::string& objectPath, const std::vector<std::string>& lines) {
  std::string value;
  for (const std::string& l : lines) value += l + "\n";
  if (value.empty())
    removexattr(objectPath.c_str(), HARDLINK_ATTR);
  else
    setxattr(objectPath.c_str(), HARDLINK_ATTR, value.data(), value.size(), 0);
}

std::vector<std::string> recordLines(const std::string& objectPath) {
  std::string value;
  if (!readAttribute(objectPath, HARDLINK_ATTR, value)) return {};
  return splitSkippingEmpty(value, '\n');
}

// Which of dos's attributes an object may hold: FALSE only where it surely
// holds none (the listing of its attribute names could be read).
struct Stored {
  bool protection = true;
  bool comment = true;
};

Stored storedAttributes(const std::string& path) {
  char names[1024];
  const ssize_t n = listxattr(path.c_str(), names, sizeof names);
  if (n < 0) return {};  // too many to list here, or none kept at all: ask for each
  Stored stored{false, false};
  for (ssize_t at = 0; at < n;) {
    const char* name = names + at;
    const size_t length = strnlen(name, static_cast<size_t>(n - at));
    if (std::strcmp(name, PROTECTION_ATTR) == 0) stored.protection = true;
    if (std::strcmp(name, COMMENT_ATTR) == 0) stored.comment = true;
    at += static_cast<ssize_t>(length) + 1;
  }
  return stored;
}

// Without a stored word: the read and write bits from what Linux allows. One
// question answers the usual case, where both are allowed.
int32_t derivedProtection(const std::string& path) {
  if (access(path.c_str(), R_OK | W_OK) == 0) return 0;
  int32_t word = 0;
  if (access(path.c_str(), R_OK) != 0) word |= FIBF_READ;
  if (access(path.c_str(), W_OK) != 0) word |= FIBF_WRITE;
  return word;
}

// Everything but the name and type, from a stat of the object and a path that
// reaches it for its attributes (NIL for a link, which has none, or when they
// are not wanted); the comment only when asked for.
void fill(const struct stat& st, const std::string* attributes, EntryInfo& out, bool withComment = true) {
  out.size = S_ISDIR(st.st_mode) ? 0
             : st.st_size > 0xFFFFFFFFLL ? 0xFFFFFFFFu
                                        : static_cast<uint32_t>(st.st_size);
  out.blocks = st.st_blocks > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(st.st_blocks);
  dateStampOf(st.st_mtim, &out.date);
  out.uid = st.st_uid;
  out.gid = st.st_gid;
  out.protection = 0;
  out.comment.clear();
  if (!attributes) return;
  // Most objects hold neither attribute: one listing of their names says so,
  // instead of asking for each.
  const Stored stored = storedAttributes(*attributes);
  int32_t word = 0;
  out.protection = stored.protection && readProtection(*attributes, &word) ? word : derivedProtection(*attributes);
  if (withComment && stored.comment) out.comment = readComment(*attributes);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

}  // namespace

int32_t describeEntry(const std::string& folder, const std::string& name, EntryInfo& out) {
  return describeEntryUpTo(folder, name, DT_UNKNOWN, ED_OWNER, out);
}

int32_t describeEntryUpTo(const std::string& folder, const std::string& name, unsigned char listedKind,
                          int32_t level, EntryInfo& out) {
  out.name = name;
  if (level <= ED_TYPE && listedKind != DT_UNKNOWN) {
    out.type = listedKind == DT_DIR ? ST_USERDIR : listedKind == DT_LNK ? ST_SOFTLINK : ST_FILE;
    return 0;
  }
  const std::string path = folder + "/" + name;
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  if (S_ISLNK(st.st_mode)) {
    out.type = ST_SOFTLINK;
    fill(st, nullptr, out);
    return 0;
  }
  fill(st, level >= ED_PROTECTION ? &path : nullptr, out, level >= ED_COMMENT);
  if (S_ISDIR(st.st_mode)) {
    out.type = ST_USERDIR;
  } else if (level < ED_SIZE) {
    out.type = ST_FILE;
  } else {
    struct stat in;
    out.type = (st.st_nlink > 1 && stat(folder.c_str(), &in) == 0 && isRecordedHardLink(path, in, name))
                   ? ST_LINKFILE
                   : ST_FILE;
  }
  return 0;
}

int32_t describeObject(const std::string& reach, const std::string& realPath, EntryInfo& out, int fd) {
  struct stat st;
  if ((fd >= 0 ? fstat(fd, &st) : stat(reach.c_str(), &st)) != 0)
    return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  fill(st, &reach, out);
  const dosvol::Volume* on = dosvol::volumeOfRealPath(realPath);
  if (S_ISDIR(st.st_mode) && on && on->folders[0] == realPath) {
    out.type = ST_ROOT;
    out.name = on->name;
    return 0;
  }
  out.name = realPath == "/" ? "Root" : realPath.substr(realPath.rfind('/') + 1);
  if (S_ISDIR(st.st_mode)) {
    out.type = ST_USERDIR;
  } else {
    struct stat in;
    out.type = (st.st_nlink > 1 && stat(folderOf(realPath).c_str(), &in) == 0 &&
                isRecordedHardLink(reach, in, out.name))
                   ? ST_LINKFILE
                   : ST_FILE;
  }
  return 0;
}

namespace {

bool parseProtection(const std::string& value, int32_t* word) {
  if (value.empty()) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(value.c_str(), &end, 16);
  if (end == value.c_str()) return false;
  *word = static_cast<int32_t>(static_cast<uint32_t>(v));
  return true;
}

}  // namespace

bool readProtection(const std::string& path, int32_t* word) {
  std::string value;
  return readAttribute(path, PROTECTION_ATTR, value) && parseProtection(value, word);
}

bool readProtection(int fd, int32_t* word) {
  char value[64];
  const ssize_t n = fgetxattr(fd, PROTECTION_ATTR, value, sizeof value);
  return n > 0 && parseProtection(std::string(value, static_cast<size_t>(n)), word);
}

int32_t protectionOf(const std::string& path) {
  int32_t word = 0;
  if (readProtection(path, &word)) return word;
  return derivedProtection(path);
}

int32_t writeProtection(const std::string& path, int32_t word) {
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(static_cast<uint32_t>(word)));
  if (setxattr(path.c_str(), PROTECTION_ATTR, text, 8, 0) == 0) return 0;
  return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
}

int32_t writeComment(const std::string& path, const std::string& comment) {
  if (comment.empty()) {
    if (removexattr(path.c_str(), COMMENT_ATTR) == 0 || errno == ENODATA) return 0;
  } else if (setxattr(path.c_str(), COMMENT_ATTR, comment.data(), comment.size(), 0) == 0) {
    return 0;
  }
  return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
}

std::string readComment(const std::string& path) {
  std::string value;
  if (!readAttribute(path, COMMENT_ATTR, value)) return "";
  const size_t nul = value.find('\0');
  return nul == std::string::npos ? value : value.substr(0, nul);
}

std::string hardLinkLine(const struct stat& folder, const std::string& name) {
  return std::to_string(static_cast<unsigned long long>(folder.st_dev)) + ":" +
         std::to_string(static_cast<unsigned long long>(folder.st_ino)) + ":" + name;
}

bool isRecordedHardLink(const std::string& objectPath, const struct stat& folder, const std::string& name) {
  const std::string line = hardLinkLine(folder, name);
  for (const std::string& l : recordLines(objectPath))
    if (l == line) return true;
  return false;
}

int32_t addHardLinkName(const std::string& objectPath, const struct stat& folder, const std::string& name) {
  std::vector<std::string> lines = recordLines(objectPath);
  const std::string line = hardLinkLine(folder, name);
  for (const std::string& l : lines)
    if (l == line) return 0;
  lines.push_back(line);
  std::string value;
  for (const std::string& l : lines) value += l + "\n";
  if (setxattr(objectPath.c_str(), HARDLINK_ATTR, value.data(), value.size(), 0) == 0) return 0;
  return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
}

void writeLinkOrigin(const std::string& objectPath, const std::string& originPath) {
  setxattr(objectPath.c_str(), LINK_ORIGIN_ATTR, originPath.data(), originPath.size(), 0);
}

std::string readLinkOrigin(const std::string& objectPath) {
  std::string value;
  return readAttribute(objectPath, LINK_ORIGIN_ATTR, value) ? value : "";
}

void forgetHardLinkName(const std::string& objectPath, const struct stat& folder, const std::string& name) {
  std::vector<std::string> lines = recordLines(objectPath);
  const std::string line = hardLinkLine(folder, name);
  const size_t before = lines.size();
  std::erase(lines, line);
  if (lines.size() != before) writeRecord(objectPath, lines);
}

void moveHardLinkName(const std::string& objectPath, const struct stat& fromFolder, const std::string& from,
                      const struct stat& toFolder, const std::string& to) {
  std::vector<std::string> lines = recordLines(objectPath);
  const std::string old = hardLinkLine(fromFolder, from);
  bool changed = false;
  for (std::string& l : lines) {
    if (l == old) {
      l = hardLinkLine(toFolder, to);
      changed = true;
    }
  }
  if (changed) writeRecord(objectPath, lines);
}

void dateStampOf(const struct timespec& time, struct DateStamp* out) {
  const int64_t seconds = hostTimeToAmigaSeconds(time.tv_sec);
  int64_t days = seconds / SECONDS_PER_DAY;
  int64_t rest = seconds % SECONDS_PER_DAY;
  if (rest < 0) {
    rest += SECONDS_PER_DAY;
    --days;
  }
  out->ds_Days = static_cast<int32_t>(days);
  out->ds_Minute = static_cast<int32_t>(rest / 60);
  out->ds_Tick = static_cast<int32_t>(rest % 60) * TICKS_PER_SECOND +
                 static_cast<int32_t>(time.tv_nsec / (1000000000 / TICKS_PER_SECOND));
}

struct timespec hostTimeOf(const struct DateStamp& date) {
  const int64_t amiga = static_cast<int64_t>(date.ds_Days) * SECONDS_PER_DAY +
                        static_cast<int64_t>(date.ds_Minute) * 60 + date.ds_Tick / TICKS_PER_SECOND;
  // The zone offset belongs to the Unix time being looked for: take the offset
  // at a first guess, then at the time it gives (they differ near a change of
  // summer time).
  const int64_t guess = amiga + AMIGA_EPOCH_UNIX_SECONDS;
  int64_t unix = guess - (hostTimeToAmigaSeconds(guess) - amiga);
  const int64_t offsetThere = hostTimeToAmigaSeconds(unix) - unix + AMIGA_EPOCH_UNIX_SECONDS;
  unix = amiga + AMIGA_EPOCH_UNIX_SECONDS - offsetThere;
  int32_t ticks = date.ds_Tick % TICKS_PER_SECOND;
  if (ticks < 0) ticks += TICKS_PER_SECOND;
  struct timespec out {};
  out.tv_sec = static_cast<time_t>(unix);
  out.tv_nsec = static_cast<long>(ticks) * (1000000000L / TICKS_PER_SECOND);
  return out;
}

}  // namespace dosmeta

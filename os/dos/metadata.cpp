#include "os/dos/metadata.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "os/dos/host_errors.h"
#include "os/dos/volumes.h"

namespace dosmeta {
namespace {

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
  std::vector<std::string> lines;
  std::string value;
  if (!readAttribute(objectPath, HARDLINK_ATTR, value)) return lines;
  size_t start = 0;
  while (start < value.size()) {
    size_t end = value.find('\n', start);
    if (end == std::string::npos) end = value.size();
    if (end > start) lines.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// Everything but the name and type, from a stat of the object and a path that
// reaches it for its attributes (NIL for a link, which has none).
void fill(const struct stat& st, const std::string* attributes, EntryInfo& out) {
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
  if (!readProtection(*attributes, &out.protection)) {
    if (access(attributes->c_str(), R_OK) != 0) out.protection |= FIBF_READ;
    if (access(attributes->c_str(), W_OK) != 0) out.protection |= FIBF_WRITE;
  }
  out.comment = readComment(*attributes);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

}  // namespace

int32_t describeEntry(const std::string& folder, const std::string& name, EntryInfo& out) {
  const std::string path = folder + "/" + name;
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  out.name = name;
  if (S_ISLNK(st.st_mode)) {
    out.type = ST_SOFTLINK;
    fill(st, nullptr, out);
    return 0;
  }
  fill(st, &path, out);
  if (S_ISDIR(st.st_mode)) {
    out.type = ST_USERDIR;
  } else {
    struct stat in;
    out.type = (st.st_nlink > 1 && stat(folder.c_str(), &in) == 0 && isRecordedHardLink(path, in, name))
                   ? ST_LINKFILE
                   : ST_FILE;
  }
  return 0;
}

int32_t describeObject(const std::string& reach, const std::string& realPath, EntryInfo& out) {
  struct stat st;
  if (stat(reach.c_str(), &st) != 0) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
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

bool readProtection(const std::string& path, int32_t* word) {
  std::string value;
  if (!readAttribute(path, PROTECTION_ATTR, value) || value.empty()) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(value.c_str(), &end, 16);
  if (end == value.c_str()) return false;
  *word = static_cast<int32_t>(static_cast<uint32_t>(v));
  return true;
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
  struct tm local;
  const time_t seconds = time.tv_sec;
  localtime_r(&seconds, &local);
  const int64_t days = daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                     static_cast<unsigned>(local.tm_mday)) -
                       daysFromCivil(1978, 1, 1);
  out->ds_Days = static_cast<int32_t>(days);
  out->ds_Minute = local.tm_hour * 60 + local.tm_min;
  out->ds_Tick = local.tm_sec * TICKS_PER_SECOND + static_cast<int32_t>(time.tv_nsec / (1000000000 / TICKS_PER_SECOND));
}

}  // namespace dosmeta

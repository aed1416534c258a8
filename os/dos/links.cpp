// MakeLink and ReadLink. A soft link is a Linux symbolic link whose text is the
// Linux form of the Amiga path it was given (relative when the Amiga path was
// relative, so that a tree can move). A hard link is a Linux hard link, and the
// name is recorded on the object so that only names made here report
// ST_LINKFILE; the name it was made to is kept for ReadLink.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "os/dos/call_hooks.h"
#include "os/dos/dos_testing.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/host_errors.h"
#include "os/dos/lock_records.h"
#include "os/dos/metadata.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"
#include "os/dos/split_text.h"
#include "os/dos/volumes.h"

namespace {

std::string join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// The path from folder `from` to `to` (both absolute and canonical).
std::string relativePath(const std::string& from, const std::string& to) {
  const std::vector<std::string> a = splitSkippingEmpty(from, '/'), b = splitSkippingEmpty(to, '/');
  size_t common = 0;
  while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
  std::string text;
  for (size_t i = common; i < a.size(); ++i) text += "../";
  for (size_t i = common; i < b.size(); ++i) text += b[i] + (i + 1 < b.size() ? "/" : "");
  if (text.empty()) return ".";
  if (text.back() == '/') text.pop_back();
  return text;
}

// Resolves an Amiga path as seen from a folder: relative paths and ":" start
// there, and a ZERO lock stands for the root of `port`'s volume when given.
class SeenFrom {
 public:
  SeenFrom(BPTR folder, MsgPort* port) {
    Process& p = dosproc::self();
    oldDir_ = p.pr_CurrentDir;
    oldTask_ = p.pr_FileSystemTask;
    p.pr_CurrentDir = folder;
    if (port) p.pr_FileSystemTask = port;
  }
  ~SeenFrom() {
    Process& p = dosproc::self();
    p.pr_CurrentDir = oldDir_;
    p.pr_FileSystemTask = oldTask_;
  }
  SeenFrom(const SeenFrom&) = delete;
  SeenFrom& operator=(const SeenFrom&) = delete;

 private:
  BPTR oldDir_;
  MsgPort* oldTask_;
};

// The name of the link, which must not exist yet.
int32_t newLinkName(const char* name, dospath::Resolved& r) {
  if (!name) return ERROR_OBJECT_NOT_FOUND;
  if (int32_t error = dospath::resolve(name, dospath::Want::Create, r)) return error;
  if (r.nil || r.start || r.exists) return ERROR_OBJECT_EXISTS;
  if (doshook::hasTrait(r.parent, ostest::TRAIT_NO_LINKS)) return ERROR_ACTION_NOT_KNOWN;
  return 0;
}

int32_t makeSoftLink(const dospath::Resolved& link, const char* destination) {
  if (!destination || !*destination) return ERROR_OBJECT_NOT_FOUND;
  int32_t error = 0;
  BPTR folder = dosl::lockHostPath(link.parent, SHARED_LOCK, &error);
  if (!folder) return error;
  dospath::Resolved target;
  {
    SeenFrom seen(folder, nullptr);
    error = dospath::resolve(destination, dospath::Want::Create, target);
  }
  UnLock(folder);
  if (error) return error;
  if (target.nil) return ERROR_OBJECT_WRONG_TYPE;
  const std::string spelt(destination);
  const size_t colon = spelt.find(':'), slash = spelt.find('/');
  const bool absolute = colon != std::string::npos && (slash == std::string::npos || colon < slash);
  const std::string text = absolute ? target.host : relativePath(link.parent, target.host);
  dosindex::forget(link.parent);
  if (symlink(text.c_str(), link.host.c_str()) != 0) return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  return 0;
}

int32_t makeHardLink(const dospath::Resolved& link, BPTR destination) {
  dosl::LockRecord* lock = dosl::asLock(destination);
  if (!lock) return ERROR_OBJECT_WRONG_TYPE;
  struct stat object;
  if (fstat(lock->fl_HostFd, &object) != 0) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  if (!S_ISREG(object.st_mode)) return ERROR_OBJECT_WRONG_TYPE;  // Linux links no folders
  std::string source;
  if (int32_t error = dosl::realPathOfFd(lock->fl_HostFd, source)) return error;
  if (dosvol::volumeOfRealPath(source) != dosvol::volumeOfRealPath(link.parent)) return ERROR_RENAME_ACROSS_DEVICES;
  dosindex::forget(link.parent);
  if (linkat(AT_FDCWD, dosl::fdPath(lock->fl_HostFd).c_str(), AT_FDCWD, link.host.c_str(), AT_SYMLINK_FOLLOW) != 0)
    return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  struct stat folder;
  if (stat(link.parent.c_str(), &folder) == 0) dosmeta::addHardLinkName(link.host, folder, link.name);
  // A link made to a name that is itself a link leads to the same first name.
  struct stat sourceFolder, origin;
  const size_t slash = source.rfind('/');
  const std::string sourceParent = slash == 0 ? "/" : source.substr(0, slash);
  const std::string known = dosmeta::readLinkOrigin(source);
  const bool sourceIsLink = stat(sourceParent.c_str(), &sourceFolder) == 0 &&
                            dosmeta::isRecordedHardLink(source, sourceFolder, source.substr(slash + 1));
  const bool knownValid = !known.empty() && lstat(known.c_str(), &origin) == 0 && origin.st_ino == object.st_ino &&
                          origin.st_dev == object.st_dev;
  if (!(sourceIsLink && knownValid)) dosmeta::writeLinkOrigin(link.host, source);
  return 0;
}

// A name of the object at `path` (a recorded hard link) that is not a recorded
// hard link itself: the kept first name while it still is one, else another
// name in the same folder. "" when none is found.
std::string firstNameOf(const std::string& path, const std::string& folder, const struct stat& object) {
  struct stat st, folderStat;
  const std::string origin = dosmeta::readLinkOrigin(path);
  if (!origin.empty() && origin != path && lstat(origin.c_str(), &st) == 0 && st.st_ino == object.st_ino &&
      st.st_dev == object.st_dev)
    return origin;
  if (stat(folder.c_str(), &folderStat) != 0) return "";
  DIR* dir = opendir(folder.c_str());
  if (!dir) return "";
  std::string found;
  while (dirent* entry = readdir(dir)) {
    const std::string candidate = join(folder, entry->d_name);
    if (candidate == path || lstat(candidate.c_str(), &st) != 0) continue;
    if (st.st_ino != object.st_ino || st.st_dev != object.st_dev) continue;
    if (dosmeta::isRecordedHardLink(candidate, folderStat, entry->d_name)) continue;
    found = candidate;
    break;
  }
  closedir(dir);
  return found;
}

// The Linux path a symbolic link's text leads to, its final name kept as it is.
std::string softLinkTarget(const std::string& linkPath, const std::string& folder) {
  std::vector<char> text(PATH_MAX + 1);
  const ssize_t n = readlink(linkPath.c_str(), text.data(), text.size() - 1);
  if (n <= 0) return "";
  const std::string target(text.data(), static_cast<size_t>(n));
  std::string full = target[0] == '/' ? target : join(folder, target);
  while (full.size() > 1 && full.back() == '/') full.pop_back();
  const size_t slash = full.rfind('/');
  const std::string leaf = full.substr(slash + 1);
  if (leaf.empty() || leaf == "." || leaf == "..") return dosvol::canonicalFolder(full);
  return join(dosvol::canonicalFolder(slash == 0 ? "/" : full.substr(0, slash)), leaf);
}

}  // namespace

bool MakeLink(const char* name, const char* destination, int32_t soft) {
  if (int32_t injected = doshook::enter("MakeLink", name, destination)) return dosproc::fail(injected);
  if (soft != LINK_SOFT) return dosproc::fail(ERROR_BAD_NUMBER);  // a hard link takes a lock
  dospath::Resolved link;
  if (int32_t error = newLinkName(name, link)) return dosproc::fail(error);
  if (int32_t error = makeSoftLink(link, destination)) return dosproc::fail(error);
  return true;
}

bool MakeLink(const char* name, BPTR destination, int32_t soft) {
  if (int32_t injected = doshook::enter("MakeLink", name)) return dosproc::fail(injected);
  if (soft != LINK_HARD) return dosproc::fail(ERROR_BAD_NUMBER);  // a soft link takes a path
  dospath::Resolved link;
  if (int32_t error = newLinkName(name, link)) return dosproc::fail(error);
  if (int32_t error = makeHardLink(link, destination)) return dosproc::fail(error);
  return true;
}

int32_t ReadLink(MsgPort* port, BPTR lock, const char* path, char* buffer, uint32_t size) {
  if (buffer && size > 0) buffer[0] = '\0';
  auto fail = [](int32_t code) {
    dosproc::fail(code);
    return int32_t{-1};
  };
  if (int32_t injected = doshook::enter("ReadLink", path)) return fail(injected);
  if (!path) return fail(ERROR_OBJECT_NOT_FOUND);
  if (lock && !dosl::asLock(lock)) return fail(ERROR_OBJECT_WRONG_TYPE);
  dospath::Resolved r;
  int32_t error;
  {
    SeenFrom seen(lock, port);
    error = dospath::resolve(path, dospath::Want::Existing, r);
  }
  if (error) return fail(error);
  if (r.nil || r.start) return fail(ERROR_NOT_A_LINK);
  struct stat st;
  if (lstat(r.host.c_str(), &st) != 0) return fail(dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED));

  std::string target;
  if (S_ISLNK(st.st_mode)) {
    target = softLinkTarget(r.host, r.parent);
    if (target.empty()) return fail(dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED));
  } else {
    struct stat folder;
    const bool hard = S_ISREG(st.st_mode) && st.st_nlink > 1 && stat(r.parent.c_str(), &folder) == 0 &&
                      dosmeta::isRecordedHardLink(r.host, folder, r.name);
    if (!hard) return fail(ERROR_NOT_A_LINK);
    target = firstNameOf(r.host, r.parent, st);
    if (target.empty()) return fail(ERROR_OBJECT_NOT_FOUND);
  }
  const std::string amiga = dospath::amigaNameOfRealPath(target);
  if (!buffer || amiga.size() + 1 > size) {
    dosproc::fail(ERROR_LINE_TOO_LONG);
    return -2;
  }
  std::memcpy(buffer, amiga.c_str(), amiga.size() + 1);
  return static_cast<int32_t>(amiga.size());
}

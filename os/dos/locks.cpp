#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <utility>

#include "os/dos/call_hooks.h"
#include "os/dos/file_handles.h"
#include "os/dos/host_errors.h"
#include "os/dos/live_objects.h"
#include "os/dos/lock_records.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"
#include "os/dos/volumes.h"

namespace {

struct Holders {
  int32_t shared = 0;
  bool exclusive = false;
};

// Who holds locks on each object, by device and inode.
std::map<std::pair<dev_t, ino_t>, Holders>& holders() {
  static std::map<std::pair<dev_t, ino_t>, Holders> h;
  return h;
}

void release(dosl::LockRecord* lock) {
  auto it = holders().find({lock->dev, lock->ino});
  if (it != holders().end()) {
    if (lock->fl_Access == EXCLUSIVE_LOCK)
      it->second.exclusive = false;
    else
      --it->second.shared;
    if (!it->second.exclusive && it->second.shared <= 0) holders().erase(it);
  }
  doslive::remove(&lock->fl_Header);
  close(lock->fl_HostFd);
  delete lock;
}

}  // namespace

dosl::LockRecord* dosl::asLock(BPTR object) {
  return doslive::isLive(object, DOS_KIND_LOCK) ? reinterpret_cast<LockRecord*>(object) : nullptr;
}

bool dosl::exclusivelyLocked(dev_t dev, ino_t ino) {
  auto it = holders().find({dev, ino});
  return it != holders().end() && it->second.exclusive;
}

std::string dosl::fdPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

int32_t dosl::realPathOfFd(int fd, std::string& out) {
  struct stat st;
  if (fstat(fd, &st) != 0) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  if (st.st_nlink == 0) return ERROR_OBJECT_NOT_FOUND;  // deleted: no name is left
  char path[PATH_MAX];
  const ssize_t n = readlink(fdPath(fd).c_str(), path, sizeof path - 1);
  if (n <= 0 || path[0] != '/') return ERROR_OBJECT_NOT_FOUND;
  out.assign(path, static_cast<size_t>(n));
  static const std::string deleted = " (deleted)";
  if (out.size() > deleted.size() && out.compare(out.size() - deleted.size(), deleted.size(), deleted) == 0) {
    struct stat now;
    if (stat(out.c_str(), &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev)
      return ERROR_OBJECT_NOT_FOUND;
  }
  return 0;
}

std::string dosl::zeroLockFolder() {
  const dosvol::Volume* v = dosvol::volumeOfPort(dosproc::self().pr_FileSystemTask);
  if (!v || v->kind != dosvol::Kind::Volume) v = dosvol::find("Root");
  return (v && !v->folders.empty()) ? v->folders[0] : "/";
}

int32_t dosl::hostPathOf(BPTR object, std::string& out) {
  if (!object) {
    out = zeroLockFolder();
    return 0;
  }
  if (LockRecord* lock = asLock(object)) return realPathOfFd(lock->fl_HostFd, out);
  if (FileHandle* fh = dosfh::asHandle(object)) return realPathOfFd(fh->fh_HostFd, out);
  return ERROR_OBJECT_WRONG_TYPE;
}

MsgPort* dosl::portOfRealPath(const std::string& realPath) {
  const dosvol::Volume* v = dosvol::volumeOfRealPath(realPath);
  return dosvol::portOf(v ? v->name : "Root");
}

BPTR dosl::lockHostPath(const std::string& path, int32_t mode, int32_t* error, const std::string* realPath) {
  const int fd = open(path.c_str(), O_PATH | O_CLOEXEC);
  if (fd < 0) {
    *error = dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
    return ZERO;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    *error = dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
    close(fd);
    return ZERO;
  }
  const int32_t access = mode == EXCLUSIVE_LOCK ? EXCLUSIVE_LOCK : SHARED_LOCK;
  Holders& h = holders()[{st.st_dev, st.st_ino}];
  if (h.exclusive || (access == EXCLUSIVE_LOCK && h.shared > 0)) {
    if (!h.exclusive && h.shared == 0) holders().erase({st.st_dev, st.st_ino});
    *error = ERROR_OBJECT_IN_USE;
    close(fd);
    return ZERO;
  }
  if (access == EXCLUSIVE_LOCK)
    h.exclusive = true;
  else
    ++h.shared;

  auto* lock = new LockRecord();
  lock->fl_Access = access;
  lock->fl_HostFd = fd;
  lock->dev = st.st_dev;
  lock->ino = st.st_ino;
  std::string real;
  if (realPath)
    lock->fl_Task = portOfRealPath(*realPath);
  else
    lock->fl_Task = portOfRealPath(realPathOfFd(fd, real) == 0 ? real : path);
  doslive::add(&lock->fl_Header, DOS_KIND_LOCK);
  return &lock->fl_Header;
}

BPTR Lock(const char* name, int32_t accessMode) {
  if (int32_t injected = doshook::enter("Lock", name)) return dosproc::failLock(injected);
  if (!name) return dosproc::failLock(ERROR_OBJECT_NOT_FOUND);
  dospath::Resolved r;
  if (int32_t error = dospath::resolve(name, dospath::Want::Existing, r)) return dosproc::failLock(error);
  if (r.nil) return dosproc::failLock(ERROR_ACTION_NOT_KNOWN);
  if (accessMode == EXCLUSIVE_LOCK) {
    if (int32_t error = doshook::checkNotInUse(r.host)) return dosproc::failLock(error);
  }
  int32_t error = 0;
  // Without a link on the way (the parent is real) or at the end, the path is
  // where the object lies.
  const bool real = !S_ISLNK(r.st.st_mode);
  BPTR lock = dosl::lockHostPath(r.host, accessMode, &error, real ? &r.host : nullptr);
  if (!lock) return dosproc::failLock(error);
  if (real && r.listedUnder) {
    dosl::LockRecord* record = dosl::asLock(lock);
    record->listedPath = r.host;
    record->listedUnder = r.listedUnder;
  }
  return lock;
}

void UnLock(BPTR lock) {
  doshook::enter("UnLock");
  if (dosl::LockRecord* record = dosl::asLock(lock)) release(record);
}

BPTR DupLock(BPTR lock) {
  if (int32_t injected = doshook::enter("DupLock")) return dosproc::failLock(injected);
  if (!lock) return ZERO;
  dosl::LockRecord* record = dosl::asLock(lock);
  if (!record) return dosproc::failLock(ERROR_OBJECT_WRONG_TYPE);
  if (record->fl_Access == EXCLUSIVE_LOCK) return dosproc::failLock(ERROR_OBJECT_IN_USE);
  int32_t error = 0;
  BPTR copy = dosl::lockHostPath(dosl::fdPath(record->fl_HostFd), SHARED_LOCK, &error);
  return copy ? copy : dosproc::failLock(error);
}

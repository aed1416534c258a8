// A directory's attributes, extra data and name: read from its last
// examination, changed by name with the lock let go around the change.
#include <cstring>
#include <utility>

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/dos/file_functions.h"
#include "files/dos/links.h"
#include "files/objects/host_dir.h"
#include "files/objects/host_extra.h"
#include "files/paths/extra_ids.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

// The protection bits that the attributes stand for: read, write, delete and
// bit 7.
constexpr int32_t ATTRIBUTE_BITS = FIBF_READ | FIBF_WRITE | FIBF_DELETE | 0x80;

}  // namespace

int32_t cHostDir::getAttributes() {
  requireOpen(className, "getAttributes");
  const int32_t protection = fileInfo->fib_Protection;
  int32_t attributes = 0;
  if (!(protection & FIBF_READ)) attributes |= ATTR_READABLE;
  if (!(protection & FIBF_WRITE)) attributes |= ATTR_WRITABLE;
  if (!(protection & FIBF_DELETE)) attributes |= ATTR_DELETABLE;
  if (protection & 0x80) attributes |= ATTR_HOST_BIT;
  return attributes;
}

int32_t cHostDir::getAttributesSupported() {
  requireOpen(className, "getAttributesSupported");
  return ATTR_ALL;
}

bool cHostDir::setAttributes(int32_t attributes, int32_t mask) {
  requireWritable(className, "setAttributes");
  // The directory's own attributes, not a cache that a derived class keeps.
  const int32_t wanted = (cHostDir::getAttributes() & ~mask) | (attributes & mask);
  const int32_t old = fileInfo->fib_Protection;
  int32_t protection = old & ~ATTRIBUTE_BITS;
  if (!(wanted & ATTR_READABLE)) protection |= FIBF_READ;
  if (!(wanted & ATTR_WRITABLE)) protection |= FIBF_WRITE;
  if (!(wanted & ATTR_DELETABLE)) protection |= FIBF_DELETE;
  if (wanted & ATTR_HOST_BIT) protection |= 0x80;
  const char* reason = nullptr;
  withoutLock([&] {
    if (!SetProtection(hostPath, protection)) reason = dosFailureReason("error setting dir protection bits");
  });
  if (reason) return fail("cHostDir.setAttributes()", reason);
  // A bit this change set or cleared is the caller's now, not open's to put back.
  removedProtection &= ~(protection ^ old);
  fileInfo->fib_Protection = protection;
  return true;
}

const char* cHostDir::getPath() {
  requireOpen(className, "getPath");
  return canonicalPath;
}

bool cHostDir::setPath(const char* path) {
  requireWritable(className, "setPath");
  if (!path) Throw("EMU", "cHostDir.setPath(); path=NILA");
  if (InvalidDirPath(path)) Throw("EMU", "cHostDir.setPath(); path is invalid");
  char* newHost = ExportPath(path);
  char* newPath = nullptr;
  const char* reason = nullptr;
  WithCleanUp(
      [&] {
        newPath = StrClone(path);
        withoutLock([&] {
          if (Rename(hostPath, newHost)) {
            // The lock is taken again under the new name.
            std::swap(hostPath, newHost);
            std::swap(canonicalPath, newPath);
          } else {
            reason = dosFailureReason("error renaming host dir");
          }
        });
      },
      [&] {
        DisposeString(newHost);
        DisposeString(newPath);
      });
  if (reason) return fail("cHostDir.setPath()", reason);
  return true;
}

void cHostDir::reexamine(const char* failureMessage) {
  if (!Examine(lock, fileInfo)) Throw("FILE", failureMessage);
}

void cHostDir::lookUpLink() {
  int32_t kind = LINK_KIND_NONE;
  char* target = getDirLink(hostPath, &kind);
  DisposeString(linkTarget);
  linkTarget = target;
  linkKind = target ? kind : LINK_KIND_NONE;
}

intptr_t cHostDir::queryExtra(int32_t id, int32_t* status) {
  requireOpen(className, "queryExtra");
  if (status) *status = 0;
  if (id == EXTRA_COMM) return reinterpret_cast<intptr_t>(fileInfo->fib_Comment);
  if (id == EXTRA_ATTR) return fileInfo->fib_Protection & ~ATTRIBUTE_BITS;
  if (id == EXTRA_LINK || id == EXTRA_SLNK || id == EXTRA_HLNK) {
    if (linkKind == LINK_KIND_UNKNOWN) lookUpLink();
    if (id == EXTRA_LINK) return reinterpret_cast<intptr_t>(linkTarget);
    const int32_t kind = id == EXTRA_SLNK ? LINK_KIND_SOFT : LINK_KIND_HARD;
    return reinterpret_cast<intptr_t>(linkKind == kind ? linkTarget : nullptr);
  }
  if (status) *status = -1;
  return 0;
}

bool cHostDir::setExtra(cExtra* other) {
  requireWritable(className, "setExtra");
  return cBaseDir::setExtra(other);
}

cExtra* cHostDir::getExtra() {
  requireOpen(className, "getExtra");
  return NewHostExtraFrom(this);
}

bool cHostDir::changeExtra(int32_t id, intptr_t value, int32_t* status) {
  requireWritable(className, "changeExtra");
  if (status) *status = 0;
  const char* reason = nullptr;
  bool changed = false;
  if (id == EXTRA_ATTR) {
    const int32_t protection =
        (fileInfo->fib_Protection & ATTRIBUTE_BITS) | (static_cast<int32_t>(value) & ~ATTRIBUTE_BITS);
    withoutLock([&] {
      changed = SetProtection(hostPath, protection);
      if (!changed) reason = dosFailureReason("error setting dir protection bits");
    });
    if (changed) fileInfo->fib_Protection = protection;
  } else if (id == EXTRA_COMM) {
    const char* comment = reinterpret_cast<const char*>(value);
    withoutLock([&] {
      changed = SetComment(hostPath, comment);
      if (!changed) reason = dosFailureReason("error setting dir comment");
    });
    if (changed) {
      std::strncpy(fileInfo->fib_Comment, comment ? comment : "", FIB_COMMENT_SIZE - 1);
      fileInfo->fib_Comment[FIB_COMMENT_SIZE - 1] = '\0';
    }
  } else if (id == EXTRA_SLNK || id == EXTRA_HLNK) {
    changed = changeLink(id, reinterpret_cast<const char*>(value));
  } else {
    if (status) *status = -1;
    failureOrigin = "cHostDir.changeExtra()";
    return false;
  }
  if (!changed) {
    failureOrigin = "cHostDir.changeExtra()";
    if (reason) failureReason = reason;
    return false;
  }
  reexamine("cHostDir.changeExtra(); failed to examine directory");
  return true;
}

bool cHostDir::changeLink(int32_t id, const char* target) {
  const int32_t kind = id == EXTRA_SLNK ? LINK_KIND_SOFT : LINK_KIND_HARD;
  // Known first, so that a link that already leads where it should is not
  // deleted and made again (a cache written back does just that).
  if (linkKind == LINK_KIND_UNKNOWN) lookUpLink();
  if (linkKind == kind &&
      ((!linkTarget && !target) || (linkTarget && target && StrCmpNoCase(linkTarget, target)))) {
    return true;
  }
  if (!target) {
    if (linkKind != kind) return true;  // no link of that kind: nothing to undo
    bool deleted = false;
    withoutLock([&] {
      deleted = DeletePath(canonicalPath, true, false);
      if (deleted) {
        forgetLink();
        linkKind = LINK_KIND_NONE;
        // No link any more is a directory of its own: an empty one takes the
        // link's place, so that the object can hold its lock again.
        UnLock(CreateDir(hostPath));
      }
    });
    return deleted;
  }
  // The link must lead to a directory that exists, or the object could not
  // hold a lock on it afterwards.
  if (!NamesDirectory(target) || !ExistsPath(target, false)) return false;
  char* hostTarget = ExportPath(target);
  char* copy = nullptr;
  bool made = false;
  WithCleanUp(
      [&] {
        copy = StrClone(target);
        withoutLock([&] {
          // Only an empty directory can make room for the link.
          if (!DeletePath(canonicalPath, true, false)) return;
          made = easyMakeLink(hostPath, hostTarget, kind == LINK_KIND_SOFT);
          if (made) {
            DisposeString(linkTarget);
            linkTarget = copy;
            copy = nullptr;
            linkKind = kind;
          } else {
            // The directory comes back (empty, as it was).
            const int32_t error = IoErr();
            UnLock(CreateDir(hostPath));
            SetIoErr(error);
          }
        });
      },
      [&] {
        DisposeString(hostTarget);
        DisposeString(copy);
      });
  return made;
}

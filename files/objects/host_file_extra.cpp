// cHostFile: extra data (comment, other protection bits, links).
#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/dos/file_functions.h"
#include "files/dos/links.h"
#include "files/objects/host_extra.h"
#include "files/objects/host_file.h"
#include "files/objects/host_protection.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

constexpr const char* CHANGE_EXTRA = "cHostFile.changeExtra()";

void disposeAll(std::initializer_list<char*> strings) {
  for (char* s : strings) DisposeString(s);
}

}  // namespace

intptr_t cHostFile::queryExtra(int32_t id, int32_t* status) {
  requireOpen(className, "queryExtra");
  if (status) *status = 0;
  if (id == EXTRA_COMM) return reinterpret_cast<intptr_t>(fileInfo->fib_Comment);
  if (id == EXTRA_ATTR) return fileInfo->fib_Protection & ~PROT_ATTRIBUTE_BITS;
  if (id == EXTRA_LINK || id == EXTRA_SLNK || id == EXTRA_HLNK) {
    if (linkKind == LINK_KIND_UNKNOWN) {
      int32_t kind = LINK_KIND_NONE;
      char* target = getFileLink(hostPath, &kind);
      DisposeString(linkTarget);
      linkTarget = target;
      linkKind = kind;
    }
    const bool theirs = id == EXTRA_LINK || (id == EXTRA_SLNK && linkKind == LINK_KIND_SOFT) ||
                        (id == EXTRA_HLNK && linkKind == LINK_KIND_HARD);
    return theirs ? reinterpret_cast<intptr_t>(linkTarget) : 0;
  }
  if (status) *status = -1;
  return 0;
}

bool cHostFile::changeExtra(int32_t id, intptr_t value, int32_t* status) {
  requireWritable(className, "changeExtra");
  if (status) *status = 0;
  if (id == EXTRA_ATTR) {
    const int32_t protection =
        (fileInfo->fib_Protection & PROT_ATTRIBUTE_BITS) | (static_cast<int32_t>(value) & ~PROT_ATTRIBUTE_BITS);
    openKludgeBegin();
    if (!SetProtection(hostPath, protection)) {
      const char* reason = dosFailureReason_cpath_file("error setting file protection bits");
      openKludgeFinish();
      return fail(CHANGE_EXTRA, reason);
    }
    fileInfo->fib_Protection = protection;
    openKludgeFinish();
    return true;
  }
  if (id == EXTRA_COMM) {
    // NIL is no comment, as "" is.
    const char* comment = value ? reinterpret_cast<const char*>(value) : "";
    openKludgeBegin();
    if (!SetComment(hostPath, comment)) {
      const char* reason = dosFailureReason_cpath_file("error setting file comment");
      openKludgeFinish();
      return fail(CHANGE_EXTRA, reason);
    }
    openKludgeFinish();
    const size_t kept = std::min(std::strlen(comment), static_cast<size_t>(FIB_COMMENT_SIZE - 1));
    std::memcpy(fileInfo->fib_Comment, comment, kept);
    fileInfo->fib_Comment[kept] = '\0';
    return true;
  }
  if (id == EXTRA_SLNK || id == EXTRA_HLNK) {
    const int32_t kind = id == EXTRA_SLNK ? LINK_KIND_SOFT : LINK_KIND_HARD;
    const char* target = reinterpret_cast<const char*>(value);
    if (linkKind == kind &&
        ((!linkTarget && !target) || (linkTarget && target && StrCmpNoCase(linkTarget, target))))
      return true;
    if (!changeLink(kind, target)) return false;
    if (examineHandle("changeExtra")) size = examinedSize();
    return true;
  }
  if (status) *status = -1;
  return fail(CHANGE_EXTRA, "extra id cannot be changed");
}

bool cHostFile::changeLink(int32_t kind, const char* target) {
  if (!target) {
    if (linkKind == LINK_KIND_UNKNOWN) queryExtra(EXTRA_LINK);
    if (linkKind != kind) return true;
    openKludgeBegin();
    const bool deleted = DeletePath(canonicalPath, true, false);
    const char* reason = deleted ? nullptr : dosFailureReason_cpath_file("error deleting link");
    if (deleted) {
      // What stays is a new, empty file of that name.
      DisposeString(linkTarget);
      linkTarget = nullptr;
      linkKind = LINK_KIND_NONE;
      size = 0;
    }
    openKludgeFinish();
    return deleted ? true : fail(CHANGE_EXTRA, reason);
  }

  if (kind == LINK_KIND_HARD && !ExistsPath(target, false)) return fail(CHANGE_EXTRA, "link target does not exist");
  // The link is made under a name of its own and takes the file's name only
  // once it stands, so that the file's data go only for a working link.
  char* folder = nullptr;
  char* linkPath = nullptr;
  char* linkHostPath = nullptr;
  char* targetHostPath = nullptr;
  char* oldPath = nullptr;
  char* oldHostPath = nullptr;
  const char* reason = nullptr;
  try {
    folder = ExtractSubPath(canonicalPath);
    linkPath = MakeUniquePath(1, folder, nullptr);
    linkHostPath = ExportPath(linkPath);
    targetHostPath = ExportPath(target);
    openKludgeBegin();
    if (!easyMakeLink(linkHostPath, targetHostPath, kind == LINK_KIND_SOFT)) {
      reason = dosFailureReason_cpath_file("error making link");
    } else if (!ExistsPath(linkPath, false)) {
      // A link that leads to no file could not be held open.
      DeleteFile(linkHostPath);
      reason = "link target does not exist";
    } else {
      oldPath = MakeUniquePath(1, folder, nullptr);
      oldHostPath = ExportPath(oldPath);
      if (!Rename(hostPath, oldHostPath)) {
        reason = dosFailureReason_cpath_file("error making link");
        DeleteFile(linkHostPath);
      } else if (!Rename(linkHostPath, hostPath)) {
        reason = dosFailureReason_cpath_file("error making link");
        Rename(oldHostPath, hostPath);
        DeleteFile(linkHostPath);
      } else {
        DeletePath(oldPath, true, false);
        char* copy = StrClone(target);
        DisposeString(linkTarget);
        linkTarget = copy;
        linkKind = kind;
      }
    }
    openKludgeFinish();
  } catch (...) {
    if (!handle && hostPath) {
      // The error passes on with the file open again where it can be.
      try {
        openKludgeFinish();
      } catch (...) {
      }
    }
    disposeAll({folder, linkPath, linkHostPath, targetHostPath, oldPath, oldHostPath});
    throw;
  }
  disposeAll({folder, linkPath, linkHostPath, targetHostPath, oldPath, oldHostPath});
  return reason ? fail(CHANGE_EXTRA, reason) : true;
}

bool cHostFile::setExtra(cExtra* other) {
  requireWritable(className, "setExtra");
  return cBaseFile::setExtra(other);
}

cExtra* cHostFile::getExtra() {
  requireOpen(className, "getExtra");
  return NewHostExtraFrom(this);
}

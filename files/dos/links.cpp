#include "files/dos/links.h"

#include <cstring>

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "files/dos/device_walk.h"
#include "files/dos/expand.h"
#include "files/dos/path_parts.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

namespace {

constexpr int32_t FIRST_LINK_BUFFER = 256;
// No stored target comes near this; it only bounds the doubling.
constexpr int32_t LINK_BUFFER_LIMIT = 1 << 16;

BPTR lockParentOf(const char* path) {
  char* parentPath = strSubPathPart(path);
  const BPTR parent = Lock(parentPath, SHARED_LOCK);
  DisposeString(parentPath);
  return parent;
}

// The target stored in the link `name` of the folder `parent`, or NIL.
char* readLinkIn(BPTR parent, const char* name) {
  MsgPort* port = static_cast<FileLock*>(BADDR(parent))->fl_Task;
  for (int32_t size = FIRST_LINK_BUFFER; size <= LINK_BUFFER_LIMIT; size *= 2) {
    char* buffer = NewString(size - 1);
    // A call that fails may leave the buffer as it was: it must not hold
    // the text of an earlier answer.
    std::memset(buffer, 0, static_cast<size_t>(size));
    const int32_t answer = ReadLink(port, parent, name, buffer, static_cast<uint32_t>(size));
    if (answer == -2) {
      DisposeString(buffer);
      continue;
    }
    UpdateStrLen(buffer);
    // Some file systems answer -1 and still give the target.
    if (EstrLen(buffer) > 0) return buffer;
    DisposeString(buffer);
    return nullptr;
  }
  return nullptr;
}

// The kind of a link with a target: soft unless examining the entry itself
// shows it to be a hard link.
int32_t kindOfLink(const char* path) {
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (!fib) return LINK_KIND_SOFT;
  int32_t kind = LINK_KIND_SOFT;
  WithCleanUp(
      [&] { if (examineAll(path, fib) && fib->fib_DirEntryType != ST_SOFTLINK) kind = LINK_KIND_HARD; },
      [&] { FreeDosObject(DOS_FIB, fib); });
  return kind;
}

char* importedLink(const char* path, int32_t* kind, char* (*import)(const char*)) {
  char* target = readLinkTargetPath(path, kind, false);
  if (!target) return nullptr;
  return WithCleanUp([&] { return import(target); }, [&] { DisposeString(target); });
}

}  // namespace

char* easyReadLink(const char* path, int32_t* kindOut, bool quick) {
  int32_t kind = LINK_KIND_NONE;
  if (kindOut) *kindOut = kind;
  if (!path) return nullptr;
  char* found = nullptr;   // the path as found in a folder of its device
  char* target = nullptr;
  try {
    walkDeviceFolders(path, [&found, &target](const char* rest) {
      const BPTR parent = lockParentOf(rest);
      if (!parent) return false;
      bool here = false;
      WithCleanUp(
          [&] {
            target = readLinkIn(parent, FilePart(rest));
            here = target != nullptr;
            if (!here) {
              const BPTR object = Lock(rest, SHARED_LOCK);
              here = object != ZERO;
              UnLock(object);
            }
            if (here) found = fullPath(parent, FilePart(rest));
          },
          [&] { UnLock(parent); });
      return here;
    });
    if (!found && !target) {
      // The device could not be walked: the path as it stands.
      const BPTR parent = lockParentOf(path);
      if (parent) {
        WithCleanUp([&] { target = readLinkIn(parent, FilePart(path)); }, [&] { UnLock(parent); });
      }
    }
    if (target) kind = quick ? LINK_KIND_UNKNOWN : kindOfLink(found ? found : path);
  } catch (...) {
    DisposeString(found);
    DisposeString(target);
    throw;
  }
  DisposeString(found);
  if (kindOut) *kindOut = kind;
  return target;
}

bool easyMakeLink(const char* link, const char* target, bool soft) {
  if (!link || !target) return false;
  if (soft) return MakeLink(link, target, LINK_SOFT);
  const BPTR lock = Lock(target, SHARED_LOCK);
  if (!lock) return false;
  const bool made = MakeLink(link, lock, LINK_HARD);
  UnLock(lock);
  return made;
}

char* linkTargetPath(const char* linkPath, const char* target) {
  if (!target) return nullptr;
  if (pathAfterDevice(target) != target || !linkPath) return StrClone(target);
  char* link = expandPath(linkPath, true);
  return WithCleanUp([&] { return strJoinPart(link, target, true); }, [&] { DisposeString(link); });
}

char* readLinkTargetPath(const char* path, int32_t* kind, bool quick) {
  char* stored = easyReadLink(path, kind, quick);
  if (!stored) return nullptr;
  return WithCleanUp([&] { return linkTargetPath(path, stored); }, [&] { DisposeString(stored); });
}

char* getFileLink(const char* path, int32_t* kind) { return importedLink(path, kind, ImportFilePath); }

char* getDirLink(const char* path, int32_t* kind) { return importedLink(path, kind, ImportDirPath); }

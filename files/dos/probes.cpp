#include "files/dos/probes.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/expand.h"
#include "files/dos/links.h"
#include "files/dos/own_process.h"
#include "files/dos/path_parts.h"

namespace {

// Soft links followed by dirEntryTypeIsFile before it gives up (a chain this
// long is a loop); the object then counts as a file, as unknown types do.
constexpr int32_t LINK_DEPTH_LIMIT = 32;

bool typeIsFile(int32_t type, const char* path, int32_t depth) {
  if (type != ST_SOFTLINK) return type <= 0;
  char* target = readLinkTargetPath(path, nullptr, true);
  if (!target) Throw("BUG", "dirEntryTypeIsFile(); linkPath=NILS");
  bool file = true;
  WithCleanUp(
      [&] { if (depth < LINK_DEPTH_LIMIT) file = typeIsFile(fileDirType(target, false), target, depth + 1); },
      [&] { DisposeString(target); });
  return file;
}

}  // namespace

BPTR lockWithoutRequester(const char* path, int32_t accessMode) {
  Process* me = ownProcess();
  if (!me) return Lock(path, accessMode);
  const APTR window = me->pr_WindowPtr;
  me->pr_WindowPtr = reinterpret_cast<APTR>(-1);
  const BPTR lock = Lock(path, accessMode);
  me->pr_WindowPtr = window;
  return lock;
}

int32_t fileDirTypeOfLock(BPTR lock, const char* path, bool throughParent) {
  if (!throughParent && !lock) return 0;
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (!fib) return 0;
  int32_t type = 0;
  WithCleanUp(
      [&] {
        const bool examined = throughParent ? examineAll(path, fib) : Examine(lock, fib);
        if (examined) type = fib->fib_DirEntryType;
      },
      [&] { FreeDosObject(DOS_FIB, fib); });
  return type;
}

int32_t fileDirType(const char* path, bool throughParent, bool* locked) {
  // Examining through the parent looks the path's device up more than once:
  // a probe must not ask for a volume that is not there, so the requesters
  // stay off for all of it.
  Process* me = ownProcess();
  const APTR window = me ? me->pr_WindowPtr : nullptr;
  if (me) me->pr_WindowPtr = reinterpret_cast<APTR>(-1);
  BPTR lock = ZERO;
  int32_t type = 0;
  WithCleanUp(
      [&] {
        if (locked || !throughParent) lock = lockWithoutRequester(path, SHARED_LOCK);
        type = fileDirTypeOfLock(lock, path, throughParent);
      },
      [&] {
        UnLock(lock);
        if (me) me->pr_WindowPtr = window;
      });
  if (locked) *locked = lock != ZERO;
  return type;
}

bool dirEntryTypeIsFile(int32_t type, const char* path) { return typeIsFile(type, path, 0); }

bool exists(const char* path, int32_t any0file1dir2) {
  if (any0file1dir2 == EXISTS_ANY) {
    const BPTR lock = lockWithoutRequester(path, SHARED_LOCK);
    UnLock(lock);
    return lock != ZERO;
  }
  bool locked = false;
  const int32_t type = fileDirType(path, false, &locked);
  if (type == 0) return locked;
  const bool file = dirEntryTypeIsFile(type, path);
  if (file && any0file1dir2 == EXISTS_DIR) return false;
  if (!file && any0file1dir2 == EXISTS_FILE) return false;
  return locked;
}

bool isDir(const char* path) {
  bool locked = false;
  const int32_t type = fileDirType(path, false, &locked);
  return locked && !dirEntryTypeIsFile(type, path);
}

bool isFile(const char* path) {
  bool locked = false;
  const int32_t type = fileDirType(path, false, &locked);
  return locked && dirEntryTypeIsFile(type, path);
}

bool isLink(const char* path) {
  const int32_t type = fileDirType(path, true);
  return type == ST_SOFTLINK || type == ST_LINKDIR || type == ST_LINKFILE;
}

BPTR lockOnParentDir(const char* path) {
  if (!path) return ZERO;
  char* expanded = expandPath(path, true);
  char* parent = nullptr;
  WithCleanUp([&] { parent = strSubPathPart(expanded); }, [&] { DisposeString(expanded); });
  const BPTR lock = Lock(parent, SHARED_LOCK);
  DisposeString(parent);
  return lock;
}

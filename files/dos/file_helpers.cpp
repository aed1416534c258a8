#include "files/dos/file_helpers.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/dos/file_functions.h"
#include "files/dos/lock_name.h"
#include "files/dos/path_parts.h"
#include "files/dos/probes.h"
#include "files/dos/strings.h"
#include "os/dos/dos.h"

namespace {

char* nameOfPath(const char* path) { return takeNameOfLock(lockWithoutRequester(path, SHARED_LOCK)); }

// TRUE when both paths name the one object (opening the destination as a new
// file would empty the source).
bool sameObject(const char* a, const char* b) {
  char* nameA = nameOfPath(a);
  char* nameB = nullptr;
  try {
    nameB = nameOfPath(b);
  } catch (...) {
    DisposeString(nameA);
    throw;
  }
  const bool same = nameA && nameB && StrCmp(nameA, nameB);
  DisposeString(nameA);
  DisposeString(nameB);
  return same;
}

// Copies the whole of in to out through one buffer.
bool copyContents(BPTR in, BPTR out) {
  const int64_t size = fileSizeFromFH(in, true, false);
  if (size > INT32_MAX) return false;
  const int32_t length = static_cast<int32_t>(size);
  void* buffer = Arena::alloc(static_cast<size_t>(length > 0 ? length : 1));
  const bool copied = Read(in, buffer, length) == length && Write(out, buffer, length) == length;
  Arena::release(buffer);
  return copied;
}

void copyMetadata(const FileInfoBlock* fib, const char* destination) {
  SetProtection(destination, fib->fib_Protection);
  SetComment(destination, fib->fib_Comment);
  SetFileDate(destination, &fib->fib_Date);
}

}  // namespace

bool copyFile(const char* source, const char* destination, bool overwrite) {
  if (!source || !destination) return false;
  if (exists(destination, EXISTS_ANY) && (!overwrite || sameObject(source, destination))) return false;
  const BPTR in = Open(source, MODE_OLDFILE);
  if (!in) return false;
  BPTR out = ZERO;
  FileInfoBlock* fib = nullptr;
  bool copied = false;
  bool examined = false;
  try {
    out = Open(destination, MODE_NEWFILE);
    if (out) copied = copyContents(in, out);
    fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
    examined = fib && ExamineFH(in, fib);
  } catch (...) {
    Close(in);
    if (out) {
      Close(out);
      DeleteFile(destination);
    }
    FreeDosObject(DOS_FIB, fib);
    throw;
  }
  Close(in);
  if (out) {
    // Changes by name need the file closed.
    copied = Close(out) && copied;
    if (!copied)
      DeleteFile(destination);
    else if (examined)
      copyMetadata(fib, destination);
  }
  FreeDosObject(DOS_FIB, fib);
  return copied;
}

bool createDirTree(const char* path) {
  if (!path || !*path) return false;
  char* parent = strSubPathPart(path);
  bool parentThere = true;
  WithCleanUp(
      [&] {
        // A parent as long as the path is the path itself ("DH0:", "/").
        if (EstrLen(parent) > 0 && EstrLen(parent) < static_cast<int32_t>(std::strlen(path)) &&
            !exists(parent, EXISTS_ANY))
          parentThere = createDirTree(parent);
      },
      [&] { DisposeString(parent); });
  if (!parentThere) return false;
  const BPTR lock = CreateDir(path);
  if (!lock) return IoErr() == ERROR_OBJECT_EXISTS && exists(path, EXISTS_DIR);
  UnLock(lock);
  return true;
}

int64_t fileSize(const char* path, bool throughParent) {
  const BPTR fh = Open(path, MODE_OLDFILE);
  if (fh) {
    const int64_t size = getFileSize64(fh, false);
    Close(fh);
    if (size >= 0) return size;
  }
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  bool examined = false;
  if (fib) {
    try {
      if (throughParent) {
        examined = examineAll(path, fib);
      } else {
        const BPTR lock = Lock(path, SHARED_LOCK);
        examined = lock && Examine(lock, fib);
        UnLock(lock);
      }
    } catch (...) {
      FreeDosObject(DOS_FIB, fib);
      throw;
    }
  }
  const int64_t size = examined ? static_cast<int64_t>(static_cast<uint32_t>(fib->fib_Size)) : -1;
  FreeDosObject(DOS_FIB, fib);
  if (size < 0) {
    std::printf("WARNING: fileSize(\"%s\", %ld); failed to obtain size of file (3)\n", path ? path : "",
                throughParent ? -1L : 0L);
    std::fflush(stdout);
  }
  return size;
}

char* getComment(const char* path) {
  const BPTR lock = Lock(path, SHARED_LOCK);
  if (!lock) return nullptr;
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  char* comment = nullptr;
  WithCleanUp(
      [&] { if (fib && Examine(lock, fib)) comment = StrClone(fib->fib_Comment); },
      [&] {
        FreeDosObject(DOS_FIB, fib);
        UnLock(lock);
      });
  return comment;
}

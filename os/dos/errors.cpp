#include <cerrno>
#include <cstdio>
#include <cstring>

#include "os/dos/dos.h"
#include "os/dos/host_errors.h"

namespace {

const char* textOf(int32_t code) {
  switch (code) {
    case ERROR_NO_FREE_STORE: return "not enough memory";
    case ERROR_BAD_NUMBER: return "bad number";
    case ERROR_BAD_TEMPLATE: return "bad pattern";
    case ERROR_LINE_TOO_LONG: return "buffer too small";
    case ERROR_OBJECT_IN_USE: return "object in use";
    case ERROR_OBJECT_EXISTS: return "object already exists";
    case ERROR_OBJECT_NOT_FOUND: return "object not found";
    case ERROR_ACTION_NOT_KNOWN: return "action not supported";
    case ERROR_INVALID_COMPONENT_NAME: return "invalid name";
    case ERROR_OBJECT_WRONG_TYPE: return "object is of the wrong type";
    case ERROR_DISK_WRITE_PROTECTED: return "disk is write-protected";
    case ERROR_RENAME_ACROSS_DEVICES: return "rename across devices";
    case ERROR_DIRECTORY_NOT_EMPTY: return "directory not empty";
    case ERROR_TOO_MANY_LEVELS: return "too many links";
    case ERROR_DEVICE_NOT_MOUNTED: return "volume or assign not mounted";
    case ERROR_SEEK_ERROR: return "seek error";
    case ERROR_COMMENT_TOO_BIG: return "comment is too long";
    case ERROR_DISK_FULL: return "disk is full";
    case ERROR_DELETE_PROTECTED: return "object is protected from deletion";
    case ERROR_WRITE_PROTECTED: return "object is write-protected";
    case ERROR_READ_PROTECTED: return "object is read-protected";
    case ERROR_NO_MORE_ENTRIES: return "no more entries in directory";
    default: return nullptr;
  }
}

}  // namespace

int32_t Fault(int32_t code, const char* header, char* buffer, int32_t length) {
  if (!buffer || length <= 0) return 0;
  buffer[0] = '\0';
  if (code == 0) return 0;
  char unknown[32];
  const char* text = textOf(code);
  // A Linux error of its own is told in Linux's words (untranslated, as
  // every other text here is).
  if (!text && code > dosio::HOST_ERROR_BASE && code <= dosio::HOST_ERROR_BASE + dosio::HOST_ERROR_LAST)
    text = strerrordesc_np(code - dosio::HOST_ERROR_BASE);
  if (!text) {
    std::snprintf(unknown, sizeof unknown, "error %d", static_cast<int>(code));
    text = unknown;
  }
  const int n = header ? std::snprintf(buffer, static_cast<size_t>(length), "%s: %s", header, text)
                       : std::snprintf(buffer, static_cast<size_t>(length), "%s", text);
  if (n < 0) return 0;
  return n < length ? n : length - 1;
}

int32_t dosio::ioErrOfErrno(int e, int32_t denied) {
  switch (e) {
    case 0: return 0;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case ENXIO:
    case ENODEV: return ERROR_OBJECT_NOT_FOUND;
    case EEXIST: return ERROR_OBJECT_EXISTS;
    case ENOTEMPTY: return ERROR_DIRECTORY_NOT_EMPTY;
    case EACCES:
    case EPERM: return denied;
    case EROFS: return ERROR_DISK_WRITE_PROTECTED;
    case EXDEV: return ERROR_RENAME_ACROSS_DEVICES;
    case ENOSPC: return ERROR_DISK_FULL;
    case EBUSY:
    case ETXTBSY: return ERROR_OBJECT_IN_USE;
    case ENOMEM: return ERROR_NO_FREE_STORE;
    case EISDIR: return ERROR_OBJECT_WRONG_TYPE;
    case ESPIPE: return ERROR_SEEK_ERROR;
    case EOPNOTSUPP:
#if ENOTSUP != EOPNOTSUPP
    case ENOTSUP:
#endif
    case ENOSYS: return ERROR_ACTION_NOT_KNOWN;
    // The rest have no code of their own: a disk's I/O error, a quota used
    // up (the disk itself may have room), a file past the largest size, too
    // many hard links to one file. Each keeps its meaning, and its text.
    default: return e > 0 && e <= HOST_ERROR_LAST ? HOST_ERROR_BASE + e : ERROR_ACTION_NOT_KNOWN;
  }
}

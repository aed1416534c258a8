// Names: the full name of a lock or handle, and joining and splitting paths.

#include <cstring>
#include <string>

#include "os/dos/call_hooks.h"
#include "os/dos/file_handles.h"
#include "os/dos/lock_records.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"

namespace {

bool copyOut(const std::string& text, char* buffer, int32_t length) {
  if (!buffer || length <= 0) return dosproc::fail(ERROR_LINE_TOO_LONG);
  if (text.size() + 1 > static_cast<size_t>(length)) {
    buffer[0] = '\0';
    return dosproc::fail(ERROR_LINE_TOO_LONG);
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

bool NameFromLock(BPTR lock, char* buffer, int32_t length) {
  if (int32_t injected = doshook::enter("NameFromLock")) return dosproc::fail(injected);
  if (dosfh::asHandle(lock)) return NameFromFH(lock, buffer, length);
  if (lock && !dosl::asLock(lock)) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  std::string real;
  if (int32_t error = dosl::hostPathOf(lock, real)) return dosproc::fail(error);
  return copyOut(dospath::amigaNameOfRealPath(real), buffer, length);
}

bool NameFromFH(BPTR fh, char* buffer, int32_t length) {
  if (int32_t injected = doshook::enter("NameFromFH")) return dosproc::fail(injected);
  if (!dosfh::asHandle(fh)) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  std::string real;
  if (int32_t error = dosl::hostPathOf(fh, real)) return dosproc::fail(error);
  return copyOut(real == "/dev/null" ? std::string("NIL:") : dospath::amigaNameOfRealPath(real), buffer, length);
}

bool AddPart(char* dirName, const char* fileName, uint32_t size) {
  if (!dirName || !fileName) return dosproc::fail(ERROR_LINE_TOO_LONG);
  std::string joined;
  if (std::strchr(fileName, ':')) {
    joined = fileName;  // an absolute name replaces the path
  } else {
    joined = dirName;
    if (!joined.empty() && joined.back() != ':' && joined.back() != '/' && fileName[0] != '\0') joined += '/';
    joined += fileName;
  }
  if (joined.size() + 1 > size) return dosproc::fail(ERROR_LINE_TOO_LONG);
  std::memcpy(dirName, joined.c_str(), joined.size() + 1);
  return true;
}

char* FilePart(const char* path) {
  if (!path) return nullptr;
  const char* part = path;
  for (const char* p = path; *p; ++p)
    if (*p == '/' || *p == ':') part = p + 1;
  return const_cast<char*>(part);
}

char* PathPart(const char* path) {
  if (!path) return nullptr;
  const char* part = FilePart(path);
  // Leave out the "/" that separates the final component from a folder name;
  // a "/" that stands for the parent (at the start, after ":" or after another
  // "/") is part of the folder.
  if (part - path >= 2 && part[-1] == '/' && part[-2] != '/' && part[-2] != ':') --part;
  return const_cast<char*>(part);
}

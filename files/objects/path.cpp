#include "files/objects/path.h"

#include <cstring>

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

// How a guard's message names the object.
const char* kindOf(const cPath* object) { return object->IsOfClassType("cBaseDir") ? "dir" : "file"; }

}  // namespace

void cPath::requireOpen(const char* className, const char* operation) {
  if (!infoIsOpen()) ThrowF("EMU", "%s.%s(); %s not open", className, operation, kindOf(this));
}

void cPath::requireWritable(const char* className, const char* operation) {
  requireOpen(className, operation);
  if (readOnlyFlag) ThrowF("EMU", "%s.%s(); %s opened in read only mode", className, operation, kindOf(this));
}

bool cPath::create(const char* path, bool failIfExists, bool force) {
  if (!path) Throw("EMU", "cPath.create(); path=NILA");
  if (!failIfExists) {
    // Whatever stands there goes; whether it could is left to open.
    DeletePath(path, force, force);
  } else if (ExistsPath(path, false)) {
    return fail("cPath.create()", "object already exists");
  }
  return open(path, false, force);
}

bool cPath::setSubPath(const char* newDirPath) {
  if (!newDirPath) Throw("EMU", "cPath.setSubPath(); path=NILA");
  const char* name = FindName(getPath());
  return setPathJoined(newDirPath, static_cast<int32_t>(std::strlen(newDirPath)), name, "cPath.setSubPath()");
}

char* cPath::getSubPath() { return ExtractSubPath(getPath()); }

bool cPath::setName(const char* newName) {
  if (!newName) Throw("EMU", "cPath.setName(); newFileName=NILA");
  const char* path = getPath();
  const char* name = FindName(path);
  return setPathJoined(path, static_cast<int32_t>(name - path), newName, "cPath.setName()");
}

char* cPath::getName() { return ExtractName(getPath()); }

bool cPath::fail(const char* origin, const char* reason) {
  failureOrigin = origin;
  failureReason = reason;
  return false;
}

void cPath::clearFailure() {
  failureOrigin = nullptr;
  failureReason = nullptr;
}

bool cPath::setPathJoined(const char* first, int32_t firstLength, const char* second, const char* origin) {
  char* path = NewString(firstLength + static_cast<int32_t>(std::strlen(second)));
  StrAdd(StrCopy(path, first, firstLength), second);
  bool done = false;
  WithCleanUp([&] { done = setPath(path); }, [&] { DisposeString(path); });
  if (!done) failureOrigin = origin;
  return done;
}

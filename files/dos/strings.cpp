#include "files/dos/strings.h"

#include <cstring>

#include "core/strings/string.h"
#include "files/dos/own_process.h"

namespace {

constexpr int32_t FIRST_CAPACITY = 128;
// No name of a lock, a file or the program comes near this; the limit only
// keeps a misbehaving call from making the loop run on.
constexpr int32_t NAME_CAPACITY_LIMIT = 1 << 16;
// Variables hold paths and short settings; a value past this is refused
// rather than handed on cut.
constexpr int32_t VARIABLE_CAPACITY_LIMIT = 1 << 20;
constexpr int32_t FAULT_BUFFER_CAPACITY = 512;

char* faultBuffer = nullptr;

uint32_t bufferSize(const char* s) { return static_cast<uint32_t>(StrMax(s) + 1); }

// Sets the length from the text a call put into s, or empties s when it failed.
bool settle(char* s, bool ok) {
  if (ok)
    UpdateStrLen(s);
  else
    SetStr(s, 0);
  return ok;
}

// Calls fill with strings of growing capacity while it fails with "line too long".
template <class Fill>
char* growing(Fill fill) {
  for (int32_t capacity = FIRST_CAPACITY; capacity <= NAME_CAPACITY_LIMIT; capacity *= 2) {
    char* s = NewString(capacity);
    if (fill(s)) return s;
    const int32_t error = IoErr();
    DisposeString(s);
    if (error != ERROR_LINE_TOO_LONG) return nullptr;
  }
  return nullptr;
}

}  // namespace

int32_t strFault(int32_t code, const char* header, char* s) {
  Fault(code, header, s, static_cast<int32_t>(bufferSize(s)));
  UpdateStrLen(s);
  return EstrLen(s);
}

bool strGetVar(const char* name, char* s, uint32_t flags, int32_t* length) {
  const int32_t read = GetVar(name, s, static_cast<int32_t>(bufferSize(s)), flags);
  SetStr(s, read < 0 ? 0 : read);
  if (length) *length = EstrLen(s);
  return read != -1;
}

bool strSetVar(const char* name, const char* value, uint32_t flags) {
  const int32_t size = value ? static_cast<int32_t>(std::strlen(value)) : 0;
  return SetVar(name, value, size, flags);
}

bool strAddPart(char* path, const char* part) {
  const bool ok = AddPart(path, part, bufferSize(path));
  UpdateStrLen(path);
  return ok;
}

bool strNameFromFH(char* s, BPTR fh) { return settle(s, NameFromFH(fh, s, static_cast<int32_t>(bufferSize(s)))); }

bool strNameFromLock(char* s, BPTR lock) {
  return settle(s, NameFromLock(lock, s, static_cast<int32_t>(bufferSize(s))));
}

bool strGetProgramName(char* s) { return settle(s, GetProgramName(s, static_cast<int32_t>(bufferSize(s)))); }

bool strGetNameOfCurrentDir(char* s) {
  Process* me = ownProcess();
  if (!me) {
    SetStr(s, 0);
    return false;
  }
  const BPTR dir = me->pr_CurrentDir ? me->pr_CurrentDir : me->pr_HomeDir;
  return strNameFromLock(s, dir);
}

char* strSafeNameFromLock(BPTR lock) {
  return growing([lock](char* s) { return strNameFromLock(s, lock); });
}

char* strSafeNameFromFH(BPTR fh) {
  return growing([fh](char* s) { return strNameFromFH(s, fh); });
}

char* strSafeGetNameOfCurrentDir() { return growing(strGetNameOfCurrentDir); }

char* strSafeGetProgramName() { return growing(strGetProgramName); }

char* strSafeGetVar(const char* name, uint32_t flags) {
  int32_t capacity = FIRST_CAPACITY;
  for (;;) {
    char* s = NewString(capacity);
    int32_t read = 0;
    if (!strGetVar(name, s, flags, &read)) {
      DisposeString(s);
      return nullptr;
    }
    if (read < capacity) return s;
    // The buffer is full, so the value may have been cut; GetVar then tells
    // the whole length through IoErr.
    const int32_t whole = IoErr();
    DisposeString(s);
    if (capacity >= VARIABLE_CAPACITY_LIMIT) return nullptr;
    capacity = whole > capacity && whole < VARIABLE_CAPACITY_LIMIT ? whole + 1 : capacity * 2;
  }
}

char* staticFault(int32_t code, const char* header) {
  if (!faultBuffer) faultBuffer = NewString(FAULT_BUFFER_CAPACITY);
  strFault(code, header, faultBuffer);
  return faultBuffer;
}

void disposeStaticFault() {
  DisposeString(faultBuffer);
  faultBuffer = nullptr;
}

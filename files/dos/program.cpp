#include "files/dos/program.h"

#include <cstring>

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "files/dos/own_process.h"
#include "files/dos/path_parts.h"
#include "files/dos/strings.h"
#include "os/dos/dos.h"

char* strSafeGetProgramPath() {
  // The hosted system always starts the program from a shell: there is no
  // desktop start-up message to take the program's lock and name from.
  char* name = strSafeGetProgramName();
  if (!name) return nullptr;
  char* file = nullptr;
  char* path = nullptr;
  WithCleanUp(
      [&] {
        file = splitPath(name);
        const BPTR dir = GetProgramDir();  // the process's lock: not ours to unlock
        if (dir) path = fullPath(dir, file);
      },
      [&] {
        DisposeString(name);
        DisposeString(file);
      });
  return path;
}

char* processNameOfTask(Task* task) {
  if (!task || task->tc_Node.ln_Type != NT_PROCESS) return nullptr;
  // The hosted system runs one process, and only its command name is known.
  if (reinterpret_cast<Task*>(ownProcess()) != task) return nullptr;
  char* name = strSafeGetProgramName();
  if (name && EstrLen(name) == 0) {
    DisposeString(name);
    return nullptr;
  }
  return name;
}

char* bcplToString(const uint8_t* bcpl) {
  if (!bcpl) return nullptr;
  const int32_t length = bcpl[0];
  char* s = NewString(length);
  std::memcpy(s, bcpl + 1, static_cast<size_t>(length));
  SetStr(s, length);
  return s;
}

int32_t stringToBcpl(const char* text, uint8_t* bcpl, int32_t maximum) {
  if (!bcpl || maximum <= 0) return 0;
  size_t length = text ? std::strlen(text) : 0;
  if (length > 255) length = 255;
  if (length > static_cast<size_t>(maximum - 1)) length = static_cast<size_t>(maximum - 1);
  bcpl[0] = static_cast<uint8_t>(length);
  if (length) std::memcpy(bcpl + 1, text, length);
  return static_cast<int32_t>(length);
}

#include "files/dos/shell_module.h"

#include <cstring>

#include "core/strings/string.h"
#include "files/dos/strings.h"
#include "os/dos/dos.h"

char* argString_pshell = nullptr;

void new_pshell() {
  const char* args = GetArgStr();
  if (!args) args = "";
  int32_t length = static_cast<int32_t>(std::strlen(args));
  if (length > 0 && args[length - 1] == '\n') --length;
  DisposeString(argString_pshell);
  argString_pshell = nullptr;
  argString_pshell = StrCopy(NewString(length), args, length);
}

void end_pshell() {
  DisposeString(argString_pshell);
  argString_pshell = nullptr;
  disposeStaticFault();
}

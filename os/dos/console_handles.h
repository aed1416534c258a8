// The handles Open gives for consoles (see console_windows.h).
#pragma once
#include <cstdint>

#include "os/dos/dos.h"

namespace dosconsole {

// TRUE when the name is a console: "CON:" with its window's description, or
// "CONSOLE:" (case ignored).
bool isConsoleName(const char* name);
// A handle on the console the name names; ZERO with IoErr set when none can be made.
BPTR open(const char* name, int32_t mode);
// Forgets the program's own console window (the window itself stays).
void reset();

}  // namespace dosconsole

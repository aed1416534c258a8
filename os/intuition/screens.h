// intuition.library, hosted: the one public screen. Headless or not, the
// hosted display is one 32-bit ARGB screen named "Workbench".
#pragma once
#include <cstdint>

#include "os/graphics/graphics.h"

struct Screen {
  int16_t LeftEdge, TopEdge, Width, Height;
  const char* Title;
  TextFont* Font;
  ::RastPort RastPort;  // RastPort.BitMap is the screen's bitmap
};

// The public screen of that name (NIL: the default one, "Workbench"), locked
// so that it stays open; NIL when there is none of that name.
Screen* LockPubScreen(const char* name);
// Gives back a lock; NIL is ignored.
void UnlockPubScreen(const char* name, Screen* screen);
// Flashes the screen (NIL: every screen); headless it only counts.
void DisplayBeep(Screen* screen);

namespace ostest {
// The next LockPubScreen call finds no screen.
void failNextLockPubScreen();
// Locks held on the default screen now.
int32_t pubScreenLocks();
// DisplayBeep calls since the start.
int32_t displayBeeps();
}  // namespace ostest

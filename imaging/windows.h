// Opening and closing the program's own simple windows, and the mouse
// pointer over them.
#pragma once
#include <cstdint>

#include "os/intuition/windows.h"

// Opens a window of the given inner size centred on the screen (NIL: the
// default public screen, locked while the window opens). Raises
// "pAmiga; openWindow(); failed to lock default public screen" when none can
// be locked; NIL when the window cannot be opened.
Window* openWindow(int32_t width, int32_t height, const char* title, Screen* screen, uint32_t idcmp, uint32_t flags,
                   const TagItem* moreTags = nullptr);
// Closes a window so that a shared user port keeps no message for it: the
// menu strip cleared first when asked, then with multitasking forbidden
// every message of this window on its port taken off and replied. NIL does
// nothing.
void closeWindow(Window* window, bool clearMenu);

// Sets an empty pointer image on the window, and gives it back the default
// pointer. NIL does nothing.
void blankMousePointer(Window* window);
void unblankMousePointer(Window* window);

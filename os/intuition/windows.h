// intuition.library, hosted: windows on the public screen. Headless, a window
// is its record, its rast port on a bitmap of its own, and its user port;
// nothing is shown and no input arrives unless a test or script puts it there.
#pragma once
#include <cstdint>

#include "os/exec/message_ports.h"
#include "os/graphics/graphics.h"
#include "os/intuition/intuition.h"
#include "os/intuition/screens.h"
#include "os/utility/tags.h"

struct Menu;

struct Window {
  int16_t LeftEdge, TopEdge, Width, Height;
  int16_t BorderLeft, BorderTop, BorderRight, BorderBottom;
  uint32_t Flags;
  uint32_t IDCMPFlags;
  const char* Title;
  Screen* WScreen;
  RastPort* RPort;     // draws into the whole window, borders included
  MsgPort* UserPort;   // NIL while IDCMPFlags is 0
  Menu* MenuStrip;
  Gadget* FirstGadget;
  bool PointerBlank;   // hosted: an empty pointer image is set
};

struct IntuiMessage {
  Message ExecMessage;
  uint32_t Class;
  uint16_t Code;
  uint16_t Qualifier;
  void* IAddress;
  int16_t MouseX, MouseY;
  Window* IDCMPWindow;
};

// IDCMP classes.
constexpr uint32_t IDCMP_REFRESHWINDOW = 0x4;
constexpr uint32_t IDCMP_GADGETUP = 0x40;
constexpr uint32_t IDCMP_CLOSEWINDOW = 0x200;
constexpr uint32_t IDCMP_VANILLAKEY = 0x200000;
constexpr uint32_t IDCMP_ACTIVEWINDOW = 0x40000;

// Window flags.
constexpr uint32_t WFLG_DRAGBAR = 0x2;
constexpr uint32_t WFLG_DEPTHGADGET = 0x4;
constexpr uint32_t WFLG_CLOSEGADGET = 0x8;
constexpr uint32_t WFLG_ACTIVATE = 0x1000;

constexpr Tag WA_Dummy = TAG_USER + 99;
constexpr Tag WA_Left = WA_Dummy + 1;
constexpr Tag WA_Top = WA_Dummy + 2;
constexpr Tag WA_Width = WA_Dummy + 3;
constexpr Tag WA_Height = WA_Dummy + 4;
constexpr Tag WA_IDCMP = WA_Dummy + 7;
constexpr Tag WA_Flags = WA_Dummy + 8;
constexpr Tag WA_Title = WA_Dummy + 11;
constexpr Tag WA_CustomScreen = WA_Dummy + 13;
constexpr Tag WA_InnerWidth = WA_Dummy + 19;
constexpr Tag WA_InnerHeight = WA_Dummy + 20;
constexpr Tag WA_PubScreen = WA_Dummy + 22;

// The borders of every hosted window.
constexpr int16_t WINDOW_BORDER = 4;
constexpr int16_t WINDOW_TITLE_BAR = 14;

// Opens a window; the tags override the NewWindow (which may be NIL). Inner
// sizes add the borders. NIL when it cannot be opened (no screen, a size
// below 1).
//
// Input reaches a window with a user port from the requester answers
// (os/intuition/requester_answers.h) when the program waits on the port: a
// text answer goes into the window's first string gadget and releases it
// (Return), a button answer n releases its n-th button gadget (1, 2, ...),
// Cancel, button 0 and no answer at all close it (IDCMP_CLOSEWINDOW). Each
// is logged as a text requester. The messages are intuition's: reply them.
Window* OpenWindowTagList(const NewWindow* newWindow, const TagItem* tags);
// Closes the window; messages still on its user port are dropped with it.
// NIL is ignored.
void CloseWindow(Window* window);
void ClearMenuStrip(Window* window);
// Sets the pointer image of the window (no data: an empty one).
void SetPointer(Window* window, uint16_t* data, int32_t height, int32_t width, int32_t xOffset, int32_t yOffset);
// Gives the window the default pointer back.
void ClearPointer(Window* window);

namespace ostest {
// Windows open now, and the one opened last (NIL when none is open).
int32_t openWindowCount();
Window* lastOpenedWindow();
}  // namespace ostest

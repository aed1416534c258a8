// Application.mui and Window.mui: the names the program uses for the
// application object, its windows and its input (included by os/mui/mui.h).
#pragma once
#include <cstdint>

#include "os/intuition/objects.h"

// ---------------------------------------------------------------------------
// Application.mui: windows are its members (OM_ADDMEMBER, OM_REMMEMBER);
// disposing it disposes them.

constexpr Tag MUIA_Application_Title = OWN_ATTRIBUTE_BASE + 0x400;        // text, copied
constexpr Tag MUIA_Application_Base = OWN_ATTRIBUTE_BASE + 0x401;         // text, copied
constexpr Tag MUIA_Application_Version = OWN_ATTRIBUTE_BASE + 0x402;      // "$VER: ..." text, copied
constexpr Tag MUIA_Application_Copyright = OWN_ATTRIBUTE_BASE + 0x403;    // the rights notice, copied
constexpr Tag MUIA_Application_Author = OWN_ATTRIBUTE_BASE + 0x404;       // text, copied
constexpr Tag MUIA_Application_Description = OWN_ATTRIBUTE_BASE + 0x405;  // text, copied
constexpr Tag MUIA_Application_DiskObject = OWN_ATTRIBUTE_BASE + 0x406;   // DiskObject*, borrowed
constexpr Tag MUIA_Application_BrokerHook = OWN_ATTRIBUTE_BASE + 0x407;   // hook(hook, app, CxMsg*)
constexpr Tag MUIA_Application_Iconified = OWN_ATTRIBUTE_BASE + 0x408;    // flag

// {signals*}: MUI's input processing. Performs the user's next action that
// waits in the input queue (its notifications and hooks run inside this
// call), then stores in *signals, and answers, the signals to Wait for before
// the next call.
constexpr uint32_t MUIM_Application_NewInput = OWN_METHOD_BASE + 0x400;

// ---------------------------------------------------------------------------
// Window.mui

constexpr Tag MUIA_Window_Title = OWN_ATTRIBUTE_BASE + 0x410;        // text, copied
constexpr Tag MUIA_Window_ScreenTitle = OWN_ATTRIBUTE_BASE + 0x411;  // text, copied
constexpr Tag MUIA_Window_Screen = OWN_ATTRIBUTE_BASE + 0x412;       // Screen*, borrowed (NIL: default)
constexpr Tag MUIA_Window_LeftEdge = OWN_ATTRIBUTE_BASE + 0x413;
constexpr Tag MUIA_Window_TopEdge = OWN_ATTRIBUTE_BASE + 0x414;
constexpr Tag MUIA_Window_Width = OWN_ATTRIBUTE_BASE + 0x415;
constexpr Tag MUIA_Window_Height = OWN_ATTRIBUTE_BASE + 0x416;
// A save id: a window with an id opens where the last window of that id was.
constexpr Tag MUIA_Window_ID = OWN_ATTRIBUTE_BASE + 0x417;
constexpr Tag MUIA_Window_AppWindow = OWN_ATTRIBUTE_BASE + 0x418;  // flag: drops are accepted
constexpr Tag MUIA_Window_Sleep = OWN_ATTRIBUTE_BASE + 0x419;      // flag: busy, takes no input
constexpr Tag MUIA_Window_RootObject = OWN_ATTRIBUTE_BASE + 0x41a;  // creation only (owned)
constexpr Tag MUIA_Window_Open = OWN_ATTRIBUTE_BASE + 0x41b;        // flag; only a member of an application opens
constexpr Tag MUIA_Window_ActiveObject = OWN_ATTRIBUTE_BASE + 0x41c;  // the object that has the keyboard (NIL: none)
constexpr Tag MUIA_Window_UseRightBorderScroller = OWN_ATTRIBUTE_BASE + 0x41d;
constexpr Tag MUIA_Window_UseBottomBorderScroller = OWN_ATTRIBUTE_BASE + 0x41e;
constexpr Tag MUIA_Window_CloseRequest = OWN_ATTRIBUTE_BASE + 0x41f;  // notifies TRUE: the user asks to close
constexpr Tag MUIA_Window_Window = OWN_ATTRIBUTE_BASE + 0x420;        // Window* while open, else NIL
// Notifies with the AppMessage* of files dropped on an application window.
constexpr Tag MUIA_AppMessage = OWN_ATTRIBUTE_BASE + 0x421;

// Geometry values MUI gives a window without a place or size of its own.
constexpr IPTR MUI_WINDOW_DEFAULT_WIDTH = 400;
constexpr IPTR MUI_WINDOW_DEFAULT_HEIGHT = 300;

// {object, object, ..., 0}: the order in which Tab moves the active object.
constexpr uint32_t MUIM_Window_SetCycleChain = OWN_METHOD_BASE + 0x401;

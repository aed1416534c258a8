// gadtools.library, hosted: string and button gadgets for simple windows,
// and the message calls of a GadTools window.
#pragma once
#include <cstdint>

#include "os/gadtools/gadtools.h"
#include "os/intuition/windows.h"

constexpr uint32_t BUTTON_KIND = 1;
constexpr uint32_t STRING_KIND = 12;

// Gadget types (the hosted intuition answers requesters through them).
constexpr uint16_t BOOLGADGET = 0x0001;
constexpr uint16_t STRGADGET = 0x0004;

constexpr Tag GTST_String = GT_TagBase + 45;
constexpr Tag GTST_MaxChars = GT_TagBase + 46;

struct StringInfo {
  char* Buffer;
  int16_t MaxChars;  // the buffer's size, the final NUL included
};

struct NewGadget {
  int16_t ng_LeftEdge, ng_TopEdge, ng_Width, ng_Height;
  const char* ng_GadgetText;
  void* ng_TextAttr;
  uint16_t ng_GadgetID;
  uint32_t ng_Flags;
  void* ng_VisualInfo;
  void* ng_UserData;
};

// Starts a gadget list at *glist; returns the context to create after.
Gadget* CreateContext(Gadget** glist);
// A gadget of that kind linked after previous; NIL when previous is NIL.
Gadget* CreateGadgetA(uint32_t kind, Gadget* previous, const NewGadget* ng, const TagItem* tags);
// Frees a whole list from CreateContext; NIL is ignored.
void FreeGadgets(Gadget* glist);
// The contents of a string gadget (or NIL).
const char* GT_StringOf(const Gadget* gadget);

// Puts the gadgets into the window (they are drawn by RefreshGList).
void AddGList(Window* window, Gadget* gadgets, int32_t position, int32_t count, void* requester);
void RemoveGList(Window* window, Gadget* gadgets, int32_t count);
void GT_RefreshWindow(Window* window, void* requester);
bool ActivateGadget(Gadget* gadget, Window* window, void* requester);

IntuiMessage* GT_GetIMsg(MsgPort* port);
void GT_ReplyIMsg(IntuiMessage* message);

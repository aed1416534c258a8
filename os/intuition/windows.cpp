#include "os/intuition/windows.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "os/gadtools/gadgets.h"
#include "os/intuition/requester_answers.h"

namespace {

struct HostedWindow {
  Window window{};
  MsgPort* ownPort = nullptr;  // the user port intuition made, if any
  RastPort rastPort{};
  std::vector<uint32_t> pixels;
  BitMap bitmap{};
};

std::vector<HostedWindow*>& openWindows() {
  static std::vector<HostedWindow*> windows;
  return windows;
}

// Replied messages come back here and are freed before new ones are sent.
MsgPort* replyPort() {
  static MsgPort* port = CreateMsgPort();
  return port;
}

void freeReplied() {
  while (Message* m = GetMsg(replyPort())) delete reinterpret_cast<IntuiMessage*>(m);
}

void post(Window* w, uint32_t messageClass, Gadget* gadget) {
  freeReplied();
  auto* m = new IntuiMessage{};
  m->ExecMessage.mn_ReplyPort = replyPort();
  m->ExecMessage.mn_Length = sizeof(IntuiMessage);
  m->Class = messageClass;
  m->IAddress = gadget;
  m->IDCMPWindow = w;
  PutMsg(w->UserPort, &m->ExecMessage);
}

Gadget* nthGadget(Window* w, uint16_t type, int32_t n) {
  for (Gadget* g = w->FirstGadget; g; g = g->NextGadget)
    if (g->GadgetType == type && --n == 0) return g;
  return nullptr;
}

// A button's label without the "_" that marks its shortcut.
std::string plainLabel(const Gadget* g) {
  std::string label;
  for (const char* p = static_cast<const char*>(g->GadgetText); p && *p; ++p)
    if (*p != '_') label += *p;
  return label;
}

Gadget* labelledButton(Window* w, const std::string& label) {
  for (Gadget* g = w->FirstGadget; g; g = g->NextGadget)
    if (g->GadgetType == BOOLGADGET && plainLabel(g) == label) return g;
  return nullptr;
}

// Turns the next requester answer into the window's input.
void feedWindow(MsgPort*, void* data) {
  Window* w = static_cast<Window*>(data);
  Gadget* text = nthGadget(w, STRGADGET, 1);
  RequesterRecord record;
  record.kind = RequesterRecord::Kind::Text;
  record.title = w->Title ? w->Title : "";
  record.initialText = GT_StringOf(text) ? GT_StringOf(text) : "";
  RequesterAnswer answer;
  Gadget* released = nullptr;
  if (!answerRequester(record, &answer)) {
    printRequesterCancel(record.title, "no answer");
  } else if (answer.kind == RequesterAnswer::Kind::Text) {
    if (text) {
      auto* info = static_cast<StringInfo*>(text->SpecialInfo);
      std::strncpy(info->Buffer, answer.text.c_str(), size_t(info->MaxChars - 1));
      info->Buffer[info->MaxChars - 1] = '\0';
      released = text;
    } else {
      printRequesterCancel(record.title, "no text to type into");
    }
  } else if (answer.kind == RequesterAnswer::Kind::Button && (answer.button != 0 || !answer.label.empty())) {
    released = answer.label.empty() ? nthGadget(w, BOOLGADGET, answer.button) : labelledButton(w, answer.label);
    if (!released) printRequesterCancel(record.title, "no such button");
  } else if (answer.kind == RequesterAnswer::Kind::Choose) {
    printRequesterCancel(record.title, "a file answer does not fit");
  }
  record.result = released ? 1 : 0;
  logRequester(record);
  if (released) post(w, IDCMP_GADGETUP, released);
  else post(w, IDCMP_CLOSEWINDOW, nullptr);
}

}  // namespace

Window* OpenWindowTagList(const NewWindow* nw, const TagItem* tags) {
  NewWindow n = nw ? *nw : NewWindow{};
  Screen* screen = reinterpret_cast<Screen*>(GetTagData(WA_CustomScreen, reinterpret_cast<intptr_t>(n.Screen), tags));
  Screen* locked = nullptr;
  if (!screen) {
    locked = LockPubScreen(reinterpret_cast<const char*>(GetTagData(WA_PubScreen, 0, tags)));
    screen = locked;
  }
  if (!screen) return nullptr;
  int32_t width = int32_t(GetTagData(WA_Width, n.Width, tags));
  int32_t height = int32_t(GetTagData(WA_Height, n.Height, tags));
  if (const TagItem* inner = FindTagItem(WA_InnerWidth, tags)) width = int32_t(inner->ti_Data) + 2 * WINDOW_BORDER;
  if (const TagItem* inner = FindTagItem(WA_InnerHeight, tags))
    height = int32_t(inner->ti_Data) + WINDOW_TITLE_BAR + WINDOW_BORDER;
  if (width < 1 || height < 1 || width > MAX_BITMAP_SIDE || height > MAX_BITMAP_SIDE) {
    if (locked) UnlockPubScreen(nullptr, locked);
    return nullptr;
  }
  auto* h = new HostedWindow;
  Window& w = h->window;
  w.LeftEdge = int16_t(GetTagData(WA_Left, n.LeftEdge, tags));
  w.TopEdge = int16_t(GetTagData(WA_Top, n.TopEdge, tags));
  w.Width = int16_t(width);
  w.Height = int16_t(height);
  w.BorderLeft = w.BorderRight = w.BorderBottom = WINDOW_BORDER;
  w.BorderTop = WINDOW_TITLE_BAR;
  w.Flags = uint32_t(GetTagData(WA_Flags, n.Flags, tags));
  w.IDCMPFlags = uint32_t(GetTagData(WA_IDCMP, n.IDCMPFlags, tags));
  w.Title = reinterpret_cast<const char*>(GetTagData(WA_Title, reinterpret_cast<intptr_t>(n.Title), tags));
  w.WScreen = screen;
  h->pixels.assign(size_t(width) * size_t(height), PEN0_ARGB);
  h->bitmap = BitMap{width, height, 32, BMF_DISPLAYABLE, h->pixels.data()};
  InitRastPort(&h->rastPort);
  h->rastPort.BitMap = &h->bitmap;
  w.RPort = &h->rastPort;
  if (w.IDCMPFlags) {
    w.UserPort = h->ownPort = CreateMsgPort();
    SetPortFeeder(w.UserPort, feedWindow, &w);
  }
  // The window holds no lock on its screen: the hosted screen never closes.
  if (locked) UnlockPubScreen(nullptr, locked);
  openWindows().push_back(h);
  return &w;
}

void CloseWindow(Window* window) {
  if (!window) return;
  auto& windows = openWindows();
  const auto it = std::find_if(windows.begin(), windows.end(), [&](HostedWindow* h) { return &h->window == window; });
  if (it == windows.end()) return;
  HostedWindow* h = *it;
  windows.erase(it);
  // A port the program put in place of intuition's stays the program's.
  if (MsgPort* port = h->ownPort) {
    while (Message* m = GetMsg(port)) {
      if (m->mn_ReplyPort == replyPort()) delete reinterpret_cast<IntuiMessage*>(m);
    }
    DeleteMsgPort(port);
  }
  freeReplied();
  delete h;
}

void ClearMenuStrip(Window* window) {
  if (window) window->MenuStrip = nullptr;
}

void SetPointer(Window* window, uint16_t*, int32_t, int32_t, int32_t, int32_t) {
  if (window) window->PointerBlank = true;
}

void ClearPointer(Window* window) {
  if (window) window->PointerBlank = false;
}

int32_t ostest::openWindowCount() { return int32_t(openWindows().size()); }
Window* ostest::lastOpenedWindow() { return openWindows().empty() ? nullptr : &openWindows().back()->window; }

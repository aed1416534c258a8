#include "os/gadtools/gadgets.h"

#include <cstring>

namespace {

// A gadget as handed out, with what it owns.
struct HostedGadget {
  Gadget gadget{};
  StringInfo info{};
  char* buffer = nullptr;
};

HostedGadget* hosted(Gadget* g) { return reinterpret_cast<HostedGadget*>(g); }

}  // namespace

Gadget* CreateContext(Gadget** glist) {
  if (!glist) return nullptr;
  auto* context = new HostedGadget;
  *glist = &context->gadget;
  return &context->gadget;
}

Gadget* CreateGadgetA(uint32_t kind, Gadget* previous, const NewGadget* ng, const TagItem* tags) {
  if (!previous || !ng) return nullptr;
  auto* h = new HostedGadget;
  Gadget& g = h->gadget;
  g.LeftEdge = ng->ng_LeftEdge;
  g.TopEdge = ng->ng_TopEdge;
  g.Width = ng->ng_Width;
  g.Height = ng->ng_Height;
  g.GadgetID = ng->ng_GadgetID;
  g.GadgetText = const_cast<char*>(ng->ng_GadgetText);
  g.UserData = ng->ng_UserData;
  if (kind == STRING_KIND) {
    g.GadgetType = STRGADGET;
    const intptr_t maxChars = GetTagData(GTST_MaxChars, 64, tags);
    const char* initial = reinterpret_cast<const char*>(GetTagData(GTST_String, 0, tags));
    h->info.MaxChars = int16_t(maxChars < 1 ? 1 : maxChars > 0x7FFF ? 0x7FFF : maxChars);
    h->buffer = new char[size_t(h->info.MaxChars)]();
    if (initial) std::strncpy(h->buffer, initial, size_t(h->info.MaxChars - 1));
    h->info.Buffer = h->buffer;
    g.SpecialInfo = &h->info;
  } else {
    g.GadgetType = BOOLGADGET;
  }
  previous->NextGadget = &g;
  return &g;
}

void FreeGadgets(Gadget* glist) {
  while (glist) {
    Gadget* next = glist->NextGadget;
    delete[] hosted(glist)->buffer;
    delete hosted(glist);
    glist = next;
  }
}

const char* GT_StringOf(const Gadget* gadget) {
  if (!gadget || gadget->GadgetType != STRGADGET || !gadget->SpecialInfo) return nullptr;
  return static_cast<const StringInfo*>(gadget->SpecialInfo)->Buffer;
}

void AddGList(Window* window, Gadget* gadgets, int32_t, int32_t, void*) {
  if (window) window->FirstGadget = gadgets;
}

void RemoveGList(Window* window, Gadget* gadgets, int32_t) {
  if (window && window->FirstGadget == gadgets) window->FirstGadget = nullptr;
}

void GT_RefreshWindow(Window*, void*) {}

bool ActivateGadget(Gadget* gadget, Window* window, void*) { return gadget && window; }

IntuiMessage* GT_GetIMsg(MsgPort* port) { return reinterpret_cast<IntuiMessage*>(GetMsg(port)); }
void GT_ReplyIMsg(IntuiMessage* message) { ReplyMsg(reinterpret_cast<Message*>(message)); }

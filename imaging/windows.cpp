#include "imaging/windows.h"

#include "core/exception.h"

namespace {
// An empty pointer image: one line of two empty words, between the two
// control words before and after.
uint16_t emptyPointer[6] = {0, 0, 0, 0, 0, 0};
}  // namespace

Window* openWindow(int32_t width, int32_t height, const char* title, Screen* screen, uint32_t idcmp, uint32_t flags,
                   const TagItem* moreTags) {
  Screen* locked = nullptr;
  if (!screen) {
    locked = LockPubScreen(nullptr);
    if (!locked) Throw("EPU", "pAmiga; openWindow(); failed to lock default public screen");
    screen = locked;
  }
  const int32_t outerWidth = width + 2 * WINDOW_BORDER;
  const int32_t outerHeight = height + WINDOW_TITLE_BAR + WINDOW_BORDER;
  const TagItem tags[] = {
      {WA_Left, (screen->Width - outerWidth) / 2},
      {WA_Top, (screen->Height - outerHeight) / 2},
      {WA_InnerWidth, width},
      {WA_InnerHeight, height},
      {WA_Title, reinterpret_cast<intptr_t>(title)},
      {WA_CustomScreen, reinterpret_cast<intptr_t>(screen)},
      {WA_IDCMP, intptr_t(idcmp)},
      {WA_Flags, intptr_t(flags)},
      moreTags ? TagItem{TAG_MORE, reinterpret_cast<intptr_t>(moreTags)} : TagItem{TAG_DONE, 0},
  };
  Window* window = OpenWindowTagList(nullptr, tags);
  if (locked) UnlockPubScreen(nullptr, locked);
  return window;
}

void closeWindow(Window* window, bool clearMenu) {
  if (!window) return;
  if (clearMenu) ClearMenuStrip(window);
  Forbid();
  if (MsgPort* port = window->UserPort) {
    // Messages of other windows sharing the port stay, in their order.
    Node* node = port->mp_MsgList.lh_Head;
    while (node && node->ln_Succ) {
      Node* next = node->ln_Succ;
      auto* message = reinterpret_cast<IntuiMessage*>(node);
      if (message->IDCMPWindow == window) {
        Remove(node);
        ReplyMsg(&message->ExecMessage);
      }
      node = next;
    }
  }
  CloseWindow(window);
  Permit();
}

void blankMousePointer(Window* window) {
  if (window) SetPointer(window, emptyPointer, 1, 16, 0, 0);
}

void unblankMousePointer(Window* window) {
  if (window) ClearPointer(window);
}

#include "imaging/text_requester.h"

#include <cstdio>

#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "imaging/text_lines.h"
#include "imaging/windows.h"
#include "os/gadtools/gadgets.h"

namespace {

constexpr int32_t MIN_TEXT_WIDTH = 200;
constexpr int32_t TEXT_MARGIN = 9;
// Without a limit the string gadget still has a buffer; this is its size.
constexpr int32_t UNLIMITED_LENGTH = 4096;
constexpr uint16_t ID_STRING = 1, ID_OK = 2, ID_CANCEL = 3;

int32_t lengthOf(const char* s) {
  int32_t n = 0;
  while (s && s[n]) ++n;
  return n;
}

char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Everything the requester holds while it is open; released in one place.
struct TextRequester {
  Screen* screen = nullptr;
  Screen* lockedScreen = nullptr;
  char* lines = nullptr;
  char* okText = nullptr;
  char* cancelText = nullptr;
  Window* window = nullptr;
  Gadget* gadgets = nullptr;
  Gadget* stringGadget = nullptr;
  int32_t textHeight = 0;

  void release() {
    if (window && gadgets) RemoveGList(window, gadgets, -1);
    closeWindow(window, false);
    FreeGadgets(gadgets);
    DisposeString(lines);
    DisposeString(okText);
    DisposeString(cancelText);
    if (lockedScreen) UnlockPubScreen(nullptr, lockedScreen);
  }

  // The body in a recessed area at the top of the window.
  void drawBody() {
    RastPort* rp = window->RPort;
    const int32_t left = window->BorderLeft, top = window->BorderTop;
    const int32_t right = window->Width - window->BorderRight - 1;
    SetAPen(rp, 1);  // the shadow side of the recess
    RectFill(rp, left + 4, top + 4, right - 4, top + 4);
    RectFill(rp, left + 4, top + 4, left + 4, top + TEXT_MARGIN + textHeight + 4);
    SetAPen(rp, 2);
    RectFill(rp, left + 4, top + TEXT_MARGIN + textHeight + 4, right - 4, top + TEXT_MARGIN + textHeight + 4);
    RectFill(rp, right - 4, top + 4, right - 4, top + TEXT_MARGIN + textHeight + 4);
    SetAPen(rp, 1);
    SetBPen(rp, 0);
    drawText(lines, rp, left + TEXT_MARGIN, top + TEXT_MARGIN);
  }
};

// Builds the window and its gadgets; false when the window cannot be opened.
bool open(TextRequester& r, const char* title, const char* initial, int32_t maxLength) {
  const int32_t textWidth = sizeOfText(r.lines, r.screen->Font, &r.textHeight);
  const int32_t fontHeight = r.screen->Font ? r.screen->Font->tf_YSize : DefaultFont()->tf_YSize;
  const int32_t innerWidth = (textWidth > MIN_TEXT_WIDTH ? textWidth : MIN_TEXT_WIDTH) + 18;
  const int32_t innerHeight = r.textHeight + 53 + 2 * fontHeight;
  r.window = openWindow(innerWidth, innerHeight, title, r.screen,
                        IDCMP_CLOSEWINDOW | IDCMP_GADGETUP | IDCMP_VANILLAKEY | IDCMP_REFRESHWINDOW | IDCMP_ACTIVEWINDOW,
                        WFLG_DRAGBAR | WFLG_DEPTHGADGET | WFLG_CLOSEGADGET | WFLG_ACTIVATE);
  if (!r.window) return false;
  const int32_t left = r.window->BorderLeft, top = r.window->BorderTop;
  const int32_t buttonWidth = (sizeOfLine(r.okText, r.screen->Font) > sizeOfLine(r.cancelText, r.screen->Font)
                                   ? sizeOfLine(r.okText, r.screen->Font)
                                   : sizeOfLine(r.cancelText, r.screen->Font)) +
                              25;
  Gadget* g = CreateContext(&r.gadgets);
  NewGadget ng{};
  ng.ng_LeftEdge = int16_t(left + TEXT_MARGIN);
  ng.ng_TopEdge = int16_t(top + r.textHeight + 2 * TEXT_MARGIN + 8);
  ng.ng_Width = int16_t(innerWidth - 2 * TEXT_MARGIN);
  ng.ng_Height = int16_t(fontHeight + 6);
  ng.ng_GadgetID = ID_STRING;
  const TagItem stringTags[] = {{GTST_String, reinterpret_cast<intptr_t>(initial ? initial : "")},
                                {GTST_MaxChars, (maxLength > 0 ? maxLength : UNLIMITED_LENGTH) + 1},
                                {TAG_DONE, 0}};
  g = r.stringGadget = CreateGadgetA(STRING_KIND, g, &ng, stringTags);
  ng.ng_TopEdge = int16_t(ng.ng_TopEdge + ng.ng_Height + TEXT_MARGIN);
  ng.ng_Width = int16_t(buttonWidth);
  ng.ng_GadgetText = r.okText;
  ng.ng_GadgetID = ID_OK;
  const TagItem buttonTags[] = {{GT_Underscore, '_'}, {TAG_DONE, 0}};
  g = CreateGadgetA(BUTTON_KIND, g, &ng, buttonTags);
  ng.ng_LeftEdge = int16_t(left + innerWidth - TEXT_MARGIN - buttonWidth);
  ng.ng_GadgetText = r.cancelText;
  ng.ng_GadgetID = ID_CANCEL;
  g = CreateGadgetA(BUTTON_KIND, g, &ng, buttonTags);
  if (!g) return false;
  AddGList(r.window, r.gadgets, -1, -1, nullptr);
  GT_RefreshWindow(r.window, nullptr);
  r.drawBody();
  ActivateGadget(r.stringGadget, r.window, nullptr);
  return true;
}

// Runs the requester until it is answered: TRUE for OK with *text set.
bool run(TextRequester& r, bool notEmpty, const char** text) {
  const char okKey = lowerChar(r.okText[1]), cancelKey = lowerChar(r.cancelText[1]);
  for (;;) {
    // Without input to come (a port nobody feeds) the requester is cancelled.
    if (!WaitPort(r.window->UserPort)) return false;
    while (IntuiMessage* m = GT_GetIMsg(r.window->UserPort)) {
      const uint32_t messageClass = m->Class;
      const uint16_t code = m->Code;
      const Gadget* gadget = static_cast<const Gadget*>(m->IAddress);
      GT_ReplyIMsg(m);
      bool ok = false;
      switch (messageClass) {
        case IDCMP_CLOSEWINDOW: return false;
        case IDCMP_REFRESHWINDOW: r.drawBody(); break;
        case IDCMP_ACTIVEWINDOW: ActivateGadget(r.stringGadget, r.window, nullptr); break;
        case IDCMP_GADGETUP:
          if (gadget && gadget->GadgetID == ID_CANCEL) return false;
          ok = gadget && (gadget->GadgetID == ID_OK || gadget->GadgetID == ID_STRING);
          break;
        case IDCMP_VANILLAKEY:
          if (lowerChar(char(code)) == cancelKey) return false;
          ok = lowerChar(char(code)) == okKey;
          break;
        default: break;
      }
      if (!ok) continue;
      *text = GT_StringOf(r.stringGadget);
      if (notEmpty && lengthOf(*text) == 0) {
        DisplayBeep(r.screen);
        continue;
      }
      return true;
    }
  }
}

}  // namespace

char* requestString(const char* title, const char* body, const char* initial, bool notEmpty, Screen* screen,
                    const char* okLabel, const char* cancelLabel, int32_t maxLength) {
  TextRequester r;
  char* result = nullptr;
  try {
    r.screen = screen;
    if (!r.screen) {
      r.lockedScreen = r.screen = LockPubScreen(nullptr);
      if (!r.screen) return nullptr;
    }
    r.lines = splitLinesIntoLinkedStrings(body ? body : "");
    r.okText = StrJoin("_", okLabel ? okLabel : "OK");
    r.cancelText = StrJoin("_", cancelLabel ? cancelLabel : "Cancel");
    const char* text = nullptr;
    if (open(r, title, initial, maxLength) && run(r, notEmpty, &text)) result = StrClone(text);
  } catch (...) {
    DisposeString(result);
    r.release();
    throw;
  }
  r.release();
  return result;
}

int32_t requestInteger(const char* title, const char* body, int32_t initial, int32_t minimum, int32_t maximum,
                       Screen* screen, const char* okLabel, const char* cancelLabel, int32_t maxDigits,
                       bool* accepted) {
  if (accepted) *accepted = false;
  if (maxDigits <= 0) maxDigits = 10;
  if (maximum < minimum) maximum = 2147483647;
  char first[16];
  std::snprintf(first, sizeof first, "%ld", long(initial));
  char* offer = StrClone(first);
  try {
    for (;;) {
      char* answer = requestString(title, body, offer, true, screen, okLabel, cancelLabel, maxDigits);
      if (!answer) break;
      DisposeString(offer);
      offer = answer;
      // Val reads a number that does not fit in 32 bits as nothing read.
      int32_t read = 0;
      const int32_t number = Val(answer, &read);
      if (read > 0 && read == EstrLen(answer) && number >= minimum && number <= maximum) {
        DisposeString(offer);
        if (accepted) *accepted = true;
        return number;
      }
    }
  } catch (...) {
    DisposeString(offer);
    throw;
  }
  DisposeString(offer);
  return initial;
}

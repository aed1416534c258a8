#include "os/mui/classes/window.h"

#include <map>
#include <string>

#include "os/mui/description.h"
#include "os/mui/faults.h"
#include "os/mui/live_objects.h"

namespace mui {
namespace {
// The values a window's place and size read before they are given: MUI picks
// them when the window opens (centred, at its default size).
constexpr IPTR NOT_GIVEN = -1;

constexpr AttrSpec windowAttrs[] = {
    {MUIA_Window_Title, "MUIA_Window_Title", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_Window_ScreenTitle, "MUIA_Window_ScreenTitle", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_Window_Screen, "MUIA_Window_Screen", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Window_LeftEdge, "MUIA_Window_LeftEdge", ATTR_ISG, AttrKind::Number, NOT_GIVEN},
    {MUIA_Window_TopEdge, "MUIA_Window_TopEdge", ATTR_ISG, AttrKind::Number, NOT_GIVEN},
    {MUIA_Window_Width, "MUIA_Window_Width", ATTR_ISG, AttrKind::Number, NOT_GIVEN},
    {MUIA_Window_Height, "MUIA_Window_Height", ATTR_ISG, AttrKind::Number, NOT_GIVEN},
    {MUIA_Window_ID, "MUIA_Window_ID", ATTR_IG, AttrKind::Number, 0},
    {MUIA_Window_AppWindow, "MUIA_Window_AppWindow", ATTR_IG, AttrKind::Flag, 0},
    {MUIA_Window_Sleep, "MUIA_Window_Sleep", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_Window_RootObject, "MUIA_Window_RootObject", ATTR_I, AttrKind::Child, 0},
    {MUIA_Window_Open, "MUIA_Window_Open", ATTR_SG, AttrKind::Flag, 0},
    {MUIA_Window_ActiveObject, "MUIA_Window_ActiveObject", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Window_UseRightBorderScroller, "MUIA_Window_UseRightBorderScroller", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_Window_UseBottomBorderScroller, "MUIA_Window_UseBottomBorderScroller", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_Window_CloseRequest, "MUIA_Window_CloseRequest", ATTR_S, AttrKind::Event, 0},
    {MUIA_Window_Window, "MUIA_Window_Window", ATTR_G, AttrKind::Number, 0},
    {MUIA_AppMessage, "MUIA_AppMessage", ATTR_S, AttrKind::Event, 0},
};

constexpr MethodSpec windowMethods[] = {
    {MUIM_Window_SetCycleChain, "MUIM_Window_SetCycleChain"},
};

struct Place {
  IPTR left, top, width, height;
};
std::map<IPTR, Place>& places() {
  static std::map<IPTR, Place> remembered;
  return remembered;
}
uint64_t openings = 0;

bool isGeometry(Tag tag) {
  return tag == MUIA_Window_LeftEdge || tag == MUIA_Window_TopEdge || tag == MUIA_Window_Width ||
         tag == MUIA_Window_Height;
}
}  // namespace

void forgetWindowPlaces() { places().clear(); }

void MuiWindow::storeGeometry(Tag tag, IPTR v) { store(*muiClass->findAttr(tag), v); }

void MuiWindow::opened() {
  openedOrder_ = ++openings;
  hasRecord_ = true;
  auto found = value(MUIA_Window_ID) ? places().find(value(MUIA_Window_ID)) : places().end();
  if (found != places().end()) {
    storeGeometry(MUIA_Window_LeftEdge, found->second.left);
    storeGeometry(MUIA_Window_TopEdge, found->second.top);
    storeGeometry(MUIA_Window_Width, found->second.width);
    storeGeometry(MUIA_Window_Height, found->second.height);
  }
  if (value(MUIA_Window_Width) <= 0) storeGeometry(MUIA_Window_Width, MUI_WINDOW_DEFAULT_WIDTH);
  if (value(MUIA_Window_Height) <= 0) storeGeometry(MUIA_Window_Height, MUI_WINDOW_DEFAULT_HEIGHT);
  if (value(MUIA_Window_LeftEdge) == NOT_GIVEN)
    storeGeometry(MUIA_Window_LeftEdge, (HOSTED_SCREEN_WIDTH - value(MUIA_Window_Width)) / 2);
  if (value(MUIA_Window_TopEdge) == NOT_GIVEN)
    storeGeometry(MUIA_Window_TopEdge, (HOSTED_SCREEN_HEIGHT - value(MUIA_Window_Height)) / 2);
  record_ = ::Window{static_cast<int16_t>(value(MUIA_Window_LeftEdge)), static_cast<int16_t>(value(MUIA_Window_TopEdge)),
                     static_cast<int16_t>(value(MUIA_Window_Width)), static_cast<int16_t>(value(MUIA_Window_Height)),
                     title(), reinterpret_cast<Screen*>(value(MUIA_Window_Screen))};
}

void MuiWindow::closed() {
  if (value(MUIA_Window_ID))
    places()[value(MUIA_Window_ID)] = Place{value(MUIA_Window_LeftEdge), value(MUIA_Window_TopEdge),
                                            value(MUIA_Window_Width), value(MUIA_Window_Height)};
  record_ = ::Window{};
  hasRecord_ = false;
}

bool MuiWindow::filterSet(Tag tag, IPTR& data) {
  if (tag != MUIA_Window_Open) return true;
  data = data ? 1 : 0;
  if (data && !parent) {
    fault("%s: opened without an application (OM_ADDMEMBER it first)", label().c_str());
    return false;
  }
  if (data && !root()) {
    fault("%s: opened without a root object", label().c_str());
    return false;
  }
  return true;
}

void MuiWindow::afterSet(Tag tag, IPTR data) {
  if (tag == MUIA_Window_Open) {
    // Opening an open window or closing a closed one changes nothing.
    const bool wasOpen = hasRecord_;
    if (data && !wasOpen) opened();
    if (!data && wasOpen) closed();
  } else if (isGeometry(tag) && isOpen()) {
    record_.LeftEdge = static_cast<int16_t>(value(MUIA_Window_LeftEdge));
    record_.TopEdge = static_cast<int16_t>(value(MUIA_Window_TopEdge));
    record_.Width = static_cast<int16_t>(value(MUIA_Window_Width));
    record_.Height = static_cast<int16_t>(value(MUIA_Window_Height));
  } else if (tag == MUIA_Window_Title) {
    record_.Title = isOpen() ? title() : nullptr;
  }
}

bool MuiWindow::computeGet(Tag tag, IPTR* storage) {
  if (tag != MUIA_Window_Window) return false;
  *storage = isOpen() ? reinterpret_cast<IPTR>(&record_) : 0;
  return true;
}

bool MuiWindow::dispatch(const IPTR* message, IPTR* result) {
  if (static_cast<uint32_t>(message[0]) != MUIM_Window_SetCycleChain) return Object::dispatch(message, result);
  cycleChain_.clear();
  for (const IPTR* p = message + 1; *p; ++p) {
    Object* member = reinterpret_cast<Object*>(*p);
    if (!isLive(member) || member->ancestorOfClass("Window.mui") != this) {
      fault("%s: MUIM_Window_SetCycleChain with something that is not an object of the window", label().c_str());
      continue;
    }
    cycleChain_.push_back(member);
  }
  *result = 1;
  return true;
}

void MuiWindow::disposing() {
  // A window disposed while open still leaves its place behind.
  if (hasRecord_) closed();
}

void MuiWindow::describe(Description& out) const {
  out.name = muiClass->dumpName;
  if (isOpen()) out.prop("open");
  if (flag(MUIA_Window_Sleep)) out.prop("sleep");
  if (flag(MUIA_Window_AppWindow)) out.prop("appwindow");
  if (value(MUIA_Window_ID)) out.prop("id=" + std::to_string(static_cast<long>(value(MUIA_Window_ID))));
  if (!cycleChain_.empty()) out.prop("chain=" + std::to_string(cycleChain_.size()));
  out.show(title());
}

const MuiClass windowClass = makeClass("Window.mui", "Window", &notifyClass, windowAttrs, windowMethods,
                                       []() -> Object* { return new MuiWindow; });

}  // namespace mui

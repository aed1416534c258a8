// The window host's life after the build: opening and closing in the
// application, busy, place and size, platform data, and what event delivery
// leaves for the application (close request, dropped paths, quit request).
#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/client/gui_module.h"
#include "gui/mui/client/gui_window_host.h"
#include "os/intuition/window.h"

namespace {

Object* applicationObject() { return guiAppClient ? guiAppClient->infoApplication() : nullptr; }

IPTR attributeOf(Object* object, Tag tag) {
  IPTR value = 0;
  GetAttr(tag, object, &value);
  return value;
}

// MUI's figure of the window's width or height; on AROS its Intuition window's.
int32_t liveSize(Object* windowObject, Tag attribute, bool width) {
  if (isAROS) {
    const auto* intuitionWindow = reinterpret_cast<const ::Window*>(attributeOf(windowObject, MUIA_Window_Window));
    if (intuitionWindow) return width ? intuitionWindow->Width : intuitionWindow->Height;
  }
  return static_cast<int32_t>(attributeOf(windowObject, attribute));
}

}  // namespace

// ---- opening and closing ----

void cGuiWindowHost::open() {
  if (isOpen) return;
  if (!windowObject) Throw("EMU", "cGuiWindow.open(); the window has not been built");
  Object* application = applicationObject();
  if (!application) Throw("EPU", "cGuiHost; open(); cApp.build() must be called first");
  cGuiWindow::open();
  isOpen = true;
  DoMethod(application, OM_ADDMEMBER, windowObject);
  SetAttrs(windowObject, MUIA_Window_Open, 1);
}

void cGuiWindowHost::close() {
  if (!isOpen) return;
  // Iconified, the window shows no place of its own.
  if (!(guiAppClient && guiAppClient->infoIconified())) storePosAndSize();
  SetAttrs(windowObject, MUIA_Window_Open, 0);
  DoMethod(applicationObject(), OM_REMMEMBER, windowObject);
  isOpen = false;
}

cGuiWindow* cGuiWindowHost::setBusy(bool flag) {
  if (flag == busy) return this;
  busy = flag;
  if (windowObject) SetAttrs(windowObject, MUIA_Window_Sleep, flag ? 1 : 0);
  return this;
}

// ---- place and size ----

bool cGuiWindowHost::showsLiveGeometry() {
  return windowObject && isOpen && !(guiAppClient && guiAppClient->infoIconified());
}

void cGuiWindowHost::storePosAndSize() {
  int32_t top = 0;
  const int32_t left = getPosition(&top);
  const int32_t width = infoWidth();
  const int32_t height = infoHeight();
  cGuiWindow::setPosition(left, top);
  cGuiWindow::changeSize(width, height);
}

void cGuiWindowHost::ensurePosAndSizeStored(bool iconified) {
  // A place given without a size (or a size without a place) is not enough:
  // the window exists, so what it lacks is learnt from it too.
  if (infoWishedPosition(nullptr, nullptr) && infoWishedWidth() >= 0 && infoWishedHeight() >= 0) return;
  Object* application = applicationObject();
  if (iconified) SetAttrs(application, MUIA_Application_Iconified, 0);
  try {
    if (isOpen) {
      storePosAndSize();
    } else {
      open();
      close();
    }
  } catch (...) {
    if (iconified) SetAttrs(application, MUIA_Application_Iconified, 1);
    throw;
  }
  if (iconified) SetAttrs(application, MUIA_Application_Iconified, 1);
}

int32_t cGuiWindowHost::getPosition(int32_t* top) {
  if (showsLiveGeometry()) {
    if (top) *top = static_cast<int32_t>(attributeOf(windowObject, MUIA_Window_TopEdge));
    return static_cast<int32_t>(attributeOf(windowObject, MUIA_Window_LeftEdge));
  }
  if (windowObject) ensurePosAndSizeStored(guiAppClient && guiAppClient->infoIconified());
  return cGuiWindow::getPosition(top);
}

int32_t cGuiWindowHost::infoWidth() {
  if (showsLiveGeometry()) return liveSize(windowObject, MUIA_Window_Width, true);
  if (windowObject) ensurePosAndSizeStored(guiAppClient && guiAppClient->infoIconified());
  return cGuiWindow::infoWidth();
}

int32_t cGuiWindowHost::infoHeight() {
  if (showsLiveGeometry()) return liveSize(windowObject, MUIA_Window_Height, false);
  if (windowObject) ensurePosAndSizeStored(guiAppClient && guiAppClient->infoIconified());
  return cGuiWindow::infoHeight();
}

cGuiWindow* cGuiWindowHost::setPosition(int32_t left, int32_t top) {
  if (windowObject) SetAttrs(windowObject, MUIA_Window_LeftEdge, left, MUIA_Window_TopEdge, top);
  return cGuiWindow::setPosition(left, top);
}

cGuiWindow* cGuiWindowHost::changeSize(int32_t width, int32_t height) {
  if (windowObject) SetAttrs(windowObject, MUIA_Window_Width, width, MUIA_Window_Height, height);
  return cGuiWindow::changeSize(width, height);
}

void* cGuiWindowHost::queryExtra(uint32_t key, bool* unknown) {
  if (unknown) *unknown = false;
  // Before the build there is no window to ask.
  if (!windowObject && (key == MakeId("SCRN") || key == MakeId("WIND"))) return nullptr;
  switch (key) {
    case MakeId("SCRN"): return reinterpret_cast<void*>(attributeOf(windowObject, MUIA_Window_Screen));
    case MakeId("OBJT"): return windowObject;
    case MakeId("SIGS"):
      return reinterpret_cast<void*>(static_cast<uintptr_t>(guiAppClient ? guiAppClient->infoSignalMask() : 0));
    case MakeId("WIND"): return reinterpret_cast<void*>(attributeOf(windowObject, MUIA_Window_Window));
    default:
      if (unknown) *unknown = true;
      return nullptr;
  }
}

// ---- what event delivery leaves ----

void cGuiWindowHost::notifyStateHasChanged(eventNode* event) {
  if (event->closeRequest) setCloseRequest(true);
  if (event->droppedPath) {
    DisposeString(droppedPath);
    droppedPath = event->droppedPath;
    droppedLast = event->lastOfDrop;
    event->droppedPath = nullptr;
  }
}

const char* cGuiWindowHost::getDroppedFile(bool keep, bool* lastOfDrop) {
  char* current = droppedPath;
  if (lastOfDrop) *lastOfDrop = current && droppedLast;
  if (!keep) {
    DisposeString(previousDroppedPath);
    previousDroppedPath = droppedPath;
    droppedPath = nullptr;
  }
  return current;
}

cGuiWindow* cGuiWindowHost::setDroppedFile(const char* path) {
  char* copy = StrClone(path);
  DisposeString(previousDroppedPath);
  previousDroppedPath = droppedPath;
  droppedPath = copy;
  droppedLast = true;  // a path set by the program is a drop of its own
  return this;
}

bool cGuiWindowHost::getQuitRequest(bool keep) { return guiAppClient && guiAppClient->getQuitRequest(keep); }

cGuiWindow* cGuiWindowHost::setQuitRequest(bool flag) {
  if (guiAppClient) guiAppClient->setQuitRequest(flag);
  return this;
}

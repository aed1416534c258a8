#include "os/mui/classes/application.h"

#include "os/commodities/commodities.h"
#include "os/exec/signals.h"
#include "os/mui/classes/window.h"
#include "os/mui/description.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/waiting_for_input.h"
#include "os/mui/faults.h"
#include "os/mui/live_objects.h"

namespace mui {
namespace {
constexpr AttrSpec applicationAttrs[] = {
    {MUIA_Application_Title, "MUIA_Application_Title", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_Application_Base, "MUIA_Application_Base", ATTR_IG, AttrKind::Text, 0},
    {MUIA_Application_Version, "MUIA_Application_Version", ATTR_IG, AttrKind::Text, 0},
    {MUIA_Application_Copyright, "MUIA_Application_Copyright", ATTR_IG, AttrKind::Text, 0},
    {MUIA_Application_Author, "MUIA_Application_Author", ATTR_IG, AttrKind::Text, 0},
    {MUIA_Application_Description, "MUIA_Application_Description", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_Application_DiskObject, "MUIA_Application_DiskObject", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Application_BrokerHook, "MUIA_Application_BrokerHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Application_Iconified, "MUIA_Application_Iconified", ATTR_ISG, AttrKind::Flag, 0},
};

constexpr MethodSpec applicationMethods[] = {
    {MUIM_Application_NewInput, "MUIM_Application_NewInput"},
};

Application* newest = nullptr;
WaitingHandler handlerBefore = nullptr;
}  // namespace

Application* Application::current() { return newest; }

bool Application::finishCreate() {
  signalBit_ = AllocSignal(-1);
  if (signalBit_ < 0) {
    fault("%s: no free signal for its input", label().c_str());
    return false;
  }
  previous_ = newest;
  if (!newest) handlerBefore = SetWaitingHandler(offerInput);
  newest = this;
  return true;
}

void Application::disposing() {
  if (signalBit_ < 0) return;  // never became current
  FreeSignal(signalBit_);
  signalBit_ = -1;
  if (newest == this) {
    newest = previous_;
  } else {
    // An older application goes first: the ones after it forget it.
    for (Application* a = newest; a; a = a->previous_)
      if (a->previous_ == this) a->previous_ = previous_;
  }
  if (!newest) {
    SetWaitingHandler(handlerBefore);
    dropUserActions();
  }
}

std::vector<Object*> Application::openWindows() const {
  std::vector<Object*> open;
  for (Object* child : children)
    if (static_cast<MuiWindow*>(child)->isOpen()) open.push_back(child);
  return open;
}

std::string Application::openWindowTitles() const {
  std::string titles;
  for (Object* w : openWindows()) titles += (titles.empty() ? "" : ", ") + quoted(static_cast<MuiWindow*>(w)->title());
  return titles.empty() ? "none" : titles;
}

bool Application::sendCommodityCommand(uint32_t command) {
  Hook* broker = reinterpret_cast<Hook*>(value(MUIA_Application_BrokerHook));
  if (!broker) return false;
  CxMsg message{CXM_COMMAND, command};
  CallHookPkt(broker, this, &message);
  return true;
}

bool Application::dispatch(const IPTR* message, IPTR* result) {
  const uint32_t id = static_cast<uint32_t>(message[0]);
  // Only these methods carry an argument here.
  const bool withArgument = id == OM_ADDMEMBER || id == OM_REMMEMBER || id == MUIM_Application_NewInput;
  Object* member = withArgument ? reinterpret_cast<Object*>(message[1]) : nullptr;
  switch (id) {
    case MUIM_Application_NewInput: {
      performNextUserAction();
      IPTR* signals = reinterpret_cast<IPTR*>(message[1]);
      if (signals) *signals = inputSignals();
      *result = inputSignals();
      return true;
    }
    case OM_ADDMEMBER:
      if (!member || !isLive(member) || !member->muiClass->isA("Window.mui")) {
        fault("%s: OM_ADDMEMBER of something that is not a window", label().c_str());
      } else if (member->parent) {
        fault("%s: OM_ADDMEMBER of %s, which belongs to %s", label().c_str(), member->label().c_str(),
              member->parent->label().c_str());
      } else {
        adopt(member);
        *result = 1;
      }
      return true;
    case OM_REMMEMBER:
      if (!member || !isLive(member) || member->parent != this) {
        fault("%s: OM_REMMEMBER of something that is not a member", label().c_str());
        return true;
      }
      // A window leaves its application closed.
      if (static_cast<MuiWindow*>(member)->isOpen()) member->set(MUIA_Window_Open, 0, 0);
      release(member);
      *result = 1;
      return true;
    default:
      return Object::dispatch(message, result);
  }
}

void Application::describe(Description& out) const {
  out.name = muiClass->dumpName;
  if (flag(MUIA_Application_Iconified)) out.prop("iconified");
  out.show(text(MUIA_Application_Title));
}

const MuiClass applicationClass = makeClass("Application.mui", "Application", &notifyClass, applicationAttrs,
                                            applicationMethods, []() -> Object* { return new Application; });

}  // namespace mui

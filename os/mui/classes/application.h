// Application.mui: the program's application object. Its members are its
// windows (OM_ADDMEMBER, OM_REMMEMBER); disposing it disposes them. It owns
// the input signal on which the program waits, performs the user's actions
// from the input queue in MUIM_Application_NewInput, and hands commodity
// messages to its broker hook.
#pragma once
#include <string>
#include <vector>

#include "os/mui/classes/area.h"

namespace mui {

class Application : public Object {
 public:
  uint32_t inputSignals() const { return signalBit_ >= 0 ? 1u << signalBit_ : 0; }
  // Open windows, oldest member first.
  std::vector<Object*> openWindows() const;
  // Hands a commodity command to the broker hook; FALSE when there is none.
  bool sendCommodityCommand(uint32_t command);
  // The application the input queue belongs to (the newest one alive), or NIL.
  static Application* current();
  // The titles of the open windows as `"A", "B"` (or "none"), for messages.
  std::string openWindowTitles() const;

  void disposing() override;
  void describe(Description& out) const override;

 protected:
  bool finishCreate() override;
  bool dispatch(const IPTR* message, IPTR* result) override;

 private:
  int32_t signalBit_ = -1;
  Application* previous_ = nullptr;  // the application that was current before this one
};

}  // namespace mui

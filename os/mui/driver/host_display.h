// The display a person sees the windows on, when the program has one. The
// engine itself stays headless: a display installs itself here and is asked,
// whenever the program waits for input, to bring the screen up to date and
// to wait for the person's gestures. It turns each gesture into the user
// driver's action (os/mui/driver/user_driver.h), so a click on the screen and a
// test's mui::user call have the same effect.
#pragma once
#include <cstdint>

namespace mui {

class HostDisplay {
 public:
  virtual ~HostDisplay() = default;
  // Shows the engine's open windows as they are now (called each time the
  // program waits, also while a UI script runs).
  virtual void refresh() = 0;
  // Runs the display until the person queued an action, or a quit request or
  // a Ctrl-C break among signalSet arrived. FALSE when no window is shown, so
  // no input can come from here.
  virtual bool waitForInput(uint32_t signalSet) = 0;
};

// Installs the display (NIL: headless again); answers the one before.
HostDisplay* setHostDisplay(HostDisplay* display);
HostDisplay* hostDisplay();

}  // namespace mui

// Where the program chooses, as it starts, whether its windows are drawn:
// part of the program itself (not of a library), so only the program opens
// windows, and nothing in the program's own code knows that it does.
//
//   a display (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM) and no UI script:
//     real windows;
//   a UI script (LUDEX_UI_SCRIPT): headless, unless LUDEX_SHOW_UI asks to
//     show the script's run on the display;
//   no display and no script: there is nothing a person could use, so the
//     program says so in one line and ends with return code 10 before it
//     touches anything. An X display (DISPLAY alone) that cannot be opened
//     counts as none: Qt would end the process with an abort instead.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <xcb/xcb.h>

#include "os/mui/qt/qt_display.h"

namespace {

bool given(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Whether the X server that DISPLAY names accepts a connection.
bool xDisplayOpens() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool opens = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return opens;
}

// Runs before main: the display is chosen before the program reads or writes anything.
const bool displayChosen = [] {
  const bool screen = given("DISPLAY") || given("WAYLAND_DISPLAY") || given("QT_QPA_PLATFORM");
  const bool script = given("LUDEX_UI_SCRIPT");
  if (script && !given("LUDEX_SHOW_UI")) return false;
  const bool onlyX = given("DISPLAY") && !given("WAYLAND_DISPLAY") && !given("QT_QPA_PLATFORM");
  if (!screen || (onlyX && !xDisplayOpens())) {
    const std::string none = screen ? std::string("The display \"") + std::getenv("DISPLAY") + "\" (DISPLAY) cannot be opened"
                                    : "No display (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)";
    if (script) {
      std::printf("%s: the UI script runs unseen\n", none.c_str());
      return false;
    }
    std::printf("%s and no UI script (LUDEX_UI_SCRIPT): nothing to show\n", none.c_str());
    std::fflush(stdout);
    std::exit(10);
  }
  // The display lasts as long as the process and is never taken down: by the
  // time static objects end, Qt's per-thread data that widgets need is gone.
  static mui::qt::QtDisplay* const display = new mui::qt::QtDisplay;
  return display != nullptr;
}();

}  // namespace

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
//     touches anything.
//
// An X or Wayland display that cannot be opened counts as none (Qt would end
// the process with an abort instead), and so does a platform named by
// QT_QPA_PLATFORM that Qt cannot start: that one is only known when Qt
// fails, so it ends the program in one line with return code 10 even when a
// UI script was to be shown.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <QString>
#include <QtGlobal>
#include <xcb/xcb.h>

#include "os/mui/qt/qt_display.h"

namespace {

constexpr int NO_DISPLAY_RETURN_CODE = 10;

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool given(const char* name) { return !variable(name).empty(); }

// Whether the X server that DISPLAY names accepts a connection.
bool xDisplayOpens() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool opens = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return opens;
}

// Whether the Wayland compositor that WAYLAND_DISPLAY names accepts a
// connection: its socket, by a full path or in XDG_RUNTIME_DIR.
bool waylandDisplayOpens() {
  const std::string name = variable("WAYLAND_DISPLAY"), runtime = variable("XDG_RUNTIME_DIR");
  if (name.empty() || (name[0] != '/' && runtime.empty())) return false;
  const std::string path = name[0] == '/' ? name : runtime + "/" + name;
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  const bool opens = connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(s);
  return opens;
}

// `The display ":99" (DISPLAY)`, naming each variable given among `names`.
std::string displaysNamed(const std::vector<const char*>& names) {
  std::string out;
  size_t count = 0;
  for (const char* name : names) {
    if (!given(name)) continue;
    out += std::string(count++ ? " and \"" : "\"") + variable(name) + "\" (" + name + ")";
  }
  return (count > 1 ? "The displays " : "The display ") + out;
}

[[noreturn]] void endWithoutDisplay(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  std::exit(NO_DISPLAY_RETURN_CODE);
}

// While Qt starts: its complaints are held back, and its fatal error (no
// platform could be started) ends the program in one line. Qt calls this
// handler and aborts when it returns, so it leaves at once, without running
// what the half-started Qt would need at exit.
std::vector<std::string> heldBack;
void whileQtStarts(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    heldBack.push_back(message.toStdString());
    return;
  }
  std::printf("%s cannot be opened: nothing to show\n",
              displaysNamed({"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}).c_str());
  std::fflush(stdout);
  _exit(NO_DISPLAY_RETURN_CODE);
}

// Runs before main: the display is chosen before the program reads or writes anything.
const bool displayChosen = [] {
  const bool platform = given("QT_QPA_PLATFORM");
  const bool screen = platform || given("DISPLAY") || given("WAYLAND_DISPLAY");
  const bool script = given("LUDEX_UI_SCRIPT");
  if (script && !given("LUDEX_SHOW_UI")) return false;
  const bool opens = platform || (given("DISPLAY") && xDisplayOpens()) ||
                     (given("WAYLAND_DISPLAY") && waylandDisplayOpens());
  if (!opens) {
    const std::string none = screen ? displaysNamed({"DISPLAY", "WAYLAND_DISPLAY"}) + " cannot be opened"
                                    : "No display (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)";
    if (script) {
      std::printf("%s: the UI script runs unseen\n", none.c_str());
      return false;
    }
    endWithoutDisplay(none + " and no UI script (LUDEX_UI_SCRIPT): nothing to show");
  }
  // The display lasts as long as the process and is never taken down: by the
  // time static objects end, Qt's per-thread data that widgets need is gone.
  const QtMessageHandler before = qInstallMessageHandler(whileQtStarts);
  static mui::qt::QtDisplay* const display = new mui::qt::QtDisplay;
  qInstallMessageHandler(before);
  for (const std::string& complaint : heldBack) std::fprintf(stderr, "%s\n", complaint.c_str());
  heldBack.clear();
  return display != nullptr;
}();

}  // namespace

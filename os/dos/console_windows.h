// Consoles: what Open gives for "CON:" and "CONSOLE:".
//
// "CON:left/top/width/height/title/options" is a console window of its own
// (options AUTO: it appears only when something is written to it; CLOSE: it
// has a close gadget; WAIT: once every handle on it is closed it stays until
// the person closes it). The window is a terminal: what is written to the
// handle (and by the programs a shell starts with it as their streams)
// appears in it as it comes, and what the person types there can be read.
// "CONSOLE:" is the program's own console: the terminal it was started from
// (its standard streams), or, when no terminal is behind them (a start from
// the desktop), one console window of the program that opens when written
// to and waits to be closed, used by every open while it is there.
//
// The windows are drawn by the display, which installs itself as the console
// host. Without one (no display, a UI script) every console is the
// program's standard streams.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

struct ConsoleWindowSpec {
  int32_t left = -1, top = -1, width = -1, height = -1;  // -1: where and as large as the display likes
  std::string title;
  bool autoOpen = false;     // AUTO
  bool closeGadget = false;  // CLOSE
  bool wait = false;         // WAIT
};

// The window a "CON:" name describes (what follows the colon).
ConsoleWindowSpec ParseConsoleSpec(const char* afterColon);

class ConsoleHost {
 public:
  virtual ~ConsoleHost() = default;
  // Shows a console window. `terminal` is the controlling side of the
  // console's terminal: what is written to the console is read there and
  // what the person types is written there. The host owns it and closes it
  // when the window goes.
  virtual void openConsoleWindow(const ConsoleWindowSpec& spec, int terminal) = 0;
};

// Installs the display's console host (NIL: none); answers the one before.
ConsoleHost* SetConsoleHost(ConsoleHost* host);

namespace ostest {
// Whether a terminal counts as behind the program's standard streams (as
// from a shell) or not (as from the desktop); nullopt: as they really are.
void setTerminalAtStandardStreams(std::optional<bool> terminal);
}  // namespace ostest

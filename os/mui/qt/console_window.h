// Console windows on the display: the hosted system's CON: windows, and the
// console of a program started from the desktop. Each shows what is written
// to its terminal as it comes (the commands a shell echoes, the output and
// messages of the programs it starts), and sends what the person types
// there to it. An AUTO window appears with the first byte written; a WAIT
// window stays once everything written to it is done, until the person
// closes it; only a window with a close gadget (CLOSE), or one whose
// writers are all done, closes when asked.
#pragma once
#include <QPointer>
#include <QWidget>
#include <vector>

#include "os/dos/console_windows.h"

namespace mui::qt {

class ConsoleWindow;

// The display's console host: installs itself as the hosted system's console
// host for as long as it lives, and takes its windows down as it ends.
class ConsoleWindows : public ConsoleHost {
 public:
  ConsoleWindows();
  ~ConsoleWindows() override;
  ConsoleWindows(const ConsoleWindows&) = delete;
  ConsoleWindows& operator=(const ConsoleWindows&) = delete;

  void openConsoleWindow(const ConsoleWindowSpec& spec, int terminal) override;

 private:
  ConsoleHost* hostBefore_;
  std::vector<QPointer<QWidget>> windows_;
};

}  // namespace mui::qt

// The hosted MUI's display drawn with Qt: it shows each open window of the
// current application as a WindowView, follows the engine's objects each time
// the program waits, runs Qt's event loop until the person's gestures queued
// input (or the host asked the program to quit: SIGTERM, or the desktop's
// quit), asks requesters on screen when no answer is queued, and shows the
// desktop's own messages and the hosted system's console windows.
#pragma once
#include <cstdint>
#include <map>
#include <memory>

#include "os/intuition/requester_answers.h"
#include "os/mui/driver/host_display.h"
#include "os/workbench/desktop_messages.h"

class QObject;
class QWidget;
struct Object;

namespace mui::qt {

class ConsoleWindows;
class WindowView;

class QtDisplay : public HostDisplay {
 public:
  // Needs a Qt application (see qtApplication()); installs itself as the
  // host display and its requesters until it ends.
  QtDisplay();
  ~QtDisplay() override;
  QtDisplay(const QtDisplay&) = delete;
  QtDisplay& operator=(const QtDisplay&) = delete;

  void refresh() override;
  bool waitForInput(uint32_t signalSet) override;

  // The top-level widget of an open window, and the widget of an object in
  // one (NIL: not shown).
  WindowView* windowView(const Object* window) const;
  QWidget* widgetOf(const Object* object) const;

 private:
  std::map<const Object*, std::unique_ptr<WindowView>> windows_;
  HostDisplay* displayBefore_;
  ScreenRequester requesterBefore_;
  DesktopMessenger messengerBefore_;
  std::unique_ptr<QObject> desktopQuit_;  // turns the desktop's quit into the host's quit request
  std::unique_ptr<ConsoleWindows> consoles_;
};

// The process's Qt application, made on first use (it lives as long as the process).
void ensureQtApplication();

}  // namespace mui::qt

#include "os/mui/qt/qt_display.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "os/dos/dos.h"
#include "os/exec/break_signals.h"
#include "os/mui/classes/application.h"
#include "os/mui/classes/window.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/qt/console_window.h"
#include "os/mui/qt/desktop_message_box.h"
#include "os/mui/qt/screen_requesters.h"
#include "os/mui/qt/window_view.h"

namespace mui::qt {
namespace {
// How often the wait looks for a quit request or a break from the host.
constexpr int HOST_SIGNAL_POLL_MS = 100;

// The desktop's quit of the whole program (the session manager ending the
// session, a dock's or task bar's quit) reaches Qt as a Quit event to the
// application. It becomes the host's quit request, which the program reads as
// the commodities kill, as it does SIGTERM; Qt itself would only close the
// windows one by one.
class DesktopQuit : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit) return false;
    requestHostQuit();
    return true;
  }
};
}  // namespace

void ensureQtApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "ludex";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  // The program decides when it ends, never Qt when its last window closes.
  QApplication::setQuitOnLastWindowClosed(false);
}

QtDisplay::QtDisplay()
    : displayBefore_(setHostDisplay(this)),
      requesterBefore_(SetScreenRequester(askOnScreen)),
      messengerBefore_(SetDesktopMessenger(showDesktopMessageBox)) {
  ensureQtApplication();
  desktopQuit_ = std::make_unique<DesktopQuit>();
  QCoreApplication::instance()->installEventFilter(desktopQuit_.get());
  consoles_ = std::make_unique<ConsoleWindows>();
}

QtDisplay::~QtDisplay() {
  consoles_.reset();
  QCoreApplication::instance()->removeEventFilter(desktopQuit_.get());
  for (auto& [window, view] : windows_) view->takeDown();
  windows_.clear();
  SetDesktopMessenger(messengerBefore_);
  SetScreenRequester(requesterBefore_);
  setHostDisplay(displayBefore_);
}

void QtDisplay::refresh() {
  Application* app = Application::current();
  std::vector<Object*> open = app ? app->openWindows() : std::vector<Object*>{};
  // Windows closed or gone leave the screen first.
  for (auto it = windows_.begin(); it != windows_.end();) {
    const bool stillOpen = it->second->alive() && std::find(open.begin(), open.end(), it->first) != open.end();
    if (stillOpen) {
      ++it;
      continue;
    }
    it->second->takeDown();
    it = windows_.erase(it);
  }
  for (Object* window : open) {
    auto& view = windows_[window];
    if (!view) {
      view = std::make_unique<WindowView>(static_cast<MuiWindow*>(window));
      view->show();
    } else {
      view->follow();
    }
  }
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool QtDisplay::waitForInput(uint32_t signalSet) {
  refresh();
  if (windows_.empty()) return false;
  const bool breakable = (signalSet & SIGBREAKF_CTRL_C) != 0;
  QTimer poll;
  poll.start(HOST_SIGNAL_POLL_MS);
  while (queuedUserActions() == 0 && !hostQuitRequested() && !(breakable && hostCtrlCPending()))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return true;
}

WindowView* QtDisplay::windowView(const Object* window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second.get();
}

QWidget* QtDisplay::widgetOf(const Object* object) const {
  for (const auto& [window, view] : windows_)
    if (QWidget* w = view->widgetOf(object)) return w;
  return nullptr;
}

}  // namespace mui::qt

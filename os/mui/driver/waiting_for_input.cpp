#include "os/mui/driver/waiting_for_input.h"

#include "os/commodities/commodities.h"
#include "os/exec/break_signals.h"
#include "os/exec/hosted_failure.h"
#include "os/exec/signals.h"
#include "os/mui/classes/application.h"
#include "os/mui/driver/host_display.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/ui_script_runner.h"

namespace mui {
namespace {
void queueCommoditiesKill(const char* why) {
  queueUserAction(why, [] {
    // The application may be gone by the time the action is performed.
    if (Application* app = Application::current()) app->sendCommodityCommand(CXCMD_KILL);
  });
}
}  // namespace

bool offerInput(uint32_t signalSet) {
  Application* app = Application::current();
  if (!app || !(signalSet & app->inputSignals())) return false;
  HostDisplay* display = hostDisplay();
  if (display) display->refresh();
  if (queuedUserActions() > 0) {
    Signal(nullptr, app->inputSignals());
    return true;
  }
  if (takeHostQuitRequest()) {
    queueCommoditiesKill("quit (asked by the host)");
    return true;
  }
  const bool scripted = uiScriptRunning();
  if (scripted && queueNextUiScriptLine()) return true;
  if (scripted && !app->openWindows().empty() && takeUiScriptEndKill()) {
    queueCommoditiesKill("quit (the UI script ended)");
    return true;
  }
  if (!scripted && display && display->waitForInput(signalSet)) return true;
  if (scripted)
    throw HostedFailure("UI script \"" + uiScriptName() +
                        "\" ended, and the program still waits for input; open windows: " + app->openWindowTitles());
  throw HostedFailure("MUI; Wait(); no input can ever come (no display and no UI script); open windows: " +
                      app->openWindowTitles());
}

}  // namespace mui

#include "os/mui/mui_testing.h"

#include "os/mui/call_log.h"
#include "os/mui/classes/window.h"
#include "os/mui/description.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/ui_script_runner.h"
#include "os/mui/faults.h"
#include "os/mui/live_objects.h"

void ostest::resetMui() {
  mui::forgetCalls();
  mui::forgetFaults();
  mui::setStrictMode(false);
  recordMuiCalls(false);
  restoreMuiClasses();
  mui::restartSerials();
  mui::forgetWindowPlaces();
  mui::dropUserActions();
  mui::stopUiScript();
}

void ostest::setMuiStrict(bool on) { mui::setStrictMode(on); }
std::string ostest::dumpMuiTree(const Object* object) { return mui::dumpTree(object); }
int32_t ostest::liveMuiObjects() { return mui::liveObjectCount(); }

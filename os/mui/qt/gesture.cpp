#include "os/mui/qt/gesture.h"

#include <utility>

#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/live_objects.h"
#include "os/mui/object.h"

namespace mui::qt {

void queueGesture(const char* what, Object* target, std::function<void(Object*)> perform) {
  if (!target || !isLive(target)) return;
  const uint32_t serial = target->serial;
  queueUserAction(what, [target, serial, perform = std::move(perform)] {
    if (isLive(target, serial) && canAct(target)) perform(target);
  });
}

}  // namespace mui::qt

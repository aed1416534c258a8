#include "os/mui/driver/host_display.h"

namespace mui {
namespace {
HostDisplay* installed = nullptr;
}

HostDisplay* setHostDisplay(HostDisplay* display) {
  HostDisplay* before = installed;
  installed = display;
  return before;
}

HostDisplay* hostDisplay() { return installed; }

}  // namespace mui

// What exec's Wait does while an application exists and none of the signals
// waited for arrived: nothing else can send them, so the input must come from
// here (installed as Wait's waiting handler by the first application).
//
// In order: a queued user action signals the application; a quit request
// from the host (SIGTERM) becomes the commodities kill; a running UI script
// queues its next line; a script that ended sends the commodities kill once
// while windows are open. Without a script, a display (os/mui/driver/host_display.h)
// waits for the person's gestures. Otherwise no input can ever come, and the
// wait fails with HostedFailure naming the open windows instead of hanging.
#pragma once
#include <cstdint>

namespace mui {

bool offerInput(uint32_t signalSet);

}  // namespace mui

// The hook that item notifications call with [item, window]: the toolkit's
// application client installs it when the MUI application is made (NIL
// before), and it queues a change event for the item.
#pragma once

#include "os/utility/hooks.h"

Hook* infoGuiActionHook();
void setGuiActionHook(Hook* hook);

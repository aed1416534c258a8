// The toolkit's base module: the default objects of its callback classes,
// made at start-up and disposed at the end.
#pragma once

#include "gui/gui_notify.h"

// The default change notification (does nothing); NIL outside the module's life.
extern funcGuiNotify* defaultGuiNotify;

void new_cguibase();
// Safe to run when new_cguibase never ran.
void end_cguibase();

// The toolkit's base module: the default objects of its callback classes,
// made at start-up and disposed at the end.
#pragma once

#include "gui/items/gui_notify.h"
#include "gui/lists/gui_list_entries.h"
#include "gui/lists/gui_list_sort.h"

// The default change notification (does nothing), entry producer (yields
// nothing) and list comparison (whole labels ignoring case); NIL outside the
// module's life.
extern funcGuiNotify* defaultGuiNotify;
extern fGuiListEntries* defaultGuiListEntries;
extern fGuiListSort* defaultGuiListSort;

void new_cguibase();
// Safe to run when new_cguibase never ran. An error pending when it starts
// stays pending.
void end_cguibase();

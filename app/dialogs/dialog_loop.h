// What every dialog does with its window: waits for the window's events in a
// loop of its own, and gives the window back on every way out.
#pragma once
#include <cstdint>

#include "core/clean_up.h"
#include "core/exception.h"
#include "gui/gui_window.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/client/gui_module.h"

// The four letters under which a dialog's place is remembered, first letter
// most significant.
inline uint32_t DialogSaveId(const char* letters) { return static_cast<uint32_t>(MakeId(letters)); }

// Gives each event of dialog to react until react answers TRUE. The close
// gadget reaches react as NIL. Events of other windows are not expected while
// a dialog is open; they are passed over, and what they leave on their window
// (a close request) stays there for that window's own loop.
template <class React>
void RunDialogLoop(cGuiWindow* dialog, React react) {
  for (;;) {
    cGuiWindow* from = nullptr;
    cGuiItem* item = WaitForChangedGuiItem(&from);
    if (from != dialog) continue;
    if (!item && !dialog->getCloseRequest(false)) continue;
    if (react(item)) return;
  }
}

// Drops the events that the program's own settings queued for the dialog
// (a field filled, a selection made before the user saw the window), so that
// every event the loop then sees is the user's.
inline void DropProgramEvents(cGuiWindow* dialog) { guiAppClient->purgeEventsOf(dialog); }

// Runs work on the dialog, then closes and ends the window, also when an
// error passes.
template <class Work>
decltype(auto) WithDialogWindow(cGuiWindow* dialog, Work work) {
  return WithCleanUp(work, [dialog] { DestroyGuiWindow(dialog); });
}

// Runs work with the window shown busy, ready again afterwards also when an
// error passes.
template <class Work>
void WhileBusy(cGuiWindow* window, Work work) {
  window->setBusy(true);
  WithCleanUp(work, [window] { window->setBusy(false); });
}

#include "app/prefs_dialog.h"

// NOT BUILT YET: the dialog's window does not exist; the preferences stay as
// they are, as if the user cancelled.
void requestPrefs(cStringSpace* space) { (void)space; }

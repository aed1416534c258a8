#include "app/tag_all_dialog.h"

// NOT BUILT YET: the dialog's window does not exist; it changes nothing, as
// if the user cancelled.
void requestTagAll(cGuiList* gamesList) { (void)gamesList; }

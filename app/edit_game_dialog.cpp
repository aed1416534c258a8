#include "app/edit_game_dialog.h"

// NOT BUILT YET: the dialog's window does not exist; it answers "cancelled,
// nothing changed", so the main window leaves the game as it is.
char* requestEditGame(const char* name, const char* tagsText, const char* params, char** newTagsText,
                      char** newParams, bool* cancelled) {
  (void)name, (void)tagsText, (void)params;
  if (newTagsText) *newTagsText = nullptr;
  if (newParams) *newParams = nullptr;
  if (cancelled) *cancelled = true;
  return nullptr;
}

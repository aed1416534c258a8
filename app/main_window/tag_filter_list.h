// The tag filter list beside the games list: every known tag (the tag space),
// whose selection drives the tags filter field, and the way back from a tags
// text to a selection. The game dialogs use the same list fills.
#pragma once
#include "gui/lists/gui_list_entries.h"

class cGuiList;
class cGuiCycleChoice;

// Yields a copy of every key of the tag space, in the space's order.
// Valid after setupIterateFilterTagList.
class iterateFilterTagList : public fGuiListEntries {
  LUDEX_CLASS(iterateFilterTagList, fGuiListEntries)
 public:
  char* call(GuiListEntryMore* more) override;
};

// Starts the tag producer at the tag space's first tag.
void setupIterateFilterTagList();
// The first fill of a tag list with every known tag.
void addFilterTagsToGUI(cGuiList* tagList);
// Refills the main window's tag filter list (after every save of the game list).
void updateFilterTagsToGUI(cGuiList* tagList);

// The labels of the selected entries, in list order, joined by ","; "" when
// none is selected. A new string.
char* tagSelectionToUserTags(cGuiList* tagList);
// Selects in tagList exactly the tags named by a tags text (split at commas,
// "/" and blanks, compared without case). With a mode cycle, a leading "~"
// chooses "Hide" (1) and is skipped, otherwise "Show" (0). With addMissing,
// named tags the list lacks are added to it and selected.
void updateTagSelectionOfGUI(const char* text, cGuiList* tagList, cGuiCycleChoice* modeCycle, bool addMissing);
// TRUE when the list's selection and the cycle (when given) are what the text
// chooses, as updateTagSelectionOfGUI without addMissing would leave them.
bool tagSelectionFollows(const char* text, cGuiList* tagList, cGuiCycleChoice* modeCycle);

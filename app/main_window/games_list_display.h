// The games list shown in the main window: which games pass the three filter
// fields, and the entry producer that fills and refills the shown list.
#pragma once

#include "gui/lists/gui_list_entries.h"

class cGuiList;
class cGuiString;
class game;

// The main window's three filter fields, read by the games list's producer
// once guiBuilt is TRUE (set when the main window is built).
extern cGuiString* guiFilterName;
extern cGuiString* guiFilterPath;
extern cGuiString* guiFilterTags;
extern bool guiBuilt;

// Yields the entry of every game of the game list (the global list) that
// passes the filters, in list order; where the receiver can take them, it
// lends the games' kept labels instead of copies.
// Valid between setupIterateGamesList and tidyupIterateGamesList.
class iterateGamesList : public fGuiListEntries {
  LUDEX_CLASS(iterateGamesList, fGuiListEntries)
 public:
  char* call(GuiListEntryMore* more) override;
};

// Reads the filter fields (only once the window is built; before, every game
// passes) and starts from the first game.
void setupIterateGamesList();
// Frees the filters: every game passes until the next setup.
void tidyupIterateGamesList();

// The game of the shown list's cursor entry; NIL when the list shows no
// entry (a filter may hide every game) or the entry holds no game.
game* gameOfCursorEntry(cGuiList* guiList);

// Adds the game's entry to the shown list, moving its cursor there on request.
void addGameToGUI(cGuiList* guiList, game* g, bool moveCursor);
// The first fill of the shown list with every game that passes.
void addGamesListToGUI(cGuiList* guiList);
// Refills the shown list after any change, changing only the rows that differ.
void updateGamesListToGUI(cGuiList* guiList);

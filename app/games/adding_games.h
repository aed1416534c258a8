// Adding games from a file, or from every game file below a folder.
#pragma once
#include "files/trees/recurse_callbacks.h"

class cMegaList_class;
class cGuiList;
class game;

// Adds the file at path (internal form) to the game list and its entry to the
// shown games list, unless a game with that path (a-z case ignored) is listed
// already: then that game is the result and *alreadyListed TRUE, with the
// game list's cursor on it. The new game gets the tag of the first kind test
// that accepts the file and a name made from the file name. findEntry: the
// shown list's cursor goes to the game's entry. EPU for a NIL guiList.
game* addGame(const char* path, cMegaList_class* gameList, cGuiList* guiList, bool findEntry,
              bool* alreadyListed = nullptr);

// The folder walk's file action: "X.slave" with "X.info" beside it adds the
// game X; any other file is added when a kind test that recognises games in a
// folder accepts it. Files whose path holds a line break are left out: the
// game list file keeps one field per line.
class fAddGame : public funcRecurseFile {
  LUDEX_CLASS(fAddGame, funcRecurseFile)
 public:
  void call(const char* path) override;
};

// The shown games list the walk adds to; set by addFileOrFolder.
extern cGuiList* addGame_guiGameList;

// Adds the file, or walks the folder (a path ending in "/", or empty) into the
// game list and the shown games list, and saves the game list (refreshing
// the tag filter list): a folder once after the walk, a file only when it was
// new. A file's entry becomes the only selected one. A path with a line break
// is refused with a requester.
void addFileOrFolder(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, cGuiList* tagsGuiList);

// The files and folders of one drop, added as addFileOrFolder adds each, as
// their events arrive one by one; but the games are looked up by an index of
// the list's paths made once for the drop, the list is saved once, when the
// drop is finished (when any entry called for a save), and only then the
// game of the last file becomes the only selected entry. Nothing but the
// drop may change the list until it is finished or abandoned.
class AddingDrop {
 public:
  void add(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, cGuiList* tagsGuiList);
  // Saves and selects as above; the drop is over. Nothing when none is open.
  void finish();
  // Ends the drop as an error passes: saves what it added, selects nothing.
  void abandon();
  bool isOpen() const { return open; }

 private:
  // Ends the drop; whether an entry called for a save.
  bool close();

  bool open = false;
  bool changed = false;  // an entry called for a save
  game* lastFileGame = nullptr;
  cMegaList_class* list_ = nullptr;
  cGuiList* games_ = nullptr;
  cGuiList* tags_ = nullptr;
};

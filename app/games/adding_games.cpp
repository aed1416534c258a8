#include "app/games/adding_games.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/game_file_start.h"
#include "app/games/game_kinds.h"
#include "app/games/game_list_file.h"
#include "app/games/game_name.h"
#include "app/games/game_path_index.h"
#include "app/games/tags.h"
#include "app/ludex_module.h"
#include "app/main_window/games_list_display.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "files/trees/dir_tree.h"
#include "gui/lists/gui_list.h"
#include "imaging/requesters.h"

cGuiList* addGame_guiGameList = nullptr;

namespace {

// The tests of gameKindTests from this one on recognise games in a folder;
// the ones before it ("Classic", "WHDLoad", "MSDOS") only tag a game.
constexpr int32_t FIRST_FOLDER_TEST = 3;
constexpr int32_t KIND_TESTS = static_cast<int32_t>(sizeof gameKindTests / sizeof gameKindTests[0]);

// The game list a running folder walk adds to.
cMegaList_class* walkList = nullptr;
// While an add of many files runs (a folder walk, a drop), an index of the
// paths of its game list: each file is looked up in it, not by a walk of the
// list. It lives only while nothing but the add changes the list.
cMegaList_class* indexedList = nullptr;
cGamePathIndex* pathIndex = nullptr;

// Makes the index of the list's paths; FALSE when one stands already.
bool indexPaths(cMegaList_class* gameList) {
  if (pathIndex && indexedList == gameList) return false;
  if (pathIndex) Throw("BUG", "addFileOrFolder(); the paths of another list are indexed");
  auto* index = new cGamePathIndex;
  try {
    index->new_cGamePathIndex(gameList);
  } catch (...) {
    End(index);
    throw;
  }
  pathIndex = index;
  indexedList = gameList;
  return true;
}

void endPathIndex() {
  End(pathIndex);
  indexedList = nullptr;
}

// The game list file keeps one field per line: a line break or carriage
// return in a path would split its game's record.
bool fitsGameList(const char* path) { return !std::strpbrk(path, "\r\n"); }

// A file about to become a game: its host path and its first bytes, read at
// most once for all the kind tests, and what the folder walk already knows.
class GameFile {
 public:
  // The first test that accepts the file, when none between
  // FIRST_FOLDER_TEST and it does; -1 when nothing is known.
  int32_t knownTest = -1;
  // The file (or its icon) was just found on disk.
  bool seen = false;
  // The list was searched for its path just now and holds no such game.
  bool unlisted = false;

  explicit GameFile(const char* path) : host_(ExportPath(path)), start_(host_) {}
  GameFile(const GameFile&) = delete;
  GameFile& operator=(const GameFile&) = delete;
  void release() {
    DisposeString(host_);
    host_ = nullptr;
  }

  // The first of the tests from `first` to `last` (exclusive) that accepts; -1 when none.
  int32_t firstAccepting(int32_t first, int32_t last) {
    for (int32_t t = first; t < last; ++t)
      if (gameKindTests[t].accepts(host_, &start_)) return t;
    return -1;
  }
  bool isProgram() { return isMSDOSProg(host_, &start_) || isMegazeuxProg(host_, &start_); }

 private:
  char* host_;
  GameFileStart start_;
};

// The listed game with this path, with the game list's cursor on it.
game* findListed(const char* path, cMegaList_class* gameList) {
  if (pathIndex && gameList == indexedList) return pathIndex->find(path, cursor);
  if (!list_findPath(gameList, cursor, path)) return nullptr;
  return static_cast<game*>(cursor->read_cMegaCursor_class());
}

// Puts the shown list's cursor on the entry of g: from the first entry on,
// until the entry's data box holds it or the list ends.
void findEntryOf(cGuiList* guiList, game* g) {
  for (bool more = guiList->cursor_gotoStart(); more; more = guiList->cursor_gotoNext(1) != 0)
    if (gameOfCursorEntry(guiList) == g) return;
}

// A new game for the file, appended to the list and shown.
game* addNewGame(const char* path, GameFile& file, cMegaList_class* gameList, cGuiList* guiList, bool findEntry) {
  int32_t test = file.firstAccepting(0, file.knownTest < 0 ? KIND_TESTS : FIRST_FOLDER_TEST);
  if (test < 0) test = file.knownTest;
  char* name = makeGameName(FindName(path), file.isProgram());
  char* gamePath = nullptr;
  char* tags = nullptr;
  game* g = nullptr;
  try {
    gamePath = StrClone(path);
    if (test >= 0) tags = padTags(gameKindTests[test].tag);
    g = new game;
  } catch (...) {
    DisposeString(name);
    DisposeString(gamePath);
    DisposeString(tags);
    throw;
  }
  try {
    // From here the game owns the strings.
    g->new_game(name, gamePath, tags, nullptr, 0, 0, file.seen);
    addGameToList(gameList, g);
  } catch (...) {
    End(g);
    throw;
  }
  if (pathIndex && gameList == indexedList) pathIndex->addLast();
  addGameToGUI(guiList, g, findEntry);
  return g;
}

// addGame for a file the caller may know something of already (NIL: nothing).
game* addGameOf(const char* path, GameFile* known, cMegaList_class* gameList, cGuiList* guiList, bool findEntry,
                bool* alreadyListed) {
  if (!guiList) Throw("EPU", "addGame(); guiList=NIL");
  if (game* listed = known && known->unlisted ? nullptr : findListed(path, gameList)) {
    if (alreadyListed) *alreadyListed = true;
    if (findEntry) findEntryOf(guiList, listed);
    return listed;
  }
  if (alreadyListed) *alreadyListed = false;
  if (known) return addNewGame(path, *known, gameList, guiList, findEntry);
  GameFile file(path);
  return WithCleanUp([&] { return addNewGame(path, file, gameList, guiList, findEntry); },
                     [&] { file.release(); });
}

// Makes the game under the shown list's cursor the only selected entry;
// nothing changes when its entry is not shown (a filter may hide it, or every
// game, leaving the cursor on no entry).
void selectOnly(cGuiList* guiList, game* g) {
  if (gameOfCursorEntry(guiList) != g) return;
  guiList->markAll();
  guiList->marked_setState(false);
  guiList->marked_unmark();
  guiList->cursor_setState(true);
}

void refuseLineBreak(const char* path) {
  const intptr_t args[] = {reinterpret_cast<intptr_t>(FindName(path))};
  requestChoice2(app_name, "This cannot be added: the game list cannot keep a line break in a name or path.\n%s",
                 "OK", args);
}

// Walks the folder into the list (indexing its paths for the walk unless a
// drop indexed them already).
void walkFolder(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList) {
  addGame_guiGameList = gamesGuiList;
  const bool ownIndex = indexPaths(gameList);
  WithCleanUp(
      [&] {
        walkList = gameList;
        RecurseDir(path, static_cast<funcRecurseFile*>(fAddGame_ludex));
      },
      [&] {
        walkList = nullptr;
        if (ownIndex) endPathIndex();
      });
}

// The entry of one file or folder; TRUE when the list is to be saved for it
// (a folder always, a file when it is new). *fileGame gets a file's game.
bool addEntry(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, bool findEntry, game** fileGame) {
  *fileGame = nullptr;
  if (!fitsGameList(path)) {
    refuseLineBreak(path);
    return false;
  }
  if (NamesDirectory(path)) {
    walkFolder(path, gameList, gamesGuiList);
    return true;
  }
  bool alreadyListed = false;
  *fileGame = addGame(path, gameList, gamesGuiList, findEntry, &alreadyListed);
  return !alreadyListed;
}

}  // namespace

game* addGame(const char* path, cMegaList_class* gameList, cGuiList* guiList, bool findEntry, bool* alreadyListed) {
  return addGameOf(path, nullptr, gameList, guiList, findEntry, alreadyListed);
}

void fAddGame::call(const char* path) {
  if (!fitsGameList(path)) return;
  cMegaList_class* gameList = walkList ? walkList : list;
  const int32_t length = static_cast<int32_t>(std::strlen(path));
  if (length >= 6 && StrCmpNoCase(path + length - 6, ".slave")) {
    // The game is the icon's name: WHDLoad starts the slave through it.
    char* gamePath = NewString(length - 6);
    char* icon = nullptr;
    WithCleanUp(
        [&] {
          StrCopy(gamePath, path, length - 6);
          icon = StrJoin(gamePath, ".info");
          if (!ExistsPath(icon, false)) return;
          GameFile file(gamePath);
          file.seen = true;
          WithCleanUp([&] { addGameOf(gamePath, &file, gameList, addGame_guiGameList, false, nullptr); },
                      [&] { file.release(); });
        },
        [&] {
          DisposeString(icon);
          DisposeString(gamePath);
        });
    return;
  }
  // A file listed already needs no kind tests.
  if (findListed(path, gameList)) return;
  GameFile file(path);
  WithCleanUp(
      [&] {
        file.knownTest = file.firstAccepting(FIRST_FOLDER_TEST, KIND_TESTS);
        file.seen = true;
        file.unlisted = true;
        if (file.knownTest >= 0) addGameOf(path, &file, gameList, addGame_guiGameList, false, nullptr);
      },
      [&] { file.release(); });
}

void addFileOrFolder(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, cGuiList* tagsGuiList) {
  if (!path) Throw("EPU", "addFileOrFolder(); path=NIL");
  game* g = nullptr;
  if (addEntry(path, gameList, gamesGuiList, true, &g)) saveGameList(gameList, tagsGuiList);
  if (g) selectOnly(gamesGuiList, g);
}

void AddingDrop::add(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, cGuiList* tagsGuiList) {
  if (!path) Throw("EPU", "addFileOrFolder(); path=NIL");
  if (pathIndex && indexedList != gameList) Throw("BUG", "AddingDrop.add(); another add runs");
  if (!open) indexPaths(gameList);
  open = true;
  list_ = gameList;
  games_ = gamesGuiList;
  tags_ = tagsGuiList;
  game* g = nullptr;
  if (addEntry(path, gameList, gamesGuiList, false, &g)) changed = true;
  if (g) lastFileGame = g;
}

void AddingDrop::finish() {
  if (!open) return;
  game* g = lastFileGame;
  const bool save = close();
  if (save) saveGameList(list_, tags_);
  if (g) {
    findEntryOf(games_, g);
    selectOnly(games_, g);
  }
}

void AddingDrop::abandon() {
  // The games the drop added before the error stay in the list: they are
  // saved, as a drop of one file at a time would have saved them. The error
  // that ends the drop is the one passed on, not one of this save.
  if (!close()) return;
  try {
    saveGameList(list_, nullptr);
  } catch (...) {
  }
}

bool AddingDrop::close() {
  const bool save = changed;
  if (open) endPathIndex();
  open = changed = false;
  lastFileGame = nullptr;
  return save;
}

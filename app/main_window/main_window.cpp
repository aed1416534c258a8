#include "app/main_window/main_window.h"

#include <cstdint>
#include <string>
#include <utility>

#include "app/dialogs/add_request.h"
#include "app/dialogs/dialog_loop.h"
#include "app/dialogs/edit_game_dialog.h"
#include "app/dialogs/prefs_dialog.h"
#include "app/dialogs/tag_all_dialog.h"
#include "app/games/adding_games.h"
#include "app/games/game.h"
#include "app/games/game_label.h"
#include "app/games/game_list_file.h"
#include "app/games/game_list_repair.h"
#include "app/games/tags.h"
#include "app/items/gui_native_icon.h"
#include "app/items/ludex_amiga.h"
#include "app/launching/launch.h"
#include "app/launching/launcher.h"
#include "app/launching/prefs_file.h"
#include "app/ludex_module.h"
#include "app/main_window/games_list_display.h"
#include "app/main_window/main_window_layout.h"
#include "app/main_window/selection_description.h"
#include "app/main_window/tag_filter_list.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "core/time_count.h"
#include "files/syntax/path_syntax.h"
#include "gui/gui_window.h"
#include "gui/mui/client/gui_module.h"
#include "imaging/desktop.h"
#include "imaging/requesters.h"

namespace {

constexpr int32_t MODE_HIDE = 1;

class MainWindowEvents {
 public:
  explicit MainWindowEvents(MainWindow& items) : w(items) {}

  // Reacts to one event; TRUE when the program is to end.
  bool dispatch(cGuiItem* item) {
    if (!item) return false;  // window events are read on every turn
    if (item == w.clearFilter) clearFilters();
    else if (item == guiFilterName || item == guiFilterPath || item == guiFilterTags)
      filterChanged(static_cast<cGuiString*>(item));
    else if (item == w.games) return gamesListEvent();
    else if (item == w.openFolder) openFolder();
    else if (item == w.add) addGame();
    else if (item == w.edit) editSelectedGames();
    else if (item == w.tagAll) tagAll();
    else if (item == w.remove) removeSelectedGames();
    else if (item == w.prefs) WhileBusy(w.window, [] { requestPrefs(launcherSpace); });
    else if (item == w.tags || item == w.mode) tagFilterChanged(item);
    return false;
  }

  // The window's own requests, asked on every turn: a close or quit request
  // taken by a dialog's loop is not lost. TRUE when the program is to end.
  bool windowRequests() {
    bool quit = w.window->getCloseRequest(false);
    if (w.window->getQuitRequest(false)) quit = true;
    bool lastOfDrop = false;
    if (const char* path = w.window->getDroppedFile(false, &lastOfDrop)) {
      drop.add(path, list, w.games, w.tags);
      if (lastOfDrop) drop.finish();
    }
    return quit;
  }

  // A drop still open is finished before anything else happens: an event
  // that is not one of its paths, the end of the loop. (Its paths arrive
  // together, so this is only a safeguard.)
  void finishDrop(cGuiWindow* window, cGuiItem* item) {
    if (!drop.isOpen()) return;
    if (window == w.window && !item && w.window->getDroppedFile(true)) return;
    drop.finish();
  }
  void finishDrop() { drop.finish(); }
  void abandonDrop() { drop.abandon(); }

  // The buttons and the "Selected" text follow the selection. Also called
  // after the program changed the selection itself.
  void showSelection() {
    const int32_t count = w.games->infoSelectionCount();
    w.openFolder->setGhosted(count != 1);
    w.edit->setGhosted(count == 0);
    w.tagAll->setGhosted(count == 0);
    w.remove->setGhosted(count == 0);
    char* description = selectionDescription(w.games);
    WithCleanUp([&] { w.selected->setState(description); }, [&] { DisposeString(description); });
    // One game: its picture; otherwise, or when it has none, the program's.
    game* one = nullptr;
    if (count == 1 && w.games->cursor_gotoFirstSelected()) one = gameOfCursorEntry(w.games);
    if (!one || !w.picture->setState(one->path)) showProgramPicture();
  }

  void showProgramPicture() {
    if (const char* program = ourProgPath_ludex_amiga()) w.picture->setState(program);
  }

 private:
  // Emptying a field that held text queues its change, which refilters.
  void clearFilters() {
    guiFilterName->setState("");
    guiFilterTags->setState("");
    guiFilterPath->setState("");
  }

  // Leaving a field reports it as changed even when its text is the same;
  // such a report must not refilter nor, for the "Tags" field, rewrite the
  // tag selection: that would undo the click on the tag list that took the
  // keyboard from the field. The filters take a-z as upper case, so a text
  // that differs from the last one only so filters the same games: a click
  // on Puzzle after "puzzle" was typed refilters nothing.
  void filterChanged(cGuiString* field) {
    std::string& last = field == guiFilterName ? lastName : field == guiFilterPath ? lastPath : lastTags;
    std::string text = field->getState() ? field->getState() : "";
    for (char& c : text) c = UpperChar(c);
    if (last == text) return;
    last = std::move(text);
    updateGamesListToGUI(w.games);
    if (field == guiFilterTags) updateTagSelectionOfGUI(guiFilterTags->getState(), w.tags, w.mode, false);
  }

  bool gamesListEvent() {
    if (w.games->getEventSelectionChanged(false)) showSelection();
    if (!w.games->getEventDoubleClickedEntry(true, false)) return false;
    game* g = gameOfCursorEntry(w.games);
    if (!g) return false;
    WhileBusy(w.window, [g] { launch(g); });
    // The play counts whatever the launch did.
    if (g->playCount < INT32_MAX) g->playCount += 1;  // the largest count stays
    g->lastPlayed = CurrentTime_ptime();
    char* label = makeGameEntryLabel(g);
    WithCleanUp([&] { w.games->cursor_setLabel(label, 0); }, [&] { DisposeString(label); });
    saveGameList(list, w.tags);
    return prefAutoExit;
  }

  void openFolder() {
    if (w.games->infoSelectionCount() != 1 || !w.games->cursor_gotoFirstSelected()) return;
    if (game* g = gameOfCursorEntry(w.games)) {
      char* folder = ExtractSubPath(g->path);
      WithCleanUp([&] { wbRun(folder); }, [&] { DisposeString(folder); });
    }
    w.games->cursor_setState(false);
    showSelection();
  }

  void addGame() {
    WhileBusy(w.window, [this] {
      char* path = nullptr;
      requestAdd(nullptr, &path);
      if (path) WithCleanUp([&] { addFileOrFolder(path, list, w.games, w.tags); }, [&] { DisposeString(path); });
    });
  }

  // One game through the "Edit game" dialog; FALSE when the user cancelled.
  bool editCursorGame() {
    game* g = gameOfCursorEntry(w.games);
    if (!g || !list_findGame(list, cursor, g)) {
      w.games->cursor_setState(false);
      return true;
    }
    char* tagsText = stripTags(g->tags);
    char* newName = nullptr;
    char* newTags = nullptr;
    char* newParams = nullptr;
    bool cancelled = false;
    WithCleanUp([&] { newName = requestEditGame(g->name, tagsText, g->params, &newTags, &newParams, &cancelled); },
                [&] { DisposeString(tagsText); });
    if (!newName && !newTags && !newParams) {
      if (!cancelled) w.games->cursor_setState(false);
      return !cancelled;
    }
    char* padded = nullptr;
    try {
      if (newTags) padded = padTags(newTags);
    } catch (...) {
      DisposeString(newName);
      DisposeString(newTags);
      DisposeString(newParams);
      throw;
    }
    DisposeString(newTags);
    if (newName) DisposeString(g->name), g->name = newName;
    if (newParams) DisposeString(g->params), g->params = newParams;
    if (padded) DisposeString(g->tags), g->tags = padded;
    w.games->cursor_setState(false);
    updateGamesListToGUI(w.games);
    saveGameList(list, w.tags);
    return !cancelled;
  }

  // "Skip" goes on with the next selected game; "Cancel" stops, leaving the
  // current and later games selected.
  void editSelectedGames() {
    if (w.games->infoSelectionCount() == 0) return;
    WhileBusy(w.window, [this] {
      while (w.games->cursor_gotoFirstSelected())
        if (!editCursorGame()) break;
    });
    showSelection();
  }

  // The dialog refilters the list after each change: a game it hid is no
  // longer selected, and the dialog's loop took the list's report of that.
  void tagAll() {
    WhileBusy(w.window, [this] {
      requestTagAll(w.games);
      saveGameList(list, w.tags);
    });
    showSelection();
  }

  void removeSelectedGames() {
    if (w.games->infoSelectionCount() >= 2) {
      const intptr_t args[] = {reinterpret_cast<intptr_t>(w.selected->getState())};
      if (requestChoice2(app_name, "Do you really want to remove:\n%s", "OK|Cancel", args) != 1) return;
    }
    while (w.games->cursor_gotoFirstSelected()) {
      game* g = gameOfCursorEntry(w.games);
      if (g && list_findGame(list, cursor, g)) {
        w.games->cursor_destroy(false);
        cursor->destroy();  // the list owns its games: this one ends here
      } else {
        w.games->cursor_setState(false);
      }
    }
    saveGameList(list, w.tags);
    showSelection();
  }

  // The selected tags, "~" in front in "Hide" mode, go to the "Tags" field,
  // whose change then refilters the games. Not when the field already
  // chooses this selection and mode: then the change is the one the field's
  // own text made (updateTagSelectionOfGUI), and the text stays as typed,
  // tags the list does not know and partial ones included.
  void tagFilterChanged(cGuiItem* item) {
    if (item == w.tags && !w.tags->getEventSelectionChanged(false)) return;
    if (tagSelectionFollows(guiFilterTags->getState(), w.tags, w.mode)) return;
    char* selection = tagSelectionToUserTags(w.tags);
    char* text = nullptr;
    WithCleanUp([&] { text = w.mode->getState() == MODE_HIDE ? StrJoin("~", selection) : StrClone(selection); },
                [&] { DisposeString(selection); });
    WithCleanUp([&] { guiFilterTags->setState(text); }, [&] { DisposeString(text); });
  }

  MainWindow& w;
  // The filter texts the games list was last filtered by.
  std::string lastName, lastPath, lastTags;
  // The files of a drop being added, one event each.
  AddingDrop drop;
};

void openMainWindow(MainWindow& w) {
  w = describeMainWindow();
  w.window->build(false);
  guiBuilt = true;
  MainWindowEvents(w).showSelection();
}

void runEventLoop(MainWindow& w) {
  MainWindowEvents events(w);
  try {
    bool quit = false;
    while (!quit) {
      cGuiWindow* window = nullptr;
      cGuiItem* item = WaitForChangedGuiItem(&window);
      events.finishDrop(window, item);
      if (window == w.window) quit = events.dispatch(item);
      if (events.windowRequests()) quit = true;
    }
    events.finishDrop();
  } catch (...) {
    events.abandonDrop();
    throw;
  }
}

}  // namespace

void releaseApplicationData() {
  guiBuilt = false;
  guiFilterName = guiFilterPath = guiFilterTags = nullptr;
  End(cursor);
  End(list);
  End(tagSpace);
  End(launcherSpace);
}

namespace {

void makeEmptyList() {
  End(cursor);
  End(list);
  list = new cMegaList_class;
  list->new_cMegaList_class(true, nullptr, true);
  cursor = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
}

}  // namespace

void loadApplicationData() {
  launcherSpace = loadPrefs();
  makeEmptyList();
  try {
    tagSpace = loadGameList(list);
  } catch (const Exception& e) {
    if (!e.is("list")) throw;
    // A corrupt list file is set aside; the line that says what became of
    // it follows the error's own line, so both are printed here.
    PrintException(e);
    switch (repairGameListFile()) {
      case ListRepair::Repaired: CleanUp(0);
      case ListRepair::NotRepaired: CleanUp(20);
      case ListRepair::StartEmpty: break;
    }
    makeEmptyList();
    tagSpace = makeTagSpace();
  }
}

void Ludex() {
  WithCleanUp(
      [] {
        loadApplicationData();
        MainWindow w;
        openMainWindow(w);
        runEventLoop(w);
        w.window->close();
      },
      releaseApplicationData);
}

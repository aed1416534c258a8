#include "app/main_window/main_window_layout.h"

#include "app/items/gui_native_icon.h"
#include "app/items/ludex_amiga.h"
#include "app/ludex_module.h"
#include "app/main_window/games_list_display.h"
#include "app/main_window/tag_filter_list.h"
#include "gui/gui_window.h"
#include "gui/mui/client/gui_module.h"

namespace {

// The toolbar's buttons with their images and hints (NIL: none).
cGuiButton* toolbarButton(cGuiWindow* window, const char* label, const char* image, const char* hint) {
  cGuiButton* button = window->addButton(label);
  button->initPic(tbimages(image));
  if (hint) button->setPopupHint(hint);
  return button;
}

void describeFilters(cGuiWindow* window, MainWindow& w) {
  window->beginGroupHorizontal("Filter");
  w.clearFilter = window->addButton("X");
  w.clearFilter->initUseLeastSpace();
  w.clearFilter->setPopupHint("Clear filter");
  guiFilterName = window->addString("Name");
  guiFilterPath = window->addString("Path");
  guiFilterTags = window->addString("Tags");
  window->endGroup();
}

void describeGamesList(cGuiWindow* window, MainWindow& w) {
  w.games = window->beginList(4, "Games");
  w.games->initSelectableEntries(true, true);
  w.games->initColumnTitles("Name\tTags\tPlay count\tLast played");
  w.games->initColumnSortType("IINI");
  w.games->setSortByUser(0, false);
  addGamesListToGUI(w.games);
  window->endList();
}

void describeTagFilter(cGuiWindow* window, MainWindow& w) {
  window->beginGroupVertical(nullptr);
  window->beginGroupVertical("Filter by tags");
  w.mode = window->addCycleChoice("Mode", modeLabels_ludex);
  w.tags = window->beginList(1, nullptr);
  w.tags->initSelectableEntries(true, false);
  w.tags->setSortByColumn(0, false);
  addFilterTagsToGUI(w.tags);
  window->endList();
  window->endGroup();
  w.picture = addNativeIcon(window, 160, 128);
  window->endGroup();
}

void describeToolbar(cGuiWindow* window, MainWindow& w) {
  window->beginGroupHorizontal(nullptr);
  w.openFolder = toolbarButton(window, "Open folder", "open", "This opens the folder containing the game.");
  w.add = toolbarButton(window, "Add", "add",
                        "Use this to add a game to the list.\nOr a folder to add all WHDLoad games, Amiga & AtariST "
                        "disks, AtariLynx, MegaDrive & SNES games in it.");
  w.edit = toolbarButton(window, "Edit", "rename", nullptr);
  w.tagAll = toolbarButton(window, "Tag all", "attachment", "This tags all selected games at once.");
  w.remove = toolbarButton(window, "Remove", "delete", nullptr);
  w.prefs = toolbarButton(window, "Prefs", "prefs", nullptr);
  window->endGroup();
}

}  // namespace

MainWindow describeMainWindow() {
  MainWindow w;
  w.window = CreateGuiWindow(app_title);
  cGuiWindow* window = w.window;
  window->initAllowDropFiles();
  window->initSaveID(MAIN_WINDOW_ID);
  window->beginGroupVertical(nullptr);
  describeFilters(window, w);
  window->beginGroupHorizontal(nullptr);
  describeGamesList(window, w);
  describeTagFilter(window, w);
  window->endGroup();
  w.selected = window->addText("Selected");
  describeToolbar(window, w);
  window->endGroup();
  return w;
}

#include "app/main_window/games_list_display.h"

#include "app/games/game.h"
#include "app/ludex_module.h"
#include "app/main_window/games_list_filters.h"
#include "app/main_window/shown_labels.h"
#include "core/box.h"
#include "core/clean_up.h"
#include "core/lists/mega_list_walk.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "gui/items/gui_string_item.h"
#include "gui/lists/gui_list.h"

cGuiString* guiFilterName = nullptr;
cGuiString* guiFilterPath = nullptr;
cGuiString* guiFilterTags = nullptr;
bool guiBuilt = false;

namespace {

GamesListFilters filters;
// The game list's games in order, walked again only after the list changed.
MegaListWalk gamesInOrder;
const std::vector<intptr_t>* games = nullptr;  // of gamesInOrder while a fill runs
size_t nextGame = 0;

// Asks for the games a few ahead, then for the texts of those nearer, that
// the filters and the label check read: every keystroke reads them all.
void fetchGamesAhead(size_t at) {
  constexpr size_t FAR = 16;
  constexpr size_t NEAR = 6;
  if (at + FAR < games->size()) __builtin_prefetch(reinterpret_cast<const void*>((*games)[at + FAR]));
  if (at + NEAR < games->size()) {
    const auto* g = static_cast<const game*>(reinterpret_cast<const class_base*>((*games)[at + NEAR]));
    __builtin_prefetch(g->name);
    __builtin_prefetch(g->tags);
    // The label is compared with the name and the tags, then copied whole.
    FetchStringAhead(g->shownLabel);
    if (filters.pathItems()) __builtin_prefetch(g->path);
  }
}

const char* textOf(cGuiString* field) { return field ? field->getState() : nullptr; }

// One fill of a list from the producer, between its setup and its tidy-up.
template <class Fill>
void fillFromGamesList(Fill fill) {
  setupIterateGamesList();
  WithCleanUp([&] { fill(static_cast<fGuiListEntries*>(iterateGamesList_ludex)); }, [] { tidyupIterateGamesList(); });
}

}  // namespace

void setupIterateGamesList() {
  if (guiBuilt) filters.set(textOf(guiFilterName), textOf(guiFilterPath), textOf(guiFilterTags));
  games = &gamesInOrder.dataOf(list);
  nextGame = 0;
}

void tidyupIterateGamesList() {
  filters.clear();
  games = nullptr;
}

char* iterateGamesList::call(GuiListEntryMore* more) {
  // A game's kept label is asked for once a fill: it can be lent.
  const bool mayLend = more && more->mayLend;
  while (games && nextGame < games->size()) {
    fetchGamesAhead(nextGame);
    auto* g = static_cast<game*>(reinterpret_cast<class_base*>((*games)[nextGame++]));
    if (!filters.passes(g)) continue;
    if (!mayLend) return g->mapToEntryWithLabel(copyOfShownLabel(g), more);
    const char* label = shownLabelOf(g);
    g->mapToEntryWithLabel(nullptr, more);
    more->labelLent = true;
    return const_cast<char*>(label);
  }
  return fGuiListEntries::call(more);
}

game* gameOfCursorEntry(cGuiList* guiList) {
  if (guiList->infoSize() == 0) return nullptr;
  auto* box = dynamic_cast<boxPTR*>(guiList->cursor_getDataBox());
  return box ? static_cast<game*>(box->pointer()) : nullptr;
}

void addGameToGUI(cGuiList* guiList, game* g, bool moveCursor) {
  GuiListEntryMore more;
  char* label = g->mapToEntry(&more);
  guiList->addEntry(label, more.altColour, more.marked, more.data, more.dataBox, moveCursor);
}

void addGamesListToGUI(cGuiList* guiList) {
  fillFromGamesList([guiList](fGuiListEntries* entries) { guiList->addEntryF(entries); });
}

void updateGamesListToGUI(cGuiList* guiList) {
  fillFromGamesList([guiList](fGuiListEntries* entries) { guiList->updateF(entries); });
}

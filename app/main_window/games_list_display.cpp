#include "app/main_window/games_list_display.h"

#include "app/games/game.h"
#include "app/ludex_module.h"
#include "app/main_window/games_list_filters.h"
#include "app/main_window/shown_labels.h"
#include "core/clean_up.h"
#include "core/lists/mega_read_ahead.h"
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
bool iterateGamesListFinished = true;
MegaReadAhead gamesAhead;

// Asks for the games a few ahead, then for the texts of those nearer, that
// the filters and the label check read: every keystroke reads them all.
void fetchGamesAhead() {
  const MegaReadAhead::Ahead soon = gamesAhead.step();
  if (soon.far) __builtin_prefetch(reinterpret_cast<const game*>(soon.far));
  if (const auto* g = reinterpret_cast<const game*>(soon.near)) {
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
  iterateGamesListFinished = true;
  if (!list || !cursor) return;
  cursor->goto_cMegaCursorGeneric(list->infoStart());
  iterateGamesListFinished = cursor->isOnSameNodeAs(list->infoPastEnd());
  gamesAhead.start(cursor);
}

void tidyupIterateGamesList() { filters.clear(); }

char* iterateGamesList::call(GuiListEntryMore* more) {
  while (!iterateGamesListFinished) {
    auto* g = static_cast<game*>(cursor->read_cMegaCursor_class());
    fetchGamesAhead();
    const bool passes = filters.passes(g);
    iterateGamesListFinished = cursor->next();  // TRUE on reaching the end
    if (passes) return g->mapToEntryWithLabel(copyOfShownLabel(g), more);
  }
  return fGuiListEntries::call(more);
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

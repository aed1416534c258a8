#include "app/games/game.h"

#include "app/games/game_label.h"
#include "core/box.h"
#include "core/clean_up.h"
#include "core/general.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/paths/path_operations.h"
#include "gui/lists/gui_list_entries.h"

cMegaList_class* list = nullptr;
cMegaCursor_class* cursor = nullptr;
cStringSpace* tagSpace = nullptr;

void game::new_game(char* newName, char* newPath, char* newTags, char* newParams, int32_t newPlayCount,
                    BigTime newLastPlayed, bool seen) {
  name = newName;
  path = newPath;
  tags = newTags ? newTags : StrClone(",");
  params = newParams;
  if (params && params[0] == '\0') {
    DisposeString(params);
    params = nullptr;
  }
  playCount = newPlayCount;
  lastPlayed = newLastPlayed;
  exists = seen || ExistsPath(path, false);
  if (!exists) {
    char* icon = StrJoin(path, ".info");
    WithCleanUp([&] { exists = ExistsPath(icon, false); }, [&] { DisposeString(icon); });
  }
}

void game::end_class() {
  DisposeString(name);
  DisposeString(path);
  DisposeString(tags);
  DisposeString(params);
  DisposeString(shownLabel);
  name = path = tags = params = shownLabel = nullptr;
  class_base::end_class();
}

char* game::mapToEntry(GuiListEntryMore* more) { return mapToEntryWithLabel(makeGameEntryLabel(this), more); }

char* game::mapToEntryWithLabel(char* label, GuiListEntryMore* more) {
  if (more) {
    *more = GuiListEntryMore{};
    more->altColour = !exists;
    try {
      more->dataBox = BoxPTR(this);
    } catch (...) {
      DisposeString(label);
      throw;
    }
  }
  return label;
}

game* addGameToList(cMegaList_class* gameList, game* g) {
  gameList->infoPastEnd_cMegaList_class()->beforeInsert(gameList->makeNode(g));
  return g;
}

namespace {
// Walks the cursor from the first game until accept says stop.
template <class Accept>
bool findFromFirst(cMegaList_class* gameList, cMegaCursor_class* gameCursor, Accept accept) {
  gameCursor->goto_cMegaCursorGeneric(gameList->infoStart());
  if (gameCursor->isOnSameNodeAs(gameList->infoPastEnd())) return false;
  do {
    if (accept(static_cast<game*>(gameCursor->read_cMegaCursor_class()))) return true;
  } while (!gameCursor->next());  // next answers TRUE on reaching the end
  return false;
}
}  // namespace

bool list_findGame(cMegaList_class* gameList, cMegaCursor_class* gameCursor, game* g) {
  return findFromFirst(gameList, gameCursor, [g](game* each) { return each == g; });
}

bool list_findPath(cMegaList_class* gameList, cMegaCursor_class* gameCursor, const char* path) {
  return findFromFirst(gameList, gameCursor, [path](game* each) { return StrCmpNoCase(each->path, path); });
}

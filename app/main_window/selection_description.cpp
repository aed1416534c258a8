#include "app/main_window/selection_description.h"

#include <cinttypes>
#include <cstdio>

#include "app/games/game.h"
#include "app/main_window/games_list_display.h"
#include "core/strings/string.h"
#include "files/syntax/path_syntax.h"
#include "gui/lists/gui_list.h"

char* selectionDescription(cGuiList* gamesList) {
  const int32_t count = gamesList->infoSelectionCount();
  if (count == 1 && gamesList->cursor_gotoFirstSelected())
    if (game* g = gameOfCursorEntry(gamesList)) return ExportPath(g->path);
  if (count <= 1) return NewString(0);
  // Room for every count: the text is never cut short.
  char text[32];
  std::snprintf(text, sizeof text, "%" PRId32 " games", count);
  return StrClone(text);
}

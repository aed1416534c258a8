#include "app/main_window/shown_labels.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/game_label.h"
#include "core/strings/string.h"

namespace {

// Whether the kept label is the one the game shows now. It begins with the
// name and the tags without their outer commas, each followed by a TAB; the
// rest follows from the two numbers it was made with.
bool stillShows(const game* g) {
  if (!g->shownLabel || g->shownPlayCount != g->playCount || g->shownLastPlayed != g->lastPlayed) return false;
  const char* at = g->shownLabel;
  const char* name = g->name ? g->name : "";
  const size_t nameLength = std::strlen(name);
  if (std::strncmp(at, name, nameLength) != 0 || at[nameLength] != '\t') return false;
  at += nameLength + 1;
  const char* tags = g->tags ? g->tags : "";
  const size_t tagsLength = std::strlen(tags);
  const size_t shown = tagsLength <= 2 ? 0 : tagsLength - 2;
  return (shown == 0 || std::strncmp(at, tags + 1, shown) == 0) && at[shown] == '\t';
}

}  // namespace

const char* shownLabelOf(game* g) {
  if (!stillShows(g)) {
    char* made = makeGameEntryLabel(g);
    DisposeString(g->shownLabel);
    g->shownLabel = made;
    g->shownPlayCount = g->playCount;
    g->shownLastPlayed = g->lastPlayed;
  }
  return g->shownLabel;
}

char* copyOfShownLabel(game* g) { return StrClone(shownLabelOf(g)); }

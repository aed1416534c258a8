#include "app/main_window/shown_labels.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/game_label.h"
#include "core/clean_up.h"
#include "core/strings/string.h"

bool ShownLabels::stillShows(const Kept& k, const game* g) {
  if (k.playCount != g->playCount || k.lastPlayed != g->lastPlayed) return false;
  // The label begins with the name and the tags without their outer commas,
  // each followed by a TAB; the rest follows from the two numbers.
  const char* at = k.label.c_str();
  const char* name = g->name ? g->name : "";
  const size_t nameLength = std::strlen(name);
  if (std::strncmp(at, name, nameLength) != 0 || at[nameLength] != '\t') return false;
  at += nameLength + 1;
  const char* tags = g->tags ? g->tags : "";
  const size_t tagsLength = std::strlen(tags);
  const size_t shown = tagsLength <= 2 ? 0 : tagsLength - 2;
  return (shown == 0 || std::strncmp(at, tags + 1, shown) == 0) && at[shown] == '\t';
}

char* ShownLabels::copyFor(const game* g) {
  auto found = kept.find(g);
  if (found != kept.end() && stillShows(found->second, g)) return StrClone(found->second.label.c_str());
  char* label = makeGameEntryLabel(g);
  try {
    if (found == kept.end()) found = kept.emplace(g, Kept{}).first;
    found->second = Kept{label, g->playCount, g->lastPlayed};
  } catch (...) {
    DisposeString(label);
    throw;
  }
  return label;
}

void ShownLabels::forgetGoneGames(size_t games) {
  // Labels of games that are gone are dropped all at once, when they are
  // as many as the games there are.
  if (kept.size() > 2 * games + 1024) kept.clear();
}

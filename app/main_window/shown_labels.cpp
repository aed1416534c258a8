#include "app/main_window/shown_labels.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/game_label.h"
#include "core/strings/string.h"

namespace {

// Whether the label shows the first `length` characters of text, followed by
// a TAB.
bool shows(const char* label, const char* text, size_t length) {
  // Most texts hold no control character: they compare as they are.
  if (std::strncmp(label, text, length) != 0)
    for (size_t i = 0; i < length; ++i)
      if (label[i] != labelChar(text[i])) return false;
  return label[length] == '\t';
}

// Whether the kept label is the one the game shows now. It begins with the
// name and the tags without their outer commas, each followed by a TAB; the
// rest follows from the two numbers it was made with.
bool stillShows(const game* g) {
  if (!g->shownLabel || g->shownPlayCount != g->playCount || g->shownLastPlayed != g->lastPlayed) return false;
  const char* at = g->shownLabel;
  const char* name = g->name ? g->name : "";
  const size_t nameLength = std::strlen(name);
  if (!shows(at, name, nameLength)) return false;
  at += nameLength + 1;
  const char* tags = g->tags ? g->tags : "";
  const size_t tagsLength = std::strlen(tags);
  const size_t shown = tagsLength <= 2 ? 0 : tagsLength - 2;
  return shows(at, shown == 0 ? "" : tags + 1, shown);
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

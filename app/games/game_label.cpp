#include "app/games/game_label.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "app/games/game.h"
#include "app/games/tags.h"
#include "core/clean_up.h"
#include "core/dates.h"
#include "core/general.h"
#include "core/strings/string.h"

namespace {

void showAsLabel(char* text, int32_t length) {
  for (int32_t i = 0; i < length; ++i) text[i] = labelChar(text[i]);
}

}  // namespace

char* makeGameEntryLabel(const game* g) {
  char playCount[12] = "";
  if (g->playCount != 0) std::snprintf(playCount, sizeof playCount, "%" PRId32, g->playCount);
  char* lastPlayed = NewString(16);
  char* tags = nullptr;
  char* label = nullptr;
  WithCleanUp(
      [&] {
        if (g->lastPlayed != 0) StrDateTime(lastPlayed, g->lastPlayed, true, false);
        tags = stripTags(g->tags);
        label = StrJoin(g->name, "\t", tags, "\t", playCount, "\t", lastPlayed);
        // The name and the tags are the label's first two columns.
        const int32_t nameLength = g->name ? static_cast<int32_t>(std::strlen(g->name)) : 0;
        showAsLabel(label, nameLength);
        showAsLabel(label + nameLength + 1, EstrLen(tags));
      },
      [&] {
        DisposeString(lastPlayed);
        DisposeString(tags);
      });
  return label;
}

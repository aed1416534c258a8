#include "app/games/game_label.h"

#include <cinttypes>
#include <cstdio>

#include "app/games/game.h"
#include "app/games/tags.h"
#include "core/clean_up.h"
#include "core/dates.h"
#include "core/general.h"
#include "core/strings/string.h"

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
      },
      [&] {
        DisposeString(lastPlayed);
        DisposeString(tags);
      });
  return label;
}

#include "app/games/game_list_file.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "app/games/game.h"
#include "app/games/line_files.h"
#include "app/games/tags.h"
#include "app/launching/file_replacement.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "app/main_window/tag_filter_list.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

const char* const listBad = "PROGDIR:/Ludex.list.BAD";
// The new list while it is written; it becomes "Ludex.list.tmp" once complete.
const char* const listPartial = "PROGDIR:/Ludex.list.new";
constexpr int32_t WRITTEN_VERSION = 5;

[[noreturn]] void corrupt(const char* what) { ThrowF("list", "loadGameList(); Ludex.list %s", what); }

// Takes the next line off the chain; "list" when the file ended.
char* takeLine(char*& lines) {
  if (!lines) corrupt("ended unexpectedly");
  return StrTakeFirst(lines);
}

int32_t takeNumber(char*& lines) {
  char* line = takeLine(lines);
  const int32_t value = Val(line);
  DisposeString(line);
  return value;
}

// A field that would not read back as itself cannot be stored: a line break
// would split it, and a "\r" at its end is dropped when reading. A "\r"
// anywhere else is kept as it is.
bool storable(const char* field) {
  if (!field) return true;
  const int32_t length = EstrLen(field);
  return std::memchr(field, '\n', static_cast<size_t>(length)) == nullptr && (length == 0 || field[length - 1] != '\r');
}

bool storable(const game* g) {
  return storable(g->name) && storable(g->path) && storable(g->tags) && storable(g->params);
}

// Reads one game's lines (the name already taken) and appends the game.
void readGame(char* name, char*& lines, int32_t version, cMegaList_class* gameList, cStringSpace* space) {
  char* path = nullptr;
  char* tags = nullptr;
  char* params = nullptr;
  char* canonical = nullptr;
  try {
    path = takeLine(lines);
    if (version >= 2) tags = takeLine(lines);
    if (version >= 5) params = takeLine(lines);
    const int32_t playCount = version >= 3 ? takeNumber(lines) : 0;
    // Minutes as a sign-extended 32-bit number, back to seconds.
    const BigTime lastPlayed = version >= 4 ? static_cast<BigTime>(takeNumber(lines)) * 60 : 0;
    char* separator = takeLine(lines);
    const bool empty = EstrLen(separator) == 0;
    DisposeString(separator);
    if (!empty) corrupt("is corrupt");
    canonical = ImportFilePath(path);
    // A path that cannot name a file ("DH0:") would fail every later save.
    if (InvalidFilePath(canonical)) corrupt("is corrupt");
    DisposeString(path);
    path = nullptr;
    if (tags) addTagsToSpace(tags, space);
    auto* g = new game;
    try {
      g->new_game(name, canonical, tags, params, playCount, lastPlayed);
    } catch (...) {
      name = canonical = tags = params = nullptr;  // the game owns them now
      End(g);
      throw;
    }
    name = canonical = tags = params = nullptr;
    try {
      addGameToList(gameList, g);
    } catch (...) {
      End(g);
      throw;
    }
  } catch (...) {
    DisposeString(name);
    DisposeString(path);
    DisposeString(tags);
    DisposeString(params);
    DisposeString(canonical);
    throw;
  }
}

// The list file with its temporary, partial and backup names.
FileReplacement listReplacement() { return {app_list, app_listTmp, listPartial, app_listBak}; }

// Before the list is read: a save stopped while it wrote leaves only a partial
// file, which is deleted; one stopped between its renames leaves the complete
// temporary file, which becomes the list; with neither, the backup does.
void recoverInterruptedSave() {
  finishInterruptedReplacement(listReplacement());
  if (!ExistsPath(app_list, true) && ExistsPath(app_listBak, false)) fileCopy(app_listBak, app_list);
}

}  // namespace

cStringSpace* makeTagSpace() {
  auto* space = new cStringSpace;
  space->new_cStringSpace(true, CASE_INSENSITIVE);
  try {
    addTagsToSpace(predefinedTags, space);
    if (launcherSpace) {
      for (bool more = launcherSpace->itemGotoFirst(); more; more = launcherSpace->itemGotoNext()) {
        const auto* l = reinterpret_cast<const launcher*>(launcherSpace->itemInfo());
        char* padded = StrJoin(",", l->tag, ",");
        try {
          addTagsToSpace(padded, space);
        } catch (...) {
          DisposeString(padded);
          throw;
        }
        DisposeString(padded);
      }
    }
  } catch (...) {
    End(space);
    throw;
  }
  return space;
}

cStringSpace* loadGameList(cMegaList_class* gameList) {
  cStringSpace* space = makeTagSpace();
  char* lines = nullptr;
  try {
    recoverInterruptedSave();
    lines = readLines(app_list);
    if (!lines) {
      // A list that is there but cannot be read must not be taken for an
      // empty one: the next save would put it out of the way.
      if (ExistsPath(app_list, true)) corrupt("cannot be read");
      return space;
    }
    const int32_t version = takeNumber(lines);
    if (version < 1 || version > WRITTEN_VERSION) corrupt("is corrupt (or unknown format version)");
    while (lines) readGame(takeLine(lines), lines, version, gameList, space);
  } catch (...) {
    DisposeString(lines);
    End(space);
    throw;
  }
  return space;
}

void saveGameList(cMegaList_class* gameList, cGuiList* tagFilterList) {
  End(tagSpace);
  tagSpace = makeTagSpace();
  StringChain lines;
  try {
    lines.append(StrClone("5"));
    cMegaCursor_class* at = gameList->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    try {
      for (bool end = at->isOnSameNodeAs(gameList->infoPastEnd()); !end; end = at->next()) {
        auto* g = static_cast<game*>(at->read_cMegaCursor_class());
        if (!storable(g)) continue;  // would corrupt the file
        addTagsToSpace(g->tags, tagSpace);
        char number[16];
        lines.append(StrClone(g->name));
        lines.append(ExportPath(g->path));
        lines.append(StrClone(g->tags));
        lines.append(StrClone(g->params));
        std::snprintf(number, sizeof number, "%" PRId32, g->playCount);
        lines.append(StrClone(number));
        // Minutes, truncated toward zero and cut to 32 bits.
        std::snprintf(number, sizeof number, "$%" PRIx32, static_cast<uint32_t>(g->lastPlayed / 60));
        lines.append(StrClone(number));
        lines.append(NewString(0));
      }
    } catch (...) {
      End(at);
      throw;
    }
    End(at);
    replaceFileWithLines(listReplacement(), lines.head);
  } catch (...) {
    DisposeString(lines.head);
    throw;
  }
  DisposeString(lines.head);
  if (tagFilterList) updateFilterTagsToGUI(tagFilterList);
}

void repairGameListFile() {
  if (!RenamePath(app_list, listBad, false)) DeletePath(app_list, false, false);
  fileCopy(app_listBak, app_list);
}

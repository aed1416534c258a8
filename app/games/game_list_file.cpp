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
#include "core/clean_up.h"
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

// The next line, as a new string or in place; "list" when the file ended.
char* takeLine(LineReader& lines) {
  if (lines.atEnd()) corrupt("ended unexpectedly");
  return lines.take();
}

const char* takeLineInPlace(LineReader& lines, int32_t* length = nullptr) {
  if (lines.atEnd()) corrupt("ended unexpectedly");
  return lines.takeInPlace(length);
}

int32_t takeNumber(LineReader& lines) { return Val(takeLineInPlace(lines)); }

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

// Reads one game's lines and appends the game.
void readGame(LineReader& lines, int32_t version, cMegaList_class* gameList, cStringSpace* space) {
  char* name = nullptr;
  char* tags = nullptr;
  char* params = nullptr;
  char* canonical = nullptr;
  try {
    name = takeLine(lines);
    const char* path = takeLineInPlace(lines);
    if (version >= 2) tags = takeLine(lines);
    if (version >= 5) {
      // An empty line is no params, as the game stores it.
      int32_t length = 0;
      const char* line = takeLineInPlace(lines, &length);
      if (length > 0) {
        params = NewString(length);
        std::memcpy(params, line, static_cast<size_t>(length));
        SetStr(params, length);
      }
    }
    const int32_t playCount = version >= 3 ? takeNumber(lines) : 0;
    // Minutes as a sign-extended 32-bit number, back to seconds.
    const BigTime lastPlayed = version >= 4 ? static_cast<BigTime>(takeNumber(lines)) * 60 : 0;
    int32_t separator = 0;
    takeLineInPlace(lines, &separator);
    if (separator != 0) corrupt("is corrupt");
    canonical = ImportFilePath(path);
    // A path that cannot name a file ("DH0:") would fail every later save.
    if (InvalidFilePath(canonical)) corrupt("is corrupt");
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
    DisposeString(tags);
    DisposeString(params);
    DisposeString(canonical);
    throw;
  }
}

// Appends the decimal digits of value (a "-" first when negative).
char* appendDecimal(char* at, int32_t value) {
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *at++ = '-';
    magnitude = 0u - magnitude;
  }
  char digits[10];
  int32_t n = 0;
  do digits[n++] = static_cast<char>('0' + magnitude % 10);
  while ((magnitude /= 10) != 0);
  while (n > 0) *at++ = digits[--n];
  return at;
}

// Appends the lower-case hexadecimal digits of value.
char* appendHex(char* at, uint32_t value) {
  char digits[8];
  int32_t n = 0;
  do digits[n++] = "0123456789abcdef"[value & 15];
  while ((value >>= 4) != 0);
  while (n > 0) *at++ = digits[--n];
  return at;
}

char* appendLine(char* at, const char* field) {
  const size_t length = field ? std::strlen(field) : 0;
  std::memcpy(at, field ? field : "", length);
  at[length] = '\n';
  return at + length + 1;
}

// A game's lines as the file holds them, the empty line that ends them
// included, in one new string (the file's lines put a line break after it):
// name, host path, tags, params, play count, and "$" with the minutes of the
// last play in hexadecimal (truncated toward zero and cut to 32 bits).
char* gameLines(const game* g) {
  char* host = ExportPath(g->path);
  char* text = nullptr;
  WithCleanUp(
      [&] {
        // Each field and its line break, and room for both numbers.
        size_t size = 4 + 11 + 1 + 9 + 1;
        for (const char* field : {static_cast<const char*>(g->name), static_cast<const char*>(host),
                                  static_cast<const char*>(g->tags), static_cast<const char*>(g->params)})
          size += field ? std::strlen(field) : 0;
        if (size > static_cast<size_t>(INT32_MAX - 1)) Throw("MEM");
        text = NewString(static_cast<int32_t>(size));
        char* at = appendLine(text, g->name);
        at = appendLine(at, host);
        at = appendLine(at, g->tags);
        at = appendLine(at, g->params);
        at = appendDecimal(at, g->playCount);
        *at++ = '\n';
        *at++ = '$';
        at = appendHex(at, static_cast<uint32_t>(g->lastPlayed / 60));
        *at++ = '\n';
        SetStr(text, static_cast<int32_t>(at - text));
      },
      [&] { DisposeString(host); });
  return text;
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
  char* text = nullptr;
  try {
    recoverInterruptedSave();
    int32_t length = 0;
    text = readText(app_list, &length);
    if (!text) {
      // A list that is there but cannot be read must not be taken for an
      // empty one: the next save would put it out of the way.
      if (ExistsPath(app_list, true)) corrupt("cannot be read");
      return space;
    }
    LineReader lines(text, length);
    const int32_t version = takeNumber(lines);
    if (version < 1 || version > WRITTEN_VERSION) corrupt("is corrupt (or unknown format version)");
    while (!lines.atEnd()) readGame(lines, version, gameList, space);
  } catch (...) {
    DisposeString(text);
    End(space);
    throw;
  }
  DisposeString(text);
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
        lines.append(gameLines(g));
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

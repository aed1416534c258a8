#include "app/games/game_list_file.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "app/games/game.h"
#include "app/games/line_files.h"
#include "app/games/tags.h"
#include "app/launching/file_failure.h"
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

// The new list while it is written; it becomes "Ludex.list.tmp" once complete.
const char* const listPartial = "PROGDIR:/Ludex.list.new";
constexpr int32_t WRITTEN_VERSION = 5;

// The file the last load read: the list, or when there was none the
// complete temporary file or the backup. A faulty one is what the repair
// sets aside.
const char* lastRead = nullptr;
// A save that could not keep a backup says so once a run.
bool toldNoBackup = false;

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

// A field with a line break cannot be stored: the break would split it.
bool storable(const char* field) {
  return !field || std::memchr(field, '\n', static_cast<size_t>(EstrLen(field))) == nullptr;
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
    // A count below 0 cannot be: it is taken as never played.
    const int32_t storedCount = version >= 3 ? takeNumber(lines) : 0;
    const int32_t playCount = storedCount < 0 ? 0 : storedCount;
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

// Appends the field and its line break. A field that ends in "\r" gets one
// more: reading takes one "\r" off each line's end, and so gives the field
// back as it was.
char* appendLine(char* at, const char* field) {
  const size_t length = field ? std::strlen(field) : 0;
  std::memcpy(at, field ? field : "", length);
  at += length;
  if (length > 0 && at[-1] == '\r') *at++ = '\r';
  *at++ = '\n';
  return at;
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
        // Each field with a "\r" more and its line break, and room for both numbers.
        size_t size = 4 * 2 + 11 + 1 + 9 + 1;
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

// The file to read: the list; without one, a complete temporary file that a
// stopped save left and that could not be put in place, else the backup, each
// read where it is; NIL when there is none of them.
const char* listToRead() {
  // A save stopped while it wrote leaves only a partial file, which goes; one
  // stopped between its renames leaves the complete temporary file, which
  // becomes the list.
  finishInterruptedReplacement(gameListReplacement());
  if (ExistsPath(app_list, true)) return app_list;
  if (ExistsPath(app_listTmp, false)) return app_listTmp;
  if (ExistsPath(app_listBak, false)) return app_listBak;
  return nullptr;
}

// A list that is there but cannot be read must not be taken for an empty one
// (the next save would put it out of the way): the user is told why, and the
// program ends, leaving it as it is.
[[noreturn]] void endUnreadable(const char* path, const FileFailure& failure) {
  char* name = ExportPath(path);
  char reason[sizeof failure.file + sizeof failure.reason + 2];
  failure.describe(path, reason, sizeof reason);
  WithCleanUp([&] { tellUser("The game list \"%s\" cannot be read (%s).\nLudex ends and leaves it as it is.", {name, reason}); },
              [&] { DisposeString(name); });
  CleanUp(20);
}

// Tells the user what a save did not do: at most one message a save.
void tellSaveResult(ReplacementResult result, const FileFailure& failure) {
  if (result == ReplacementResult::Replaced) return;
  if (result == ReplacementResult::ReplacedWithoutBackup) {
    if (toldNoBackup) return;
    toldNoBackup = true;
  }
  char* name = ExportPath(app_list);
  char reason[sizeof failure.file + sizeof failure.reason + 2];
  failure.describe(app_list, reason, sizeof reason);
  WithCleanUp(
      [&] {
        if (result == ReplacementResult::Failed)
          tellUser("The game list could not be saved to \"%s\" (%s).\n"
                   "The games stay as they are in Ludex; the next change tries again.",
                   {name, reason});
        else
          tellUser("The game list was saved to \"%s\", but without a backup of the one before (%s).", {name, reason});
      },
      [&] { DisposeString(name); });
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

// A NUL byte anywhere makes the text faulty: it would cut a field short.
void readGameListText(char* text, int32_t length, cMegaList_class* gameList, cStringSpace* space) {
  if (std::memchr(text, '\0', static_cast<size_t>(length))) corrupt("is corrupt");
  LineReader lines(text, length);
  const int32_t version = takeNumber(lines);
  if (version < 1 || version > WRITTEN_VERSION) corrupt("is corrupt (or unknown format version)");
  while (!lines.atEnd()) readGame(lines, version, gameList, space);
}

const char* lastReadGameListFile() { return lastRead; }

FileReplacement gameListReplacement() { return {app_list, app_listTmp, listPartial, app_listBak}; }

cStringSpace* loadGameList(cMegaList_class* gameList) {
  toldNoBackup = false;
  lastRead = nullptr;
  cStringSpace* space = makeTagSpace();
  char* text = nullptr;
  try {
    const char* path = listToRead();
    if (!path) return space;
    lastRead = path;
    int32_t length = 0;
    FileFailure failure;
    text = readText(path, &length, &failure);
    if (!text) endUnreadable(path, failure);
    readGameListText(text, length, gameList, space);
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
  FileFailure failure;
  ReplacementResult result = ReplacementResult::Failed;
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
    result = replaceFileWithLines(gameListReplacement(), lines.head, &failure);
  } catch (...) {
    DisposeString(lines.head);
    throw;
  }
  DisposeString(lines.head);
  if (tagFilterList) updateFilterTagsToGUI(tagFilterList);
  tellSaveResult(result, failure);
}

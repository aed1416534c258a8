#include "app/launching/prefs_file.h"

#include <cstdio>
#include <cstring>

#include "app/games/line_files.h"
#include "app/launching/file_failure.h"
#include "app/launching/file_replacement.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "app/translate_str.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

const char* const prefsTmp = "ENVARC:/Ludex.prefs.tmp";
// The new preferences while they are written.
const char* const prefsPartial = "ENVARC:/Ludex.prefs.new";
// Where a preferences file that cannot be used is kept (numbered when taken).
const char* const prefsBad = "ENVARC:/Ludex.prefs.BAD";

// Why the preferences file the last load found cannot be used as it is: of
// another version, faulty or unreadable ("" when it can be used or there is
// none). Such a file is kept aside before the first save replaces it.
char unusable[160] = "";

// Takes the first line off the chain; "bad" when there is none.
char* takeLine(char*& lines) {
  if (!lines) Throw("bad", "it is faulty");
  return StrTakeFirst(lines);
}

bool flagOf(const char* line) { return Val(line) != 0; }

bool onlyEmptyLines(const char* lines) {
  for (const char* line = lines; line; line = StrNext(line))
    if (EstrLen(line) != 0) return false;
  return true;
}

cStringSpace* newLauncherSpace() {
  auto* space = new cStringSpace;
  space->new_cStringSpace(true, CASE_INSENSITIVE);
  return space;
}

void addBuiltInLaunchers(cStringSpace* space) {
  for (int i = 0; predefinedLaunchers && predefinedLaunchers[i]; i += 2)
    addLauncherToSpace(StrClone(predefinedLaunchers[i]), StrClone(predefinedLaunchers[i + 1]), space);
}

// Reads the launchers after the header into space; "bad" at the first fault.
void readPrefsLines(char*& lines, cStringSpace* space) {
  char* line = takeLine(lines);
  const int32_t version = Val(line);
  DisposeString(line);
  if (version != 1) Throw("bad", "it is of another version");
  line = takeLine(lines);
  prefAutoExit = flagOf(line);
  DisposeString(line);
  line = takeLine(lines);
  prefsShowOutput = flagOf(line);
  DisposeString(line);
  // The header alone is what a save of no launchers writes; empty lines
  // after the last launcher (a file edited by hand) hold nothing to lose.
  while (!onlyEmptyLines(lines)) {
    char* tag = takeLine(lines);
    char* commands = nullptr;
    try {
      commands = takeLine(lines);
      char* separator = takeLine(lines);
      const bool empty = EstrLen(separator) == 0;
      DisposeString(separator);
      if (!empty) Throw("bad", "it is faulty");
      if (InStr(commands, "\\n") >= 0) {
        char* unescaped = translateStr(commands, loadDictionary_ludex);
        DisposeString(commands);
        commands = unescaped;
      }
    } catch (...) {
      DisposeString(tag);
      DisposeString(commands);
      throw;
    }
    addLauncherToSpace(tag, commands, space);
  }
}

// The preferences file with its temporary and partial names; no backup.
FileReplacement prefsReplacement() { return {app_prefs, prefsTmp, prefsPartial, nullptr}; }

// A NUL byte in a line would cut it short: such a file is faulty.
bool holdsNul(const char* lines) {
  for (const char* line = lines; line; line = StrNext(line))
    if (std::strlen(line) != static_cast<size_t>(EstrLen(line))) return true;
  return false;
}

void noteUnusable(const char* why) { std::snprintf(unusable, sizeof unusable, "%s", why && *why ? why : "it is faulty"); }

// Tells the user what a save did not do, or that the file it replaced was
// kept aside: at most one message a save.
void tellSaveResult(ReplacementResult result, const FileFailure& failure, const char* kept) {
  if (result == ReplacementResult::Replaced && !kept) return;
  char* name = ExportPath(app_prefs);
  char* keptName = nullptr;
  char reason[sizeof failure.file + sizeof failure.reason + 2];
  WithCleanUp(
      [&] {
        if (result == ReplacementResult::Replaced) {
          keptName = ExportPath(kept);
          tellUser("The preferences file \"%s\" could not be used (%s).\n"
                   "It was kept as \"%s\", and the preferences were saved anew.",
                   {name, unusable, keptName});
        } else {
          failure.describe(app_prefs, reason, sizeof reason);
          tellUser("The preferences could not be saved to \"%s\" (%s).\n"
                   "They stay in use while Ludex runs; the next save tries again.",
                   {name, reason});
        }
      },
      [&] {
        DisposeString(name);
        DisposeString(keptName);
      });
}

}  // namespace

cStringSpace* loadPrefs() {
  cStringSpace* space = newLauncherSpace();
  prefAutoExit = prefsShowOutput = false;
  unusable[0] = '\0';
  char* lines = nullptr;
  try {
    finishInterruptedReplacement(prefsReplacement());
    FileFailure failure;
    lines = readLines(app_prefs, nullptr, &failure);
    if (!lines) {
      // A file that cannot be read is left as it is until a save keeps it
      // aside; a folder in its place is not the program's to move.
      if (ExistsPath(app_prefs, false)) noteUnusable(failure.reason);
      addBuiltInLaunchers(space);
      return space;
    }
    try {
      if (holdsNul(lines)) Throw("bad", "it is faulty");
      readPrefsLines(lines, space);
    } catch (const Exception& e) {
      if (!e.is("bad")) throw;
      // A faulty file keeps what was read before the fault.
      noteUnusable(e.message());
    }
  } catch (...) {
    DisposeString(lines);
    End(space);
    throw;
  }
  DisposeString(lines);
  return space;
}

void savePrefs(cStringSpace* space) {
  StringChain lines;
  FileFailure failure;
  ReplacementResult result = ReplacementResult::Failed;
  char* kept = nullptr;
  try {
    lines.append(StrClone("1"));
    lines.append(StrClone(prefAutoExit ? "1" : "0"));
    lines.append(StrClone(prefsShowOutput ? "1" : "0"));
    for (bool more = space->itemGotoFirst(); more; more = space->itemGotoNext()) {
      auto* l = reinterpret_cast<launcher*>(space->itemInfo());
      lines.append(StrClone(l->tag));
      lines.append(translateStr(l->commands, saveDictionary_ludex));
      lines.append(NewString(0));
    }
    // The old file goes only once the new one is complete: a file that could
    // not be used becomes the kept copy, any other is deleted.
    FileReplacement target = prefsReplacement();
    if (unusable[0] && !ExistsPath(app_prefs, false)) unusable[0] = '\0';  // gone meanwhile
    if (unusable[0]) {
      kept = unusedNumberedPath(prefsBad);
      target.backup = kept;
    }
    if (unusable[0] && !kept) failure.note(app_prefs, "every name to keep it under is taken");
    else result = replaceFileWithLines(target, lines.head, &failure);
  } catch (...) {
    DisposeString(lines.head);
    DisposeString(kept);
    throw;
  }
  DisposeString(lines.head);
  WithCleanUp([&] { tellSaveResult(result, failure, result == ReplacementResult::Replaced ? kept : nullptr); },
              [&] { DisposeString(kept); });
  if (result == ReplacementResult::Replaced) unusable[0] = '\0';  // told once
}

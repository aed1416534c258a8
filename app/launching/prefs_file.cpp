#include "app/launching/prefs_file.h"

#include "app/games/line_files.h"
#include "app/launching/file_replacement.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "app/translate_str.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "files/paths/path_operations.h"

namespace {

const char* const prefsTmp = "ENVARC:/Ludex.prefs.tmp";
// The new preferences while they are written.
const char* const prefsPartial = "ENVARC:/Ludex.prefs.new";

// Takes the first line off the chain; "bad" when there is none.
char* takeLine(char*& lines) {
  if (!lines) Throw("bad");
  return StrTakeFirst(lines);
}

bool flagOf(const char* line) { return Val(line) != 0; }

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
  if (version != 1) Throw("bad");
  line = takeLine(lines);
  prefAutoExit = flagOf(line);
  DisposeString(line);
  line = takeLine(lines);
  prefsShowOutput = flagOf(line);
  DisposeString(line);
  if (!lines) Throw("bad");  // no launcher at all
  while (lines) {
    char* tag = takeLine(lines);
    char* commands = nullptr;
    try {
      commands = takeLine(lines);
      char* separator = takeLine(lines);
      const bool empty = EstrLen(separator) == 0;
      DisposeString(separator);
      if (!empty) Throw("bad");
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

}  // namespace

cStringSpace* loadPrefs() {
  cStringSpace* space = newLauncherSpace();
  prefAutoExit = prefsShowOutput = false;
  char* lines = nullptr;
  try {
    finishInterruptedReplacement(prefsReplacement());
    lines = readLines(app_prefs);
    if (!lines) {
      addBuiltInLaunchers(space);
      return space;
    }
    try {
      readPrefsLines(lines, space);
    } catch (const Exception& e) {
      if (!e.is("bad")) throw;
      // A faulty file keeps what was read before the fault.
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
    // The old file goes only once the new one is complete.
    replaceFileWithLines(prefsReplacement(), lines.head);
  } catch (...) {
    DisposeString(lines.head);
    throw;
  }
  DisposeString(lines.head);
}

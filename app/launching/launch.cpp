#include "app/launching/launch.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/line_files.h"
#include "app/games/tags.h"
#include "app/launching/launcher.h"
#include "app/launching/program_folders.h"
#include "app/launching/shell_quoting.h"
#include "app/ludex_module.h"
#include "core/general.h"
#include "core/strings/owned_strings.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "files/dos/path_parts.h"
#include "files/dos/probes.h"
#include "files/dos/variables.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "imaging/desktop.h"
#include "imaging/requesters.h"
#include "os/asl/asl.h"
#include "os/exec/tasks.h"
#include "platform/system_data.h"

namespace {

const char* const APPDIR_START = "${AppDir/";
constexpr int32_t APPDIR_START_LENGTH = 9;

// Tells the user why nothing was started: a path with a line break in it
// would land outside double quotes, where the rest of it would run as a
// command of its own.
void refuseLineBreak(const char* path) {
  const intptr_t args[] = {reinterpret_cast<intptr_t>(path)};
  requestChoice2(app_name,
                 "The path \"%s\" holds a line break, and the launcher does not put it in double quotes.\n"
                 "Nothing was started.",
                 "OK", args);
}

// The launcher's commands with "%g", "%p", "%d" and "%%" replaced, each match
// taken from left to right as translateStr does with the launch dictionary,
// the path and folder written as file names for the place where each lands
// (ShellQuoting). Hands each piece of the result to put; FALSE after telling
// the user when a path cannot be written where it lands.
template <typename Put>
bool substituteFields(const char* commands, const LaunchFields& fields, Put put) {
  ShellQuoting quoting;
  for (const char* c = commands; *c; ++c) {
    const char* value = nullptr;
    bool fileName = false;
    if (c[0] == '%') {
      switch (c[1]) {
        case 'g': value = fields.path, fileName = true; break;
        case 'd': value = fields.folder, fileName = true; break;
        case 'p': value = fields.params; break;
        case '%': value = "%"; break;
        default: break;
      }
    }
    if (!value) {
      put(c, 1);
      quoting.feed(c, 1);
      continue;
    }
    ++c;
    char* written = fileName ? quoting.fileNameHere(value) : StrClone(value);
    if (!written) {
      refuseLineBreak(value);
      return false;
    }
    put(written, EstrLen(written));
    quoting.feed(written);
    DisposeString(written);
  }
  return true;
}

// The launcher of the first of the game's tags that has one, or NIL.
launcher* launcherOf(const game* g) {
  if (!launcherSpace) return nullptr;
  char* copy = StrClone(g->tags);
  char* tags = nullptr;
  launcher* found = nullptr;
  try {
    tags = commeredItemsToStringList(copy, false, true, true);
    for (char* tag = tags; tag && !found; tag = StrNext(tag))
      found = reinterpret_cast<launcher*>(launcherSpace->get_cStringSpace(tag));
  } catch (...) {
    DisposeString(copy);
    DisposeString(tags);
    throw;
  }
  DisposeString(copy);
  DisposeString(tags);
  return found;
}

// The canonical folder of the program when its variable names one that holds
// it; NIL otherwise.
char* rememberedFolder(const char* variable, const char* name) {
  char* folder = getVarDirPath(variable);
  if (!folder) return nullptr;
  char* program = nullptr;
  try {
    program = StrJoin(folder, name);
    if (InvalidFilePath(program) || !ExistsPath(program, false)) {
      DisposeString(folder);
      folder = nullptr;
    }
  } catch (...) {
    DisposeString(folder);
    DisposeString(program);
    throw;
  }
  DisposeString(program);
  return folder;
}

// Asks where the program lives; its canonical folder, or NIL when the user
// cancelled or named something else (then told so).
char* askForFolder(const char* variable, const char* name) {
  char* title = StrJoin("Where is the program \"", name, "\"?");
  char* answer = nullptr;
  char* ending = nullptr;
  char* folder = nullptr;
  try {
    answer = requestFile2(title, name, name);
    if (answer) {
      ending = StrJoin("/", name);
      const int32_t at = EstrLen(answer) - EstrLen(ending);
      const bool named = at >= 0 && StrCmpNoCase(answer + at, ending) && ExistsPath(answer, false);
      if (named) {
        folder = ExtractSubPath(answer);
        rememberProgramFolder(variable, folder);
      } else {
        const intptr_t args[] = {reinterpret_cast<intptr_t>(name)};
        requestChoice2(app_name, "You did not supply the program \"%s\".", "OK", args);
      }
    }
  } catch (...) {
    DisposeString(title);
    DisposeString(answer);
    DisposeString(ending);
    DisposeString(folder);
    throw;
  }
  DisposeString(title);
  DisposeString(answer);
  DisposeString(ending);
  return folder;
}

}  // namespace

char* extractAppendableHostSubPath(const char* path) {
  char* sub = ExtractSubPath(path);
  char* host = nullptr;
  try {
    host = ExportPath(sub);
  } catch (...) {
    DisposeString(sub);
    throw;
  }
  DisposeString(sub);
  const int32_t length = EstrLen(host);
  if (length > 0 && (host[length - 1] == '/' || host[length - 1] == ':')) return host;
  if (length == 0) return host;  // the current folder: a file name appends as it is
  char* appendable = StrJoin(host, "/");
  DisposeString(host);
  return appendable;
}

char* requestFile2(const char* title, const char* file, const char* pattern) {
  char* drawer = nullptr;
  for (;;) {
    char* answer = nullptr;
    try {
      answer = requestFile(drawer, file, pattern, title, FRF_REJECTICONS);
    } catch (...) {
      DisposeString(drawer);
      throw;
    }
    if (!answer) {
      DisposeString(drawer);
      return nullptr;
    }
    // A file is a file and a folder a folder; anything else is asked again
    // from the drawer part of the answer.
    char* result = nullptr;
    try {
      if (isFile(answer)) {
        result = ImportFilePath(answer);
      } else {
        DisposeString(drawer);
        drawer = isDir(answer) ? StrClone(answer) : strSubPathPart(answer);
      }
    } catch (...) {
      DisposeString(answer);
      DisposeString(drawer);
      throw;
    }
    DisposeString(answer);
    if (result) {
      DisposeString(drawer);
      return result;
    }
  }
}

char* expandAppDir(char* text) {
  int32_t position = 0;
  for (;;) {
    const int32_t start = InStr(text, APPDIR_START, position);
    if (start < 0) return text;
    const int32_t close = InStr(text, "}", start + APPDIR_START_LENGTH);
    if (close < 0) {
      position = start + APPDIR_START_LENGTH;
      continue;
    }
    OwnedStrings made;
    try {
      char* name = made.keep(NewString(close - start - APPDIR_START_LENGTH));
      StrCopy(name, text + start + APPDIR_START_LENGTH, close - start - APPDIR_START_LENGTH);
      char* variable = made.keep(StrJoin("AppDir/", name));
      char* folder = rememberedFolder(variable, name);
      if (!folder) folder = askForFolder(variable, name);
      char* hostFolder = folder ? made.keep(ExportPath(made.keep(folder))) : nullptr;
      // The folder is a file name like the game's path: written for where
      // the reference stands.
      char* written = hostFolder ? made.keep(ShellQuoting::after(text, start).fileNameHere(hostFolder)) : nullptr;
      if (hostFolder && !written) refuseLineBreak(hostFolder);
      if (!written) {
        made.dispose();
        DisposeString(text);
        return nullptr;
      }
      char* before = made.keep(NewString(start));
      StrCopy(before, text, start);
      char* expanded = StrJoin(before, written, text + close + 1);
      position = start + EstrLen(written);
      DisposeString(text);
      text = expanded;
    } catch (...) {
      made.dispose();
      DisposeString(text);
      throw;
    }
    made.dispose();
  }
}

char* substituteLaunchFields(const char* commands, const LaunchFields& fields) {
  int32_t length = 0;
  if (!substituteFields(commands, fields, [&](const char*, int32_t n) { length += n; })) return nullptr;
  char* text = NewString(length);
  // The second pass meets the same pieces, so it cannot refuse.
  substituteFields(commands, fields, [&](const char* piece, int32_t n) { StrAdd(text, piece, n); });
  return text;
}

bool executeCommand(const char* command, bool quiet, bool async, int32_t stack, int32_t priority, BPTR currentDir,
                    const TagItem* moreTags, int32_t* returnCode) {
  Task* self = FindTask(nullptr);
  const int8_t oldPriority = priority != 0 ? SetTaskPri(self, priority) : 0;
  char* runCommand = nullptr;
  BPTR input = ZERO;
  int32_t result = -1;
  auto restore = [&] {
    DisposeString(runCommand);
    if (priority != 0) SetTaskPri(self, oldPriority);
  };
  try {
    // Where the shell's Execute waits for the script, Run starts it in the
    // background and returns at once.
    if (executeWaitsForScript && StrCmpNoCase(command, "Execute ", 8)) {
      runCommand = StrJoin("Run ", command);
      command = runCommand;
      async = false;
    }
    input = Open(quiet ? "NIL:" : "CONSOLE:", MODE_OLDFILE);
    const TagItem tags[] = {
        {SYS_Asynch, async ? 1 : 0},
        {SYS_Input, reinterpret_cast<intptr_t>(input)},
        {SYS_Output, 0},
        {priority ? NP_Priority : TAG_IGNORE, priority},
        {stack ? NP_StackSize : TAG_IGNORE, stack},
        {currentDir ? NP_CurrentDir : TAG_IGNORE, reinterpret_cast<intptr_t>(currentDir)},
        {moreTags ? TAG_MORE : TAG_DONE, reinterpret_cast<intptr_t>(moreTags)},
    };
    result = SystemTagList(command, tags);
    // A command that started owns its input handle and closes it; one that
    // did not leaves it to us.
    if (result == -1 && input) Close(input);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  if (returnCode) *returnCode = result == -1 ? 20 : result;
  return result != -1;
}

void launch(const game* g) {
  launcher* l = launcherOf(g);
  if (!l) {
    wbRun(g->path);
    return;
  }
  OwnedStrings made;
  char* text = nullptr;
  char* lines = nullptr;
  try {
    const LaunchFields fields{made.keep(ExportPath(g->path)), g->params ? g->params : "",
                              made.keep(extractAppendableHostSubPath(g->path))};
    text = substituteLaunchFields(l->commands, fields);
    if (text) text = expandAppDir(text);
    if (!text) {
      made.dispose();
      return;
    }
    if (!prefsShowOutput && !std::strchr(text, '\n')) {
      executeCommand(text, true, true, LAUNCH_STACK_SIZE, 0, ZERO, nullptr);
    } else {
      lines = splitLinesIntoLinkedStrings(text);
      if (prefsShowOutput) lines = StrLink(StrClone("Set echo ON"), lines);
      DeletePath(app_script, false, false);
      if (writeLines(app_script, lines)) {
        char* script = made.keep(ExportPath(app_script));
        char* command = made.keep(StrJoin("Execute \"", script, "\""));
        executeCommand(command, !prefsShowOutput, true, LAUNCH_STACK_SIZE, 0, ZERO, nullptr);
      }
    }
  } catch (...) {
    made.dispose();
    DisposeString(text);
    DisposeString(lines);
    throw;
  }
  made.dispose();
  DisposeString(text);
  DisposeString(lines);
}

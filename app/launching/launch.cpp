#include "app/launching/launch.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/line_files.h"
#include "app/games/tags.h"
#include "app/launching/launch_commands.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "core/clean_up.h"
#include "core/general.h"
#include "core/strings/owned_strings.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "files/dos/path_parts.h"
#include "files/dos/probes.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "imaging/desktop.h"
#include "imaging/requesters.h"
#include "os/asl/asl.h"
#include "os/exec/tasks.h"
#include "platform/system_data.h"

namespace {

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
  return WithCleanUp([&] { return expandLaunchCommands(text, nullptr); }, [&] { DisposeString(text); });
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
    text = expandLaunchCommands(l->commands, &fields);
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

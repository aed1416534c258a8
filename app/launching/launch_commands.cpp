#include "app/launching/launch_commands.h"

#include <cstring>

#include "app/launching/launch.h"
#include "app/launching/program_folders.h"
#include "app/launching/shell_quoting.h"
#include "app/ludex_module.h"
#include "core/clean_up.h"
#include "core/general.h"
#include "core/strings/owned_strings.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "core/strings/text_builder.h"
#include "files/dos/variables.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "imaging/requesters.h"

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
  OwnedStrings made;
  char* folder = nullptr;
  try {
    char* title = made.keep(StrJoin("Where is the program \"", name, "\"?"));
    if (char* answer = made.keep(requestFile2(title, name, name))) {
      char* ending = made.keep(StrJoin("/", name));
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
    made.dispose();
    DisposeString(folder);
    throw;
  }
  made.dispose();
  return folder;
}

// The folder of the program in host form, a new string; NIL when the user did
// not supply it.
char* programFolder(const char* name) {
  char* variable = StrJoin("AppDir/", name);
  char* folder = nullptr;
  return WithCleanUp(
      [&]() -> char* {
        folder = rememberedFolder(variable, name);
        if (!folder) folder = askForFolder(variable, name);
        return folder ? ExportPath(folder) : nullptr;
      },
      [&] {
        DisposeString(variable);
        DisposeString(folder);
      });
}

bool endsWord(char c) { return c == '\0' || c == '\n' || c == ' ' || c == '\t' || c == '\r'; }

// One pass over the commands into the text the shell runs.
class CommandsReader {
 public:
  CommandsReader(const char* commands, const LaunchFields* fields)
      : commands_(commands), fields_(fields), noneFrom_(static_cast<int32_t>(std::strlen(commands))) {}

  char* run() {
    int32_t at = 0;
    while (commands_[at]) {
      const char c = commands_[at];
      if (fields_ && !wrapping_ && quoting_.startsBareWord(c) && wordHoldsPathField(at)) {
        put("\"", 1);
        wrapping_ = true;
      } else if (wrapping_ && endsWord(c)) {
        put("\"", 1);
        wrapping_ = false;
      }
      const Token token = tokenAt(at);
      bool fine = true;
      switch (token.kind) {
        case Token::Field: fine = putField(commands_[at + 1]); break;
        case Token::Reference: fine = putProgramFolder(at, token.length); break;
        case Token::Text: putText(commands_ + at, token.length); break;
      }
      if (!fine) return nullptr;
      at += token.length;
    }
    if (wrapping_) put("\"", 1);
    return out_.take();
  }

 private:
  struct Token {
    enum Kind { Text, Field, Reference } kind;
    int32_t length;
  };

  // What stands at the index: a placeholder, a program reference up to its
  // "}", or text ("${AppDir/" without a "}" after it stays as it is).
  Token tokenAt(int32_t at) {
    const char* p = commands_ + at;
    if (fields_ && p[0] == '%' && (p[1] == 'g' || p[1] == 'd' || p[1] == 'p' || p[1] == '%')) return {Token::Field, 2};
    if (p[0] == '$' && std::strncmp(p, APPDIR_START, APPDIR_START_LENGTH) == 0) {
      const int32_t close = closeAfter(at + APPDIR_START_LENGTH);
      if (close < 0) return {Token::Text, APPDIR_START_LENGTH};
      return {Token::Reference, close + 1 - at};
    }
    return {Token::Text, 1};
  }

  // The index of the first "}" at or after from, -1 when none. What a
  // search found is kept: the reader asks again for the references that it
  // looked at ahead, and nothing is searched twice but those stretches.
  int32_t closeAfter(int32_t from) {
    if (from >= noneFrom_) return -1;
    if (from >= lastFrom_ && from <= lastClose_) return lastClose_;
    const void* found = std::memchr(commands_ + from, '}', static_cast<size_t>(noneFrom_ - from));
    if (!found) {
      noneFrom_ = from;
      return -1;
    }
    lastFrom_ = from;
    lastClose_ = static_cast<int32_t>(static_cast<const char*>(found) - commands_);
    return lastClose_;
  }

  // TRUE when the rest of the launcher's word from the index holds "%g" or
  // "%d". A word is looked at once: later questions about it read what the
  // first one found.
  bool wordHoldsPathField(int32_t at) {
    if (at >= wordEnd_) {
      lastPathField_ = -1;
      int32_t p = at;
      while (!endsWord(commands_[p])) {
        const Token token = tokenAt(p);
        if (token.kind == Token::Field && (commands_[p + 1] == 'g' || commands_[p + 1] == 'd')) lastPathField_ = p;
        p += token.length;
      }
      wordEnd_ = p;
    }
    return lastPathField_ >= at;
  }

  void put(const char* text, int32_t length) {
    out_.add(text, length);
    quoting_.feed(text, length);
  }

  // The launcher's own text: in a word put in quotes, escaped.
  void putText(const char* text, int32_t length) {
    if (!wrapping_) {
      put(text, length);
      return;
    }
    char two[2];
    for (int32_t i = 0; i < length; ++i) put(two, ShellQuoting::escapedForQuotes(text[i], two));
  }

  // A text put in: escaped in a word put in quotes, else as written (params)
  // or as a file name must be written at this place (paths and folders).
  bool putValue(const char* value, bool fileName) {
    char* written = wrapping_  ? ShellQuoting::escapedForQuotes(value)
                    : fileName ? quoting_.fileNameHere(value)
                               : StrClone(value);
    if (!written) {
      refuseLineBreak(value);
      return false;
    }
    WithCleanUp([&] { put(written, EstrLen(written)); }, [&] { DisposeString(written); });
    return true;
  }

  bool putField(char which) {
    switch (which) {
      case 'g': return putValue(fields_->path, true);
      case 'd': return putValue(fields_->folder, true);
      case 'p': return putValue(fields_->params, false);
      default: put("%", 1); return true;
    }
  }

  bool putProgramFolder(int32_t at, int32_t length) {
    const int32_t nameLength = length - APPDIR_START_LENGTH - 1;
    char* name = NewString(nameLength);
    char* folder = nullptr;
    return WithCleanUp(
        [&] {
          StrCopy(name, commands_ + at + APPDIR_START_LENGTH, nameLength);
          folder = programFolder(name);
          return folder && putValue(folder, true);
        },
        [&] {
          DisposeString(name);
          DisposeString(folder);
        });
  }

  const char* commands_;
  const LaunchFields* fields_;
  TextBuilder out_;
  ShellQuoting quoting_;
  bool wrapping_ = false;      // inside a word the reader put in quotes
  int32_t noneFrom_;           // no "}" stands at or after this index
  int32_t lastFrom_ = 0;       // the last search that found one: from where,
  int32_t lastClose_ = -1;     // and where it stands
  int32_t wordEnd_ = -1;       // the end of the word looked at last
  int32_t lastPathField_ = -1;  // the last "%g" or "%d" of that word, -1 when none
};

}  // namespace

char* expandLaunchCommands(const char* commands, const LaunchFields* fields) {
  if (!commands) commands = "";
  return CommandsReader(commands, fields).run();
}

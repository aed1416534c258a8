#include "app/launcher.h"

#include <cstring>

#include "core/general.h"
#include "core/string.h"
#include "core/string_space.h"

cStringSpace* launcherSpace = nullptr;
bool prefAutoExit = false;
bool prefsShowOutput = false;

void launcher::new_launcher(char* newTag, char* newCommands) {
  tag = newTag;
  commands = newCommands;
}

void launcher::end_class() {
  DisposeString(tag);
  DisposeString(commands);
  tag = commands = nullptr;
  class_base::end_class();
}

launcher* addLauncherToSpace(char* tag, char* commands, cStringSpace* space) {
  auto* l = new launcher;
  l->new_launcher(tag, commands);
  try {
    space->set_cStringSpace(tag, reinterpret_cast<intptr_t>(l));
  } catch (...) {
    End(l);
    throw;
  }
  return l;
}

char* makeLauncherEntryLabel(const char* tag, const launcher* l) {
  char* label = StrJoin(tag, "\t", l ? l->commands : nullptr);
  if (l && l->commands) {
    // Only the first line of the commands shows.
    const char* newline = std::strchr(l->commands, '\n');
    if (newline) SetStr(label, EstrLen(label) - static_cast<int32_t>(std::strlen(newline)));
  }
  return label;
}

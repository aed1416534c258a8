#include "app/launching/launcher.h"

#include <cstring>

#include "core/box.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "gui/lists/gui_list.h"

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

void addLauncherToGUI(cGuiList* guiList, const char* tag, const launcher* l) {
  char* label = makeLauncherEntryLabel(tag, l);
  char* tagCopy = nullptr;
  boxSTRING* tagBox = nullptr;
  try {
    tagCopy = StrClone(tag);
    tagBox = BoxSTRING(tagCopy);
  } catch (...) {
    DisposeString(tagCopy);
    DisposeString(label);
    throw;
  }
  guiList->addEntry(label, false, false, 0, tagBox, false);
}

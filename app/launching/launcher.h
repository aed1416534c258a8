// Launchers: the tag that selects one and the shell lines that start a game
// with it; kept in the launcher space with the two options of the
// preferences file.
#pragma once

#include "core/class_base.h"

class cStringSpace;
class cGuiList;

class launcher : public class_base {
  LUDEX_CLASS(launcher, class_base)
 public:
  // Takes over both strings without copying them.
  virtual void new_launcher(char* tag, char* commands);
  void end_class() override;

  char* tag = nullptr;       // compared without case
  char* commands = nullptr;  // shell lines separated by "\n"
};

// Every launcher by tag (owns them, case ignored); made by loadPrefs.
extern cStringSpace* launcherSpace;
// Quit after a game was launched from the main window.
extern bool prefAutoExit;
// Show the launch commands and their output instead of running them silently.
extern bool prefsShowOutput;

// Makes a launcher of the two strings (taken over) and stores it under tag
// (replacing one of the same tag); returns it.
launcher* addLauncherToSpace(char* tag, char* commands, cStringSpace* space);
// The row label of a launcher: tag, TAB and the first line of its commands
// (tag and TAB alone for NIL). A new string.
char* makeLauncherEntryLabel(const char* tag, const launcher* l);
// Adds the launcher's row to a list: its label, and a data box holding a
// copy of the tag (the list owns the box); the list's cursor stays.
void addLauncherToGUI(cGuiList* guiList, const char* tag, const launcher* l);

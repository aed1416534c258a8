#include "app/dialogs/edit_launcher_dialog.h"

#include "app/dialogs/dialog_loop.h"
#include "app/launching/launch.h"
#include "app/launching/program_folders.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/syntax/path_syntax.h"

namespace {

const char* const hints =
    "Use \"%g\" where the game's path should be.\nUse %p where any game-specific parameters should be.\nUse \"%d\" "
    "if you need the game's folder.\ne.g. RunInDOSBox \"%g\" %p\n\nIf the Commands box is empty, then the game "
    "will be run normally (from Workbench).";

// TRUE when the text holds nothing but blanks, tabs and line ends.
bool onlyWhiteSpace(const char* text) {
  for (; *text; ++text)
    if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') return false;
  return true;
}

struct EditLauncherDialog {
  cGuiWindow* window = nullptr;
  cGuiStringBox* commands = nullptr;
  cGuiButton* addProgram = nullptr;
  cGuiButton* ok = nullptr;
  cGuiButton* cancel = nullptr;
  char* result = nullptr;

  void describe(const char* tag, const char* commandsText) {
    window->initSaveID(DialogSaveId("EdtL"));
    window->beginGroupVertical(nullptr);
    window->addText("Tag")->setState(tag);
    window->beginGroupVertical("Commands");
    commands = window->addStringBox(nullptr);
    commands->setState(commandsText);
    addProgram = window->addButton("Add program");
    window->endGroup();
    window->addBar("Hints");
    window->addTextBox(nullptr)->setState(hints);
    window->beginGroupHorizontal(nullptr);
    ok = window->addButton("OK");
    cancel = window->addButton("Cancel");
    window->endGroup();
    window->endGroup();
  }

  // Asks for an emulator program; the chosen one gets the line that changes
  // to its folder and the line that calls it, and its folder is remembered
  // for good so that launching does not ask for it.
  void addProgramLines() {
    char* program = requestFile2("Choose a program", nullptr, nullptr);
    if (!program) return;
    char* lines = nullptr;
    char* variable = nullptr;
    char* folder = nullptr;
    WithCleanUp(
        [&] {
          const char* name = FindName(program);
          const char* text = commands->getState();
          const bool empty = !text || !*text;
          lines = StrJoin(empty ? "" : text, empty ? "" : "\n", "CD \"${AppDir/", name, "}\"\n", name, " \"%g\" %p");
          commands->setState(lines);
          variable = StrJoin("AppDir/", name);
          folder = ExtractSubPath(program);
          rememberProgramFolder(variable, folder);
        },
        [&] {
          DisposeString(program);
          DisposeString(lines);
          DisposeString(variable);
          DisposeString(folder);
        });
  }

  bool react(cGuiItem* item) {
    if (item == addProgram) {
      WhileBusy(window, [this] { addProgramLines(); });
      return false;
    }
    if (item == ok) {
      result = StrClone(commands->getState());
      return true;
    }
    return !item || item == cancel;
  }
};

}  // namespace

char* requestEditLauncher(const char* tag, const char* commands) {
  EditLauncherDialog d;
  d.window = CreateGuiWindow("Edit a Launcher");
  try {
    WithDialogWindow(d.window, [&] {
      d.describe(tag, commands);
      d.window->build(false);
      RunDialogLoop(d.window, [&](cGuiItem* item) { return d.react(item); });
    });
  } catch (...) {
    DisposeString(d.result);
    throw;
  }
  if (d.result && onlyWhiteSpace(d.result)) SetStr(d.result, 0);
  return d.result;
}

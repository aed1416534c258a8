#include "app/dialogs/prefs_dialog.h"

#include "app/dialogs/dialog_loop.h"
#include "app/dialogs/edit_launcher_dialog.h"
#include "app/games/game.h"
#include "app/launching/launcher.h"
#include "app/launching/prefs_file.h"
#include "core/box.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"

namespace {

struct PrefsDialog {
  cStringSpace* space = nullptr;
  cGuiWindow* window = nullptr;
  cGuiTick* autoExit = nullptr;
  cGuiTick* showOutput = nullptr;
  cGuiList* launchers = nullptr;
  cGuiButton* edit = nullptr;
  cGuiButton* finished = nullptr;

  launcher* launcherOf(const char* tag) { return reinterpret_cast<launcher*>(space->get_cStringSpace(tag)); }

  void describe() {
    window->initSaveID(DialogSaveId("PREF"));
    window->beginGroupVertical(nullptr);
    autoExit = window->addTick("Quit Ludex after launching a game");
    autoExit->setState(prefAutoExit);
    showOutput = window->addTick("Show shell output of launcher");
    showOutput->setState(prefsShowOutput);
    showOutput->setPopupHint("Use this to see error messages, if you can't tell why a launcher isn't working.");
    launchers = window->beginList(2, "Launchers");
    launchers->initSelectableEntries(false, false);
    launchers->initColumnTitles("Tag\tCommands");
    launchers->setSortByUser(0, false);
    // A row for every known tag: the built-in ones, the launchers' and the games'.
    if (tagSpace)
      for (bool more = tagSpace->itemGotoFirst(); more; more = tagSpace->itemGotoNext()) {
        const char* tag = nullptr;
        tagSpace->itemInfo(&tag);
        addLauncherToGUI(launchers, tag, launcherOf(tag));
      }
    window->endList();
    window->beginGroupHorizontal(nullptr);
    edit = window->addButton("Edit Launcher");
    edit->setGhosted(true);
    finished = window->addButton("Finished");
    window->endGroup();
    window->endGroup();
  }

  // The launcher of the row under the list's cursor through the launcher editor.
  void editCursorRow() {
    auto* box = dynamic_cast<boxSTRING*>(launchers->cursor_getDataBox());
    if (!box) return;
    const char* tag = box->string();
    launcher* old = launcherOf(tag);
    char* commands = requestEditLauncher(tag, old ? old->commands : "");
    if (!commands) return;
    char* label = nullptr;
    WithCleanUp(
        [&] {
          launcher* now = nullptr;
          if (*commands) {
            char* key = StrClone(tag);
            char* taken = commands;
            commands = nullptr;
            now = addLauncherToSpace(key, taken, space);
          } else {
            space->delete_cStringSpace(tag);
          }
          label = makeLauncherEntryLabel(tag, now);
          launchers->cursor_setLabel(label, 0);
        },
        [&] {
          DisposeString(commands);
          DisposeString(label);
        });
  }

  bool react(cGuiItem* item) {
    if (!item || item == finished) return true;
    if (item == autoExit) prefAutoExit = autoExit->getState();
    else if (item == showOutput) prefsShowOutput = showOutput->getState();
    else if (item == launchers) {
      if (launchers->getEventSelectionChanged(false)) edit->setGhosted(launchers->infoSelectionCount() == 0);
      if (launchers->getEventDoubleClickedEntry(true, false)) WhileBusy(window, [this] { editCursorRow(); });
    } else if (item == edit && launchers->cursor_gotoFirstSelected()) {
      WhileBusy(window, [this] { editCursorRow(); });
    }
    return false;
  }
};

}  // namespace

void requestPrefs(cStringSpace* space) {
  PrefsDialog d;
  d.space = space;
  d.window = CreateGuiWindow("Preferences");
  WithDialogWindow(d.window, [&] {
    // Closing the window saves, also when nothing changed.
    WithCleanUp(
        [&] {
          d.describe();
          d.window->build(false);
          RunDialogLoop(d.window, [&](cGuiItem* item) { return d.react(item); });
        },
        [&] { savePrefs(d.space); });
  });
}

// The "Preferences" and "Edit a Launcher" dialogs, driven by UI scripts as a
// user would: launchers made, changed and deleted from the tag rows, the
// options, the save on every close, and "Add program".
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "app/dialogs/edit_launcher_dialog.h"
#include "app/dialogs/prefs_dialog.h"
#include "os/exec/hosted_failure.h"
#include "os/intuition/requester_answers.h"
#include "tests/app/dialog_test_fixture.h"

namespace {

using Launchers = std::map<std::string, std::string>;

class PrefsDialog : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    addLauncherToSpace(StrClone("Fake"), StrClone("fakeemu \"%g\"\nsecond line"), launcherSpace);
    End(tagSpace);
    tagSpace = makeTagSpace();  // the built-in tags and the launchers'
    addGame("Frog", "Sandbox:/Frog.adf", ",Shooter,");
  }
  // Runs the dialog with the script, which must use every line.
  void run(const std::string& script) {
    play("window PREF\n" + script);
    requestPrefs(launcherSpace);
    expectScriptUsed();
  }
  static Launchers launchers() {
    Launchers found;
    for (bool more = launcherSpace->itemGotoFirst(); more; more = launcherSpace->itemGotoNext()) {
      auto* l = reinterpret_cast<launcher*>(launcherSpace->itemInfo());
      found[l->tag] = l->commands;
    }
    return found;
  }
  std::string savedPrefs() const { return box.readFile("envarc/Ludex.prefs"); }
  int32_t knownTags() const {
    int32_t n = 0;
    for (bool more = tagSpace->itemGotoFirst(); more; more = tagSpace->itemGotoNext()) ++n;
    return n;
  }
};

TEST_F(PrefsDialog, ATagWithoutALauncherGetsOneFromItsRow) {
  run("expect-rows Launchers " + std::to_string(knownTags()) +
      "\n"
      "click-row Launchers Shooter\n"
      "press \"Edit Launcher\"\n"
      "window EdtL\n"
      "expect-text Tag Shooter\n"
      "expect-text Commands \"\"\n"
      "type Commands \"shootemu %g\"\n"
      "press OK\n"
      "window PREF\n"
      "expect-text Launchers Shooter\n"
      "press Finished\n");
  EXPECT_EQ(launchers(), (Launchers{{"Fake", "fakeemu \"%g\"\nsecond line"}, {"Shooter", "shootemu %g"}}));
  const std::string saved = savedPrefs();
  EXPECT_EQ(saved.substr(0, 6), "1\n0\n0\n");
  EXPECT_NE(saved.find("\nShooter\nshootemu %g\n\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\nFake\nfakeemu \"%g\"\\nsecond line\n"), std::string::npos) << saved;
}

TEST_F(PrefsDialog, CommandsOfOnlyBlanksDeleteTheLauncherAndCancelKeepsIt) {
  run("double-click-row Launchers Fake\n"
      "window EdtL\n"
      "expect-text Tag Fake\n"
      "type Commands \"other\"\n"
      "press Cancel\n"
      "window PREF\n"
      "click-row Launchers Fake\n"
      "press \"Edit Launcher\"\n"
      "window EdtL\n"
      "type Commands \"   \"\n"
      "press OK\n"
      "window PREF\n"
      "expect-row Launchers Fake\n"  // the tag keeps its row, without commands
      "close\n");
  EXPECT_EQ(launchers(), Launchers{});
  EXPECT_EQ(savedPrefs(), "1\n0\n0");
}

TEST_F(PrefsDialog, TicksTakeEffectAtOnceAndTheCloseGadgetSaves) {
  prefsShowOutput = true;
  run("expect-text \"Show shell output of launcher\" 1\n"
      "tick \"Quit Ludex after launching a game\"\n"
      "untick \"Show shell output of launcher\"\n"
      "close\n");
  EXPECT_TRUE(prefAutoExit);
  EXPECT_FALSE(prefsShowOutput);
  EXPECT_EQ(savedPrefs().substr(0, 6), "1\n1\n0\n");
}

TEST_F(PrefsDialog, EditLauncherIsGhostedUntilARowIsSelected) {
  play("window PREF\npress \"Edit Launcher\"\n");
  try {
    requestPrefs(launcherSpace);
    ADD_FAILURE() << "the ghosted button was pressed";
  } catch (const HostedFailure& failure) {
    EXPECT_NE(std::string(failure.what()).find("disabled"), std::string::npos) << failure.what();
  }
  // The window was closed on the way out, and saved.
  EXPECT_EQ(savedPrefs().substr(0, 6), "1\n0\n0\n");
}

// "Edit a Launcher" on its own: what it returns for each way out, and the
// lines "Add program" writes.
class EditLauncher : public DialogTest {
 protected:
  std::optional<std::string> run(const char* commands, const std::string& script) {
    play("window EdtL\n" + script);
    char* result = requestEditLauncher("Amiga", commands);
    expectScriptUsed();
    if (!result) return std::nullopt;
    std::string text = result;
    DisposeString(result);
    return text;
  }
};

TEST_F(EditLauncher, AddProgramWritesTheTwoLinesAndRemembersTheFolder) {
  box.writeFile("Emu/UAE");
  const std::string lines = "CD \"${AppDir/UAE}\"\nUAE \"%g\" %p";
  struct Case {
    const char* commands;
    std::string script;
    std::optional<std::string> result;
  } cases[] = {
      {"", "answer-file Sandbox:Emu UAE\npress \"Add program\"\npress OK\n", lines},
      {"Set echo ON", "answer-file Sandbox:Emu UAE\npress \"Add program\"\npress OK\n", "Set echo ON\n" + lines},
      {"keep", "answer-cancel\npress \"Add program\"\npress OK\n", "keep"},
      {"keep", "type Commands \" \"\npress OK\n", ""},
      {"keep", "type Commands \"new\"\npress Cancel\n", std::nullopt},
      {"keep", "type Commands \"new\"\nclose\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.commands, c.script), c.result) << c.script;
  EXPECT_EQ(box.readFile("envarc/AppDir/UAE"), "Sandbox:Emu");
}

}  // namespace

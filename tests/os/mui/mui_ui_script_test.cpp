// UI scripts: reading every verb and the faults of a line; a script driving a
// small program end to end; a line that cannot be performed; the script's end.
#include <gtest/gtest.h>

#include <fstream>

#include "os/exec/hosted_failure.h"
#include "os/intuition/intuition.h"
#include "os/intuition/requester_answers.h"
#include "os/mui/driver/ui_script.h"
#include "os/mui/driver/ui_script_runner.h"
#include "tests/os/mui/mui_test_window.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/scoped_env.h"

namespace {

using MuiScript = MuiTest;
using Lines = std::vector<std::string>;

// A line as read back: verb, then the arguments in brackets.
std::string readBack(const mui::UiScriptLine& line) {
  std::string out = std::to_string(line.number) + ":" + line.verb;
  for (const std::string& a : line.args) out += " [" + a + "]";
  return out;
}

std::string failureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const HostedFailure& failure) {
    EXPECT_EQ(failure.returnCode(), 20);
    return failure.what();
  }
  return "(no failure)";
}

TEST(UiScriptReading, EveryVerbReadsWithItsArguments) {
  const char* text =
      "# a session\n"
      "\n"
      "window \"Edit game\"   # trailing comment\n"
      "press Save\n"
      "type Name \"Lemmings \\\"2\\\" \\\\ x\" enter\n"
      "type Number 42\n"
      "tick Hide\n"
      "untick Hide\n"
      "choose Kind Folder\n"
      "click-row Games #3 shift\n"
      "click-row Games Turrican ctrl\n"
      "click-row Games \"#3\"\n"
      "double-click-row Games Zak\n"
      "click-title Games 2\n"
      "close\n"
      "drop Work:a.adf /home/b.adf\n"
      "quit\n"
      "answer-choice 2\n"
      "answer-choice Yes\n"
      "answer-file Work:Games a.adf b.adf\n"
      "answer-file /srv/games\n"
      "answer-text \"a name\"\n"
      "answer-cancel\n"
      "expect-row Games #1\n"
      "expect-no-row Games Zool\n"
      "expect-rows Games 3\n"
      "expect-text Status \"\"\n"
      "\twait\r\n";
  Lines got;
  for (const mui::UiScriptLine& line : mui::parseUiScript(text, "s")) got.push_back(readBack(line));
  EXPECT_EQ(got, (Lines{"3:window [Edit game]", "4:press [Save]", "5:type [Name] [Lemmings \"2\" \\ x] [enter]",
                        "6:type [Number] [42]", "7:tick [Hide]", "8:untick [Hide]", "9:choose [Kind] [Folder]",
                        "10:click-row [Games] [#3] [shift]", "11:click-row [Games] [Turrican] [ctrl]",
                        "12:click-row [Games] [#3]", "13:double-click-row [Games] [Zak]", "14:click-title [Games] [2]",
                        "15:close", "16:drop [Work:a.adf] [/home/b.adf]", "17:quit", "18:answer-choice [2]",
                        "19:answer-choice [Yes]", "20:answer-file [Work:Games] [a.adf] [b.adf]",
                        "21:answer-file [/srv/games]", "22:answer-text [a name]", "23:answer-cancel",
                        "24:expect-row [Games] [#1]", "25:expect-no-row [Games] [Zool]", "26:expect-rows [Games] [3]",
                        "27:expect-text [Status] []", "28:wait"}));
}

TEST(UiScriptReading, AFaultyLineIsNamedWithItsNumber) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"press\n", "line 1: press takes 1 argument, not 0"},
      {"# ok\npress A B\n", "line 2: press takes 1 argument, not 2"},
      {"push OK\n", "line 1: unknown action \"push\""},
      {"type Name \"open\n", "line 1: a quote is not closed"},
      {"type Name x return\n", "line 1: type ends with \"enter\" or nothing, not \"return\""},
      {"click-row Games #1 alt\n", "line 1: click-row ends with \"shift\", \"ctrl\" or nothing, not \"alt\""},
      {"click-title Games 0\n", "line 1: click-title needs a number from 1, not \"0\""},
      {"click-title Games Name\n", "line 1: click-title needs a number from 1, not \"Name\""},
      {"expect-rows Games many\n", "line 1: expect-rows needs a number, not \"many\""},
      {"close now\n", "line 1: close takes 0 arguments, not 1"},
      {"type Name\n", "line 1: type takes 2 or 3 arguments, not 1"},
      {"\n\ndrop\n", "line 3: drop takes at least 1 argument, not 0"},
      {"click-row Games # comment\n", "line 1: click-row takes 2 or 3 arguments, not 1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(failureOf([&] { mui::parseUiScript(c.text, "t.script"); }), std::string("UI script \"t.script\", ") + c.message)
        << c.text;
}

// The test window's program: Cancel asks whether to discard the changes.
IPTR askDiscard(Hook* h, void*, void*) {
  auto* self = static_cast<TestWindow::LogHook*>(h->h_Data);
  EasyStruct es{20, 0, "Edit game", "Discard the changes?", "Yes|No"};
  self->owner->log.push_back("discard answered " + std::to_string(EasyRequestArgs(nullptr, &es, nullptr, nullptr, 0)));
  return 0;
}

void run(TestWindow& w, const std::string& script) {
  mui::startUiScript(mui::parseUiScript(script, "t.script"), "t.script");
  w.runLoop();
}

TEST_F(MuiScript, AScriptDrivesTheProgramAndEachLineSeesWhatTheLinesBeforeCaused) {
  DosSandbox box;
  box.writeFile("Games/x.adf");
  ostest::resetRequesters();
  TestWindow w;
  w.notify(w.cancel, MUIA_Pressed, 0, "Cancel", askDiscard);
  run(w,
      "window EDIT\n"
      "type Name \"Lemmings 2\" enter\n"
      "choose Kind Folder\n"
      "choose Played 7\n"
      "tick Hide\n"
      "tick Hide\n"
      "press Save\n"
      "expect-text Status \"saved Lemmings 2\"\n"
      "expect-text Kind Folder\n"
      "expect-text Hide 1\n"
      "click-row Games Turrican ctrl\n"
      "expect-text Games Turrican\n"
      "double-click-row Games #3\n"
      "click-title Games 2\n"
      "expect-rows Games 3\n"
      "expect-row Games Zak\n"
      "expect-no-row Games Zool\n"
      "expect-no-row Games #4\n"
      "drop " + box.host("Games/x.adf") + "\n" +
      "answer-choice No\n"
      "press Cancel\n"
      "type Notes \"two lines\"\n"
      "expect-text Notes \"two lines\"\n"
      "wait\n"
      "close\n");
  EXPECT_EQ(w.log, (Lines{"active Name", "Name ack Lemmings 2", "active NIL", "Kind 1", "Played 7", "Hide 1", "Save",
                          "row 1 ctrl", "double-click 2", "title 1", "drop type 7 [Sandbox:Games|x.adf]",
                          "Cancel 0", "discard answered 0", "edited two lines", "close 1"}));
  EXPECT_FALSE(attr(w.window, MUIA_Window_Open));
}

TEST_F(MuiScript, ALineThatCannotBePerformedEndsTheProgramNamingTheLineAndTheCandidates) {
  const struct {
    const char* script;
    const char* message;
  } cases[] = {
      {"press Save\npress Sav\n",
       "line 2 (press \"Sav\"): no button \"Sav\" in window \"Edit game\"; buttons there: \"Save\", \"Cancel\", "
       "\"Delete\""},
      {"tick Name\n", "line 1 (tick \"Name\"): no tick \"Name\" in window \"Edit game\"; ticks there: \"Hide\""},
      {"choose Kind CD\n", "line 1 (choose \"Kind\" \"CD\"): choice \"Kind\" has no entry \"CD\"; entries: \"Disk\", \"Folder\""},
      {"window Prefs\n", "line 1 (window \"Prefs\"): no window \"Prefs\"; windows: \"Edit game\""},
      {"click-row Games Zool\n",
       "line 1 (click-row \"Games\" \"Zool\"): list \"Games\" has no row \"Zool\"; rows: \"Lemmings\", \"Turrican\", \"Zak\""},
      {"expect-rows Games 2\n", "line 1 (expect-rows \"Games\" \"2\"): list \"Games\" has 3 rows, not 2"},
      {"expect-no-row Games Zak\n", "line 1 (expect-no-row \"Games\" \"Zak\"): list \"Games\" has row \"Zak\""},
      {"expect-text Status busy\n", "line 1 (expect-text \"Status\" \"busy\"): item \"Status\" shows \"\", not \"busy\""},
      {"press Delete\n", "line 1 (press \"Delete\"): button \"Delete\" is in a disabled group"},
  };
  for (const auto& c : cases) {
    TestWindow w(true);
    EXPECT_EQ(failureOf([&] { run(w, c.script); }), std::string("UI script \"t.script\", ") + c.message) << c.script;
  }
}

TEST_F(MuiScript, AtItsEndTheProgramGetsTheCommoditiesKillAndADialogLeftOpenFails) {
  {
    TestWindow w;
    run(w, "press Save\n");
    EXPECT_EQ(w.log, (Lines{"Save", "cx 64 23"}));
    EXPECT_TRUE(w.quit);
  }
  TestWindow stubborn;
  stubborn.ignoreKill = true;
  EXPECT_EQ(failureOf([&] { run(stubborn, ""); }),
            "UI script \"t.script\" ended, and the program still waits for input; open windows: \"Edit game\"");
  EXPECT_EQ(stubborn.log, (Lines{"cx 64 23"}));
}

TEST_F(MuiScript, TheScriptComesFromLudexUiScript) {
  DosSandbox box;
  box.writeFile("ui.script", "type Number 12 enter\nquit\n");
  {
    ScopedEnv env("LUDEX_UI_SCRIPT", box.host("ui.script").c_str());
    TestWindow w;
    w.runLoop();
    EXPECT_EQ(w.log, (Lines{"active Number", "Number ack 12", "cx 64 23"}));
  }
  ostest::resetMui();
  ScopedEnv env("LUDEX_UI_SCRIPT", box.host("missing.script").c_str());
  TestWindow w;
  EXPECT_EQ(failureOf([&] { w.runLoop(); }), "UI script \"" + box.host("missing.script") + "\": it cannot be read");
}

}  // namespace

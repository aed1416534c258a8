// The user driver on a small window: actions reach their notifications in the
// order a person's would, inside the application's input processing; refused
// actions; drops; the commodities kill; Wait with no input that can come.
#include "os/mui/driver/user_driver.h"

#include <gtest/gtest.h>

#include <csignal>

#include "os/exec/break_signals.h"
#include "os/exec/hosted_failure.h"
#include "os/exec/signals.h"
#include "os/intuition/requester_answers.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/item_finder.h"
#include "tests/os/mui/mui_test_window.h"
#include "tests/support/dos_sandbox.h"

namespace {

using MuiDriver = MuiTest;
using Lines = std::vector<std::string>;

std::string refusal(const std::function<void()>& action) {
  try {
    action();
  } catch (const HostedFailure& f) {
    return f.what();
  }
  return "(not refused)";
}

TEST_F(MuiDriver, ActionsReachTheirNotificationsInTheOrderOfAUsersGestures) {
  TestWindow w;
  mui::user::type(w.name, "Lemmings the Second", true);  // cut to MaxLen - 1 (11)
  mui::user::type(w.number, "4x2", false);               // only accepted characters
  mui::user::press(w.save);                               // leaves the number field first
  mui::user::choose(w.kind, 1);
  mui::user::setTick(w.hide, true);
  mui::user::setTick(w.hide, true);  // already ticked: no click
  mui::user::toggle(w.hide);
  mui::user::choose(w.played, 4);
  mui::user::type(w.name, "Zak", false);
  mui::user::clickRow(w.games, 1, mui::RowClick::Shift);  // leaves the name field
  mui::user::doubleClickRow(w.games, 0);
  mui::user::clickTitle(w.games, 1);
  mui::user::leaveField(w.window);  // no field has the keyboard: nothing happens
  mui::user::editText(w.notes, "fine");
  mui::user::requestClose(w.window);
  EXPECT_TRUE(w.log.empty()) << "queued actions wait for the input processing";
  mui::user::runInput(w.app);
  EXPECT_EQ(w.log, (Lines{"active Name", "Name ack Lemmings th", "active Number", "active NIL", "Save", "Kind 1",
                          "Hide 1", "Hide 0", "Played 4", "active Name", "active NIL", "row 1 shift",
                          "double-click 0", "title 1", "edited fine", "close 1"}));
  EXPECT_EQ(textAttr(w.number, MUIA_String_Contents), "42");
  EXPECT_EQ(textAttr(w.status, MUIA_Text_Contents), "saved Lemmings th");
  EXPECT_EQ(mui::shownText(w.games), "Lemmings");
}

TEST_F(MuiDriver, NewInputPerformsOneActionPerCallAndWaitReturnsAtOnceWhileActionsWait) {
  TestWindow w;
  IPTR signals = 0;
  const IPTR mask = DoMethod(w.app, MUIM_Application_NewInput, &signals);
  EXPECT_NE(mask, 0);
  EXPECT_EQ(signals, mask);
  mui::user::press(w.save);
  mui::user::press(w.cancel);
  EXPECT_EQ(Wait(static_cast<uint32_t>(mask)), static_cast<uint32_t>(mask));
  DoMethod(w.app, MUIM_Application_NewInput, &signals);
  EXPECT_EQ(w.log, (Lines{"Save"}));
  EXPECT_EQ(Wait(static_cast<uint32_t>(mask)), static_cast<uint32_t>(mask)) << "Cancel still waits";
  DoMethod(w.app, MUIM_Application_NewInput, &signals);
  EXPECT_EQ(w.log, (Lines{"Save", "Cancel 0"}));
  // Headless, nothing queued, no script: the wait fails naming the open windows.
  EXPECT_EQ(refusal([&] { Wait(static_cast<uint32_t>(mask)); }),
            "MUI; Wait(); no input can ever come (no display and no UI script); open windows: \"Edit game\"");
}

TEST_F(MuiDriver, ActionsOnDisabledSleepingOrClosedTargetsAreRefused) {
  TestWindow w;
  SetAttrs(w.name, MUIA_Disabled, 1);
  EXPECT_EQ(refusal([&] { mui::act::type(w.name, "x", false); }), "field \"Name\" is disabled");
  EXPECT_EQ(refusal([&] { mui::act::press(w.erase); }), "button \"Delete\" is in a disabled group");
  EXPECT_EQ(refusal([&] { mui::act::clickRow(w.games, 3, mui::RowClick::Plain); }), "list \"Games\" has no row #4");
  EXPECT_EQ(refusal([&] { mui::act::clickTitle(w.games, 2); }), "list \"Games\" has no column 3");
  SetAttrs(w.window, MUIA_Window_Sleep, 1);
  EXPECT_EQ(refusal([&] { mui::act::press(w.save); }), "button \"Save\": window \"Edit game\" is busy");
  SetAttrs(w.window, MUIA_Window_Sleep, 0);
  SetAttrs(w.window, MUIA_Window_Open, 0);
  EXPECT_EQ(refusal([&] { mui::act::choose(w.kind, 1); }), "choice \"Kind\": window \"Edit game\" is closed");
  EXPECT_EQ(refusal([&] { mui::act::requestClose(w.window); }), "window \"Edit game\" is closed");
  // A refused queued action ends the input processing with its error.
  SetAttrs(w.window, MUIA_Window_Open, 1);
  mui::user::press(w.erase);
  EXPECT_THROW(mui::user::runInput(w.app), HostedFailure);
  EXPECT_TRUE(w.log.empty());
  EXPECT_EQ(mui::queuedUserActions(), 0u);
}

TEST_F(MuiDriver, DropsReachOnlyApplicationWindowsAsOneMessageOfLocksAndNames) {
  DosSandbox box;
  box.writeFile("Games/x.adf");
  box.writeFile("Games/y.adf");
  box.makeDir("Games/Folder");
  {
    TestWindow w;
    mui::act::drop(w.window, {"Sandbox:Games/x.adf", box.host("Games/y.adf"), "Sandbox:Games/Folder/", "Sandbox:"});
    EXPECT_EQ(w.log, (Lines{"drop type 7 [Sandbox:Games|x.adf] [Sandbox:Games|y.adf] [Sandbox:Games|Folder] "
                            "[Sandbox:|]"}));
    EXPECT_EQ(refusal([&] { mui::act::drop(w.window, {"Sandbox:Games/none.adf"}); }),
              "cannot drop \"Sandbox:Games/none.adf\": there is no such file or drawer");
  }
  TestWindow plain(false);
  EXPECT_EQ(refusal([&] { mui::act::drop(plain.window, {"Sandbox:Games/x.adf"}); }),
            "window \"Edit game\" takes no drops (it is no application window)");
  EXPECT_TRUE(plain.log.empty());
}

TEST_F(MuiDriver, TheCommoditiesKillReachesTheBrokerHook) {
  TestWindow w;
  mui::user::commoditiesKill(w.app);
  mui::user::runInput(w.app);
  EXPECT_EQ(w.log, (Lines{"cx 64 23"}));
  EXPECT_TRUE(w.quit);
  // The host's quit request (SIGTERM) reaches a waiting program the same way.
  TestWindow waiting;
  installBreakSignalHandlers();
  ASSERT_EQ(raise(SIGTERM), 0);
  waiting.runLoop();
  EXPECT_EQ(waiting.log, (Lines{"cx 64 23"}));
  TestWindow deaf(true, false);
  EXPECT_EQ(refusal([&] { mui::act::commoditiesKill(deaf.app); }),
            "the application has no broker hook: the commodities kill reaches nobody");
}

TEST_F(MuiDriver, APopupIsConfirmedOrCancelledThroughTheRequesterQueue) {
  DosSandbox box;
  box.writeFile("Games/x.adf");
  ostest::resetRequesters();
  TestWindow w;
  mui::user::confirmPopup(w.path, "Sandbox:Games", "x.adf");
  mui::user::runInput(w.app);
  EXPECT_EQ(textAttr(w.path, MUIA_String_Contents), "Sandbox:Games/x.adf");
  mui::user::cancelPopup(w.path);
  mui::user::runInput(w.app);
  EXPECT_EQ(textAttr(w.path, MUIA_String_Contents), "Sandbox:Games/x.adf");
  ASSERT_EQ(ostest::requesterLog().size(), 2u);
  EXPECT_EQ(ostest::requesterLog()[1].result, 0);
  EXPECT_EQ(queuedRequesterAnswers(), 0u);
}

TEST_F(MuiDriver, AQueuedActionDoesNotReachAnObjectDisposedMeanwhile) {
  TestWindow other;
  auto* gone = new TestWindow;
  mui::user::press(gone->save);
  delete gone;  // the older application stays, with the queue
  EXPECT_EQ(mui::queuedUserActions(), 1u);
  EXPECT_EQ(refusal([&] { mui::user::runInput(other.app); }),
            "the object acted on was disposed before the action was performed");
  EXPECT_TRUE(other.log.empty());
}

}  // namespace

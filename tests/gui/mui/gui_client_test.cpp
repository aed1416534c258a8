// The toolkit's client and its windows: the application's names and version,
// windows made before and after the application, the Window object a build
// makes, opening and closing in the application, busy windows, place and
// size in their three regimes, platform data, and ending or resetting with
// windows open.
#include <string>

#include "core/exception.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/gui_shared.h"
#include "os/dos/dos.h"
#include "os/exec/hosted_failure.h"
#include "os/icon/icon.h"
#include "os/intuition/window.h"
#include "os/mui/driver/user_driver.h"
#include "tests/gui/mui/gui_client.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"
#include "tests/support/info_file.h"

namespace {

class GuiClient : public GuiClientTest {};

std::string text(Object* object, Tag tag) {
  const char* value = reinterpret_cast<const char*>(attr(object, tag));
  return value ? value : "(nil)";
}

TEST_F(GuiClient, TheApplicationTakesCleanedNamesAndAVersion) {
  struct Case {
    const char* title;
    const char* version;  // NIL: none given
    const char* appTitle;
    const char* base;
    const char* versionString;
  } cases[] = {
      {"Ludex! The launcher. Version 1.2 of it all", nullptr, "Ludex  The launcher  Version 1", "Ludex__The_launcher__Version",
       "$VER: Ludex! The launcher. Version 1.2 of it all"},
      {"Short-name_1", "Short 1.0 (1.1.2026)", "Short-name_1", "Short-name_1", "$VER: Short 1.0 (1.1.2026)"},
      {"", nullptr, "", "", "$VER: "},
  };
  for (const Case& c : cases) {
    end_cgui();
    end_capp();
    new_capp();
    new_cgui();
    appHost->initVersion(c.version);
    buildApp(c.title);
    EXPECT_EQ(text(application(), MUIA_Application_Title), c.appTitle) << c.title;
    EXPECT_EQ(text(application(), MUIA_Application_Base), c.base) << c.title;
    EXPECT_EQ(text(application(), MUIA_Application_Version), c.versionString) << c.title;
    EXPECT_STREQ(appHost->infoVersion(), c.version ? c.version : c.title) << c.title;
    // The rights notice, author and description are given only where present.
    EXPECT_EQ(text(application(), MUIA_Application_Author), "(nil)");
  }
  EXPECT_EQ(guiAppClient->infoIcon(), nullptr);  // no icon beside the test program
  EXPECT_EQ(attr(application(), MUIA_Application_DiskObject), 0);
  EXPECT_EQ(attr(application(), MUIA_Application_BrokerHook) != 0, true);
  EXPECT_NE(infoGuiActionHook(), nullptr);
}

TEST_F(GuiClient, TheProgramsIconGoesToTheApplicationWithoutAPlace) {
  DosSandbox box;
  box.makeDir("progdir/bin");
  ASSERT_TRUE(InfoFile{}.writeTo(box.host("progdir/bin/Ludex.info")));
  char name[256];
  ASSERT_TRUE(GetProgramName(name, sizeof name));
  const BPTR home = SetProgramDir(Lock("Sandbox:progdir/bin", SHARED_LOCK));
  ASSERT_TRUE(SetProgramName("Work:Programs/Ludex"));
  buildApp();
  DiskObject* icon = guiAppClient->infoIcon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->do_CurrentX, NO_ICON_POSITION);
  EXPECT_EQ(icon->do_CurrentY, NO_ICON_POSITION);
  EXPECT_EQ(attr(application(), MUIA_Application_DiskObject), toIPTR(icon));
  UnLock(SetProgramDir(home));
  SetProgramName(name);
}

TEST_F(GuiClient, WindowsComeOnlyAfterTheApplicationIsBuilt) {
  expectError("EPU", "cGuiHost; CreateGuiWindow(); cApp.build() must be called first", [] { CreateGuiWindow("W"); });
  expectError("EPU", "cGuiHost; waitForChangedGuiItem(); cApp.build() must be called first",
              [] { WaitForChangedGuiItem(); });
  expectError("EPU", "cGuiHost; checkForChangedGuiItem(); cApp.build() must be called first",
              [] { CheckForChangedGuiItem(false); });
  CreateApp("Test");
  ostest::markMuiClassMissing("Application.mui");
  expectError("ERR", "cGuiAppClient.build(); failed to create GUI", [] { appHost->build(); });
  expectError("EPU", "cGuiHost; CreateGuiWindow(); cApp.build() must be called first", [] { CreateGuiWindow("W"); });
  ostest::restoreMuiClasses();
  appHost->build();
  cGuiWindow* a = CreateGuiWindow("A");
  cGuiWindow* b = CreateGuiWindow("B");
  EXPECT_EQ(static_cast<cGuiWindowHost*>(a)->infoNextResource(), b);
  EXPECT_STREQ(b->infoTitle(), "B");
  EXPECT_EQ(DestroyGuiWindow(a), nullptr);
  EXPECT_EQ(guiAppClient->infoFirstResource(), b);
  EXPECT_EQ(DestroyGuiWindow(nullptr), nullptr);
}

TEST_F(GuiClient, BuildMakesTheWindowObjectWithItsOptions) {
  buildApp("Launcher");
  struct Case {
    const char* name;
    std::function<void(cGuiWindowHost*)> options;
    bool noOpen;
    const char* dump;
    // left top width height, then the right and bottom border scrollers, as
    // the Window object holds them
    const char* values;
  } cases[] = {
      {"plain, opened", [](cGuiWindowHost*) {}, false, "Window(open) \"W\"[Group(V)[Group(cols=2)[Label \"T\" Text \"\"]]]", "-1 -1 -1 -1 00"},
      {"not opened", [](cGuiWindowHost*) {}, true, "Window \"W\"[Group(V)[Group(cols=2)[Label \"T\" Text \"\"]]]", "-1 -1 -1 -1 00"},
      {"every option",
       [](cGuiWindowHost* w) {
         w->initAllowDropFiles()->initSaveID(MakeId("EDIT"));
         w->setPosition(10, 20)->changeSize(300, 200)->setBusy(true);
       },
       true, "Window(sleep,appwindow,id=1162103124) \"W\"[Group(V)[Group(cols=2)[Label \"T\" Text \"\"]]]", "10 20 300 200 00"},
      {"width only", [](cGuiWindowHost* w) { w->changeSize(250, GUI_NO_SIZE); }, true,
       "Window \"W\"[Group(V)[Group(cols=2)[Label \"T\" Text \"\"]]]", "-1 -1 250 -1 00"},
      {"scrollable", [](cGuiWindowHost* w) { w->infoRootGroup()->initScrollable(); }, true,
       "Window \"W\"[Scrollgroup(winborder)[Virtgroup(V)[Group(cols=2)[Label \"T\" Text \"\"]]]]",
       "-1 -1 -1 -1 11"},
  };
  for (const Case& c : cases) {
    cGuiWindowHost* w = textWindow("W");
    c.options(w);
    EXPECT_EQ(w->infoWindowObject(), nullptr);
    w->build(c.noOpen);
    Object* object = w->infoWindowObject();
    EXPECT_EQ(ostest::dumpMuiTree(object), c.dump) << c.name;
    EXPECT_EQ(w->infoIsOpen(), !c.noOpen) << c.name;
    EXPECT_EQ(text(object, MUIA_Window_ScreenTitle), "Launcher") << c.name;
    const std::string geometry = std::to_string(attr(object, MUIA_Window_LeftEdge)) + " " +
                                 std::to_string(attr(object, MUIA_Window_TopEdge)) + " " +
                                 std::to_string(attr(object, MUIA_Window_Width)) + " " +
                                 std::to_string(attr(object, MUIA_Window_Height)) + " " +
                                 std::to_string(attr(object, MUIA_Window_UseRightBorderScroller)) +
                                 std::to_string(attr(object, MUIA_Window_UseBottomBorderScroller));
    if (c.noOpen) {
      EXPECT_EQ(geometry, c.values) << c.name;
    }
    EXPECT_EQ(w->queryExtra(MakeId("OBJT")), object) << c.name;
    DestroyGuiWindow(w);
  }
}

TEST_F(GuiClient, BuildRefusesWhatItCannotBuildAndLeavesNothing) {
  buildApp();
  auto* w = static_cast<cGuiWindowHost*>(CreateGuiWindow("W"));
  expectError("EMU", "cGuiWindow.build(); the window has no root group", [&] { w->build(false); });
  w->beginGroupVertical(nullptr);
  w->addText("T");
  expectError("EMU", "cGuiWindow.build(); an endGroup() call is missing", [&] { w->build(false); });
  w->endGroup();
  ostest::markMuiClassMissing("Window.mui");
  expectError("ERR", "cGuiWindow.build(); failed to create GUI", [&] { w->build(false); });
  EXPECT_EQ(ostest::liveMuiObjects(), 1);  // only the application
  EXPECT_EQ(sharedOf(w->infoRootGroup())->object, nullptr);
  EXPECT_FALSE(w->infoIsOpen());
  ostest::restoreMuiClasses();
  w->build(false);
  expectError("EMU", "cGuiWindow.build(); the window has already been built", [&] { w->build(false); });
  EXPECT_TRUE(w->infoIsOpen());
}

TEST_F(GuiClient, OpenAndCloseMoveTheWindowInAndOutOfTheApplication) {
  buildApp();
  cGuiWindowHost* w = textWindow("W");
  expectError("EMU", "cGuiWindow.open(); the window has not been built", [&] { w->open(); });
  w->build(true);
  Object* object = w->infoWindowObject();
  EXPECT_EQ(ostest::dumpMuiTree(application()), "Application \"Test\"");
  w->setCloseRequest(true);
  w->open();
  w->open();  // once is enough
  EXPECT_FALSE(w->getCloseRequest(true));  // opening clears a pending request
  EXPECT_EQ(ostest::dumpMuiTree(application()), "Application \"Test\"[Window(open) \"W\"[Group(V)[Group(cols=2)[Label \"T\" Text \"\"]]]]");
  w->close();
  w->close();
  EXPECT_EQ(ostest::dumpMuiTree(application()), "Application \"Test\"");
  EXPECT_FALSE(w->infoIsOpen());
  w->open();  // no new build
  EXPECT_EQ(w->infoWindowObject(), object);
  EXPECT_TRUE(w->infoIsOpen());
}

TEST_F(GuiClient, GeometryBeforeTheBuildWhileOpenAndWhenClosed) {
  buildApp();
  cGuiWindowHost* w = textWindow("W");
  expectError("EMU", "cGuiWindow.getPosition(); no position has been specified yet", [&] { w->getPosition(); });
  expectError("EMU", "cGuiWindow.infoWidth(); no size has been specified yet", [&] { w->infoWidth(); });
  expectError("EMU", "cGuiWindow.infoHeight(); no size has been specified yet", [&] { w->infoHeight(); });
  w->changeSize(GUI_NO_SIZE, 120);
  EXPECT_EQ(w->infoHeight(), 120);
  w->build(true);
  // Closed, the window opens once to learn its place and size.
  ostest::recordMuiCalls(true);
  int32_t top = 0;
  const int32_t left = w->getPosition(&top);
  int opens = 0;
  for (const std::string& line : ostest::muiCallsOf(w->infoWindowObject()))
    if (line.find("MUIA_Window_Open 1") != std::string::npos) ++opens;
  EXPECT_EQ(opens, 1);
  EXPECT_FALSE(w->infoIsOpen());
  EXPECT_EQ(w->infoWidth(), static_cast<int32_t>(MUI_WINDOW_DEFAULT_WIDTH));  // MUI's default width
  EXPECT_EQ(w->infoHeight(), 120);
  EXPECT_EQ(left, static_cast<int32_t>(HOSTED_SCREEN_WIDTH - MUI_WINDOW_DEFAULT_WIDTH) / 2);
  EXPECT_EQ(top, static_cast<int32_t>(HOSTED_SCREEN_HEIGHT - 120) / 2);
  // A place given without a size: the size is learnt the same way.
  cGuiWindowHost* placed = textWindow("Placed");
  placed->setPosition(10, 20)->build(true);
  EXPECT_EQ(placed->infoWidth(), static_cast<int32_t>(MUI_WINDOW_DEFAULT_WIDTH));
  EXPECT_EQ(placed->getPosition(&top), 10);
  EXPECT_EQ(top, 20);
  EXPECT_FALSE(placed->infoIsOpen());
  // Open: the live values, which the window keeps when it closes.
  w->open();
  SetAttrs(w->infoWindowObject(), MUIA_Window_LeftEdge, 33, MUIA_Window_Width, 444);
  EXPECT_EQ(w->getPosition(), 33);
  EXPECT_EQ(w->infoWidth(), 444);
  w->close();
  EXPECT_EQ(w->getPosition(&top), 33);
  EXPECT_EQ(w->infoWidth(), 444);
  w->open();
  EXPECT_EQ(w->getPosition(), 33);
  EXPECT_EQ(w->infoWidth(), 444);
  // Set from the program, the window moves at once.
  w->setPosition(5, 6)->changeSize(200, 100);
  EXPECT_EQ(attr(w->infoWindowObject(), MUIA_Window_LeftEdge), 5);
  EXPECT_EQ(w->infoHeight(), 100);
  // Iconified, a close does not store what the hidden window shows.
  MinimiseApp(false);
  SetAttrs(w->infoWindowObject(), MUIA_Window_LeftEdge, 77);
  EXPECT_EQ(w->getPosition(), 5);
  w->close();
  MinimiseApp(true);
  EXPECT_EQ(w->getPosition(), 5);
}

TEST_F(GuiClient, WaitingForInputThatCannotComeFailsNamingTheOpenWindows) {
  buildApp();
  textWindow("Main")->build(false);
  textWindow("Hidden")->build(true);
  try {
    WaitForChangedGuiItem();
    ADD_FAILURE() << "the wait returned";
  } catch (const HostedFailure& failure) {
    EXPECT_NE(std::string(failure.what()).find("\"Main\""), std::string::npos) << failure.what();
    EXPECT_EQ(std::string(failure.what()).find("Hidden"), std::string::npos) << failure.what();
  }
}

TEST_F(GuiClient, BusyWindowsSleepAndPlatformDataIsByKey) {
  buildApp();
  cGuiWindowHost* w = textWindow("W");
  bool unknown = false;
  EXPECT_EQ(w->queryExtra(MakeId("WIND"), &unknown), nullptr);
  EXPECT_FALSE(unknown);
  EXPECT_EQ(w->queryExtra(MakeId("XXXX"), &unknown), nullptr);
  EXPECT_TRUE(unknown);
  w->setBusy(true);
  EXPECT_TRUE(w->getBusy());
  w->build(false);
  EXPECT_EQ(attr(w->infoWindowObject(), MUIA_Window_Sleep), 1);
  const auto* record = static_cast<const ::Window*>(w->queryExtra(MakeId("WIND"), &unknown));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Width, w->infoWidth());
  EXPECT_EQ(w->queryExtra(MakeId("SCRN")), nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(w->queryExtra(MakeId("SIGS"))), guiAppClient->infoSignalMask());
  w->setBusy(false);
  EXPECT_EQ(attr(w->infoWindowObject(), MUIA_Window_Sleep), 0);
}

TEST_F(GuiClient, ResetAndEndWithWindowsOpenDisposeEveryObjectOnce) {
  buildApp();
  textWindow("A")->build(false);
  textWindow("B")->build(true);
  textWindow("C");
  DestroyApp();  // resets the client: the windows end before the application goes
  EXPECT_EQ(guiAppClient->infoApplication(), nullptr);
  EXPECT_EQ(guiAppClient->infoFirstResource(), nullptr);
  EXPECT_EQ(infoGuiActionHook(), nullptr);
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
  // Built again, the client works as before; its end ends the open window
  // and leaves the application without it.
  buildApp("Again");
  textWindow("D")->build(false);
  end_cgui();
  EXPECT_EQ(appHost->firstClient, nullptr);
  DestroyApp();
  new_cgui();
}

}  // namespace

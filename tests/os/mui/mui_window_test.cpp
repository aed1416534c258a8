// Application.mui and Window.mui: members, opening, the window record, the
// place remembered per save id, the cycle chain, disposal of the whole tree.
#include "os/exec/semaphores.h"
#include "os/intuition/window.h"
#include "tests/os/mui/mui_test_support.h"

namespace {

using MuiWindows = MuiTest;

Object* newWindow(const char* title, IPTR id = 0) {
  return MUI_NewObject("Window.mui", MUIA_Window_Title, title, MUIA_Window_ID, id, MUIA_Window_RootObject,
                       MUI_NewObject("Group.mui", MUIA_Group_Child, MUI_NewObject("String.mui")));
}

::Window* record(Object* window) { return reinterpret_cast<::Window*>(attr(window, MUIA_Window_Window)); }

TEST_F(MuiWindows, AWindowOpensOnlyInAnApplicationAndHasARecordWhileOpen) {
  Object* app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Ludex", MUIA_Application_Base, "LUDEX");
  Object* window = newWindow("Games");
  ASSERT_TRUE(app && window);
  EXPECT_THROW(SetAttrs(window, MUIA_Window_Open, 1), ostest::MuiError) << "not a member yet";
  EXPECT_EQ(attr(window, MUIA_Window_Open), 0);
  EXPECT_EQ(DoMethod(app, OM_ADDMEMBER, window), 1);
  Object* group = MUI_NewObject("Group.mui");
  EXPECT_THROW(DoMethod(app, OM_ADDMEMBER, group), ostest::MuiError) << "only windows";
  MUI_DisposeObject(group);
  EXPECT_EQ(record(window), nullptr);
  SetAttrs(window, MUIA_Window_Open, 1);
  ::Window* open = record(window);
  ASSERT_NE(open, nullptr);
  // No place or size given: MUI's default size, centred on the screen.
  EXPECT_EQ(open->Width, MUI_WINDOW_DEFAULT_WIDTH);
  EXPECT_EQ(open->Height, MUI_WINDOW_DEFAULT_HEIGHT);
  EXPECT_EQ(open->LeftEdge, (HOSTED_SCREEN_WIDTH - MUI_WINDOW_DEFAULT_WIDTH) / 2);
  EXPECT_EQ(open->TopEdge, (HOSTED_SCREEN_HEIGHT - MUI_WINDOW_DEFAULT_HEIGHT) / 2);
  EXPECT_EQ(attr(window, MUIA_Window_Width), MUI_WINDOW_DEFAULT_WIDTH);
  SetAttrs(window, MUIA_Window_LeftEdge, 5, MUIA_Window_Height, 120);
  EXPECT_EQ(open->LeftEdge, 5);
  EXPECT_EQ(open->Height, 120);
  EXPECT_STREQ(open->Title, "Games");
  EXPECT_EQ(ostest::dumpMuiTree(app),
            "Application \"Ludex\"[Window(open) \"Games\"[Group(V)[String \"\"]]]");
  // Leaving the application closes the window.
  EXPECT_EQ(DoMethod(app, OM_REMMEMBER, window), 1);
  EXPECT_EQ(attr(window, MUIA_Window_Open), 0);
  EXPECT_EQ(record(window), nullptr);
  MUI_DisposeObject(window);
  MUI_DisposeObject(app);
}

TEST_F(MuiWindows, AWindowWithASaveIdComesBackWhereTheLastOfItsIdWas) {
  Object* app = MUI_NewObject("Application.mui");
  Object* first = newWindow("Edit", 0x45444954);
  Object* other = newWindow("Prefs", 7);
  DoMethod(app, OM_ADDMEMBER, first);
  DoMethod(app, OM_ADDMEMBER, other);
  SetAttrs(first, MUIA_Window_Open, 1);
  SetAttrs(first, MUIA_Window_LeftEdge, 30, MUIA_Window_TopEdge, 40, MUIA_Window_Width, 500, MUIA_Window_Height, 250);
  SetAttrs(other, MUIA_Window_Open, 1);
  SetAttrs(first, MUIA_Window_Open, 0);
  MUI_DisposeObject(first);  // a closed member leaves with its disposal
  // A new window of the same id, with a place of its own given, opens where the old one was.
  Object* again = MUI_NewObject("Window.mui", MUIA_Window_ID, 0x45444954, MUIA_Window_LeftEdge, 1,
                                MUIA_Window_TopEdge, 2, MUIA_Window_RootObject, MUI_NewObject("Group.mui"));
  DoMethod(app, OM_ADDMEMBER, again);
  SetAttrs(again, MUIA_Window_Open, 1);
  const ::Window* r = record(again);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->LeftEdge, 30);
  EXPECT_EQ(r->TopEdge, 40);
  EXPECT_EQ(r->Width, 500);
  EXPECT_EQ(r->Height, 250);
  // Another id knows nothing of it.
  EXPECT_EQ(attr(other, MUIA_Window_Width), MUI_WINDOW_DEFAULT_WIDTH);
  // Disposing the application disposes its windows, open or not, with their trees.
  MUI_DisposeObject(app);
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
}

TEST_F(MuiWindows, WindowAttributesAndTheCycleChainReadBack) {
  int screen = 0;
  Object* a = MUI_NewObject("String.mui");
  Object* b = MUI_NewObject("String.mui");
  Object* window = MUI_NewObject("Window.mui", MUIA_Window_Title, "T", MUIA_Window_ScreenTitle, "Ludex 1.0",
                                 MUIA_Window_Screen, &screen, MUIA_Window_AppWindow, 1, MUIA_Window_Sleep, 0,
                                 MUIA_Window_RootObject,
                                 MUI_NewObject("Group.mui", MUIA_Group_Child, a, MUIA_Group_Child, b));
  Object* stranger = MUI_NewObject("String.mui");
  EXPECT_EQ(attr(window, MUIA_Window_Screen), reinterpret_cast<IPTR>(&screen));
  EXPECT_EQ(textAttr(window, MUIA_Window_ScreenTitle), "Ludex 1.0");
  SetAttrs(window, MUIA_Window_Sleep, 1, MUIA_Window_ActiveObject, b, MUIA_Window_UseRightBorderScroller, 1);
  EXPECT_EQ(attr(window, MUIA_Window_ActiveObject), reinterpret_cast<IPTR>(b));
  DoMethod(window, MUIM_Window_SetCycleChain, b, a, 0);
  EXPECT_EQ(ostest::dumpMuiTree(window),
            "Window(sleep,appwindow,chain=2) \"T\"[Group(V)[String \"\" String \"\"]]");
  EXPECT_THROW(DoMethod(window, MUIM_Window_SetCycleChain, stranger, 0), ostest::MuiError)
      << "only objects of the window";
  MUI_DisposeObject(stranger);
  MUI_DisposeObject(window);
}

TEST_F(MuiWindows, ACallIntoMuiWhileTheProgramHoldsASemaphoreIsAFault) {
  Object* text = MUI_NewObject("Text.mui");
  SignalSemaphore queue{};
  InitSemaphore(&queue);
  ObtainSemaphore(&queue);
  EXPECT_THROW(SetAttrs(text, MUIA_Text_Contents, "x"), ostest::MuiError);
  EXPECT_THROW(DoMethod(text, MUIM_Set, MUIA_Text_Contents, "x"), ostest::MuiError);
  EXPECT_THROW(MUI_NewObject("Text.mui"), ostest::MuiError);
  ReleaseSemaphore(&queue);
  EXPECT_EQ(SetAttrs(text, MUIA_Text_Contents, "x"), 1u);
  MUI_DisposeObject(text);
}

}  // namespace

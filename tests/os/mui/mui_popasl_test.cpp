// Popasl: the string's attributes set on the pop-up reach its string, a get
// answers from it, and opening it runs the start hook, the requester and the
// stop hook in order.
#include <string>

#include "os/asl/asl.h"
#include "os/intuition/requester_answers.h"
#include "tests/os/mui/mui_test_support.h"

namespace {

class MuiPopasl : public MuiTest {
 protected:
  void SetUp() override {
    MuiTest::SetUp();
    ostest::resetRequesters();
  }
  void TearDown() override {
    ostest::resetRequesters();
    MuiTest::TearDown();
  }
  Object* makePopasl(RecordingHook* start, RecordingHook* stop) {
    string_ = MUI_NewObject("String.mui", MUIA_String_MaxLen, 256, MUIA_String_Contents, "Work:old");
    return MUI_NewObject("Popasl.mui", MUIA_Popstring_String, string_, MUIA_Popstring_Button,
                         MUI_MakeObject(MUIO_PopButton, MUII_PopFile), MUIA_Popasl_Type, 0, MUIA_Popasl_StartHook,
                         start ? &start->hook : nullptr, MUIA_Popasl_StopHook, stop ? &stop->hook : nullptr);
  }
  Object* string_ = nullptr;
};

TEST_F(MuiPopasl, StringAttributesGoToItsString) {
  Object* popasl = makePopasl(nullptr, nullptr);
  RecordingHook acknowledged(0);
  DoMethod(string_, MUIM_Notify, MUIA_String_Acknowledge, MUIV_EveryTime, MUIV_Notify_Self, 2, MUIM_CallHook,
           &acknowledged.hook);
  EXPECT_EQ(textAttr(popasl, MUIA_String_Contents), "Work:old");
  SetAttrs(popasl, MUIA_String_Contents, "Games:new", MUIA_String_Acknowledge, "Games:new", MUIA_UserData, 99);
  EXPECT_EQ(textAttr(string_, MUIA_String_Contents), "Games:new");
  EXPECT_EQ(textAttr(popasl, MUIA_String_Contents), "Games:new");
  EXPECT_EQ(acknowledged.calls.size(), 1u);
  EXPECT_EQ(attr(popasl, MUIA_UserData), 99);
  EXPECT_EQ(attr(popasl, MUIA_Popstring_String), reinterpret_cast<IPTR>(string_));
  MUI_DisposeObject(popasl);
}

TEST_F(MuiPopasl, OpeningRunsTheStartHookTheRequesterAndTheStopHook) {
  RecordingHook start(0), stop(0);
  Object* popasl = makePopasl(&start, &stop);
  // The start hook adds its tags to the list it is given and says open.
  start.then = [&](Object* o, void* message) -> IPTR {
    EXPECT_EQ(attr(o, MUIA_Popasl_Active), 1);
    TagItem* tags = static_cast<TagItem*>(message);
    EXPECT_EQ(tags[0].ti_Tag, TAG_DONE);
    tags[0] = {ASLFR_TitleText, reinterpret_cast<IPTR>("Select File")};
    tags[1] = {ASLFR_InitialDrawer, reinterpret_cast<IPTR>("Work:")};
    return 1;
  };
  std::string drawer, file;
  stop.then = [&](Object* o, void* message) -> IPTR {
    const FileRequester* fr = static_cast<const FileRequester*>(message);
    drawer = fr->fr_Drawer;
    file = fr->fr_File;
    SetAttrs(o, MUIA_String_Contents, "Chosen:x");
    return 0;
  };
  ostest::answerChoose("Games:", "a.adf");
  EXPECT_EQ(DoMethod(popasl, MUIM_Popstring_Open), 1);
  ASSERT_EQ(start.calls.size(), 1u);
  EXPECT_EQ(start.calls[0].object, popasl);
  ASSERT_EQ(stop.calls.size(), 1u);
  EXPECT_EQ(stop.calls[0].object, popasl);
  EXPECT_EQ(drawer + "|" + file, "Games:|a.adf");
  ASSERT_EQ(ostest::requesterLog().size(), 1u);
  EXPECT_EQ(ostest::requesterLog()[0].title, "Select File");
  EXPECT_EQ(ostest::requesterLog()[0].initialDrawer, "Work:");
  EXPECT_EQ(textAttr(string_, MUIA_String_Contents), "Chosen:x");
  EXPECT_EQ(attr(popasl, MUIA_Popasl_Active), 0);

  // Cancelled: no stop hook, nothing changes.
  ostest::answerCancel();
  EXPECT_EQ(DoMethod(popasl, MUIM_Popstring_Open), 0);
  EXPECT_EQ(stop.calls.size(), 1u);
  EXPECT_EQ(textAttr(string_, MUIA_String_Contents), "Chosen:x");

  // A start hook that says no: no requester, the answer stays queued.
  start.then = nullptr;
  start.answer = 0;
  ostest::answerChoose("Games:", "b.adf");
  EXPECT_EQ(DoMethod(popasl, MUIM_Popstring_Open), 0);
  EXPECT_EQ(ostest::requesterLog().size(), 2u);
  EXPECT_EQ(queuedRequesterAnswers(), 1u);

  // A disabled pop-up does not open.
  start.answer = 1;
  SetAttrs(popasl, MUIA_Disabled, 1);
  EXPECT_EQ(DoMethod(popasl, MUIM_Popstring_Open), 0);
  EXPECT_EQ(start.calls.size(), 3u);
  MUI_DisposeObject(popasl);
}

TEST_F(MuiPopasl, WithoutAStopHookTheChoiceIsWrittenIntoTheString) {
  Object* popasl = makePopasl(nullptr, nullptr);
  RecordingHook changed(0);
  DoMethod(string_, MUIM_Notify, MUIA_String_Contents, MUIV_EveryTime, MUIV_Notify_Self, 2, MUIM_CallHook,
           &changed.hook);
  struct Case {
    const char* drawer;
    const char* file;
    const char* contents;
  } cases[] = {{"Games:", "a.adf", "Games:a.adf"}, {"Games:Amiga", "b.adf", "Games:Amiga/b.adf"},
               {"Games:Amiga/", "", "Games:Amiga/"}};
  for (const Case& c : cases) {
    ostest::answerChoose(c.drawer, c.file);
    EXPECT_EQ(DoMethod(popasl, MUIM_Popstring_Open), 1);
    EXPECT_EQ(textAttr(popasl, MUIA_String_Contents), c.contents);
  }
  EXPECT_EQ(changed.calls.size(), std::size(cases));
  MUI_DisposeObject(popasl);
}

TEST_F(MuiPopasl, AStopHookThatDisposesThePopUpEndsTheOpeningCleanly) {
  RecordingHook stop(0);
  Object* popasl = makePopasl(nullptr, &stop);
  Object* window = MUI_NewObject("Group.mui", MUIA_Group_Child, popasl);
  stop.then = [&](Object*, void*) -> IPTR {
    MUI_DisposeObject(window);
    return 0;
  };
  ostest::answerChoose("Games:", "a.adf");
  EXPECT_EQ(DoMethod(popasl, MUIM_Popstring_Open), 1);
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
}

}  // namespace

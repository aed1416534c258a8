// Notifications: every matching set fires (also with an unchanged value),
// trigger values are substituted, actions may re-enter the engine, and a
// notification loop ends with an error instead of a hang.
#include <string>
#include <vector>

#include "os/mui/notification.h"
#include "tests/os/mui/mui_test_support.h"

namespace {

using MuiNotify = MuiTest;

// Installs: when `attr` of `source` is set to `trigger`, call the hook with
// the value that was set.
void notifyHook(Object* source, Tag attr, IPTR trigger, RecordingHook& hook) {
  DoMethod(source, MUIM_Notify, attr, trigger, MUIV_Notify_Self, 3, MUIM_CallHook, &hook.hook, MUIV_TriggerValue);
}

std::vector<IPTR> values(const RecordingHook& hook) {
  std::vector<IPTR> v;
  for (const auto& call : hook.calls) v.push_back(call.message[0]);
  return v;
}

TEST_F(MuiNotify, EverySetThatMatchesTheTriggerFiresEvenWithTheSameValue) {
  Object* image = MUI_NewObject("Image.mui", MUIA_InputMode, MUIV_InputMode_RelVerify);
  RecordingHook everyTime(1), released(1), selectedTrue(1);
  notifyHook(image, MUIA_Selected, MUIV_EveryTime, everyTime);
  notifyHook(image, MUIA_Pressed, 0, released);
  notifyHook(image, MUIA_Selected, -1, selectedTrue);  // TRUE as the program holds it
  SetAttrs(image, MUIA_Selected, 1);
  SetAttrs(image, MUIA_Selected, 1);
  SetAttrs(image, MUIA_Selected, -1);
  SetAttrs(image, MUIA_Selected, 0);
  DoMethod(image, MUIM_NoNotifySet, MUIA_Selected, 1);
  DoMethod(image, MUIM_Set, MUIA_Selected, 0);
  DoMethod(image, MUIM_Click);  // pressed 1, then 0
  DoMethod(image, MUIM_Click);
  EXPECT_EQ(values(everyTime), (std::vector<IPTR>{1, 1, 1, 0, 0}));
  EXPECT_EQ(values(selectedTrue), (std::vector<IPTR>{1, 1, 1}));
  EXPECT_EQ(values(released), (std::vector<IPTR>{0, 0}));
  // A disabled object takes no click.
  SetAttrs(image, MUIA_Disabled, 1);
  EXPECT_EQ(DoMethod(image, MUIM_Click), 0);
  EXPECT_EQ(released.calls.size(), 2u);
  DoMethod(image, MUIM_KillNotify, MUIA_Selected);
  SetAttrs(image, MUIA_Selected, 1);
  EXPECT_EQ(everyTime.calls.size(), 5u);
  MUI_DisposeObject(image);
}

TEST_F(MuiNotify, TriggerValuesAreReplacedInTheAction) {
  Object* tick = MUI_NewObject("Image.mui", MUIA_Image_Spec, MUII_CheckMark, MUIA_InputMode, MUIV_InputMode_Toggle);
  Object* follower = MUI_NewObject("Text.mui");
  Object* opposite = MUI_NewObject("Text.mui");
  Object* string = MUI_NewObject("String.mui");
  Object* echo = MUI_NewObject("Text.mui");
  DoMethod(tick, MUIM_Notify, MUIA_Selected, MUIV_EveryTime, follower, 3, MUIM_Set, MUIA_Disabled, MUIV_TriggerValue);
  DoMethod(tick, MUIM_Notify, MUIA_Selected, MUIV_EveryTime, opposite, 3, MUIM_Set, MUIA_Disabled,
           MUIV_NotTriggerValue);
  DoMethod(string, MUIM_Notify, MUIA_String_Contents, MUIV_EveryTime, echo, 3, MUIM_Set, MUIA_Text_Contents,
           MUIV_TriggerValue);
  struct Step {
    IPTR clicks;
    IPTR follower, opposite;
  } steps[] = {{1, 1, 0}, {1, 0, 1}, {2, 0, 1}, {3, 1, 0}};
  for (const Step& s : steps) {
    for (IPTR i = 0; i < s.clicks; ++i) DoMethod(tick, MUIM_Click);
    EXPECT_EQ(attr(follower, MUIA_Disabled), s.follower);
    EXPECT_EQ(attr(opposite, MUIA_Disabled), s.opposite);
  }
  SetAttrs(string, MUIA_String_Contents, "typed");
  EXPECT_EQ(textAttr(echo, MUIA_Text_Contents), "typed");
  SetAttrs(string, MUIA_String_Integer, 42);  // the contents follow, but only the integer was set
  EXPECT_EQ(textAttr(echo, MUIA_Text_Contents), "typed");
  for (Object* o : {tick, follower, opposite, string, echo}) MUI_DisposeObject(o);
}

TEST_F(MuiNotify, ActionsMayReenterTheEngine) {
  Object* slider = MUI_NewObject("Slider.mui", MUIA_Numeric_Max, 10);
  Object* text = MUI_NewObject("Text.mui");
  RecordingHook first(1), late(1), textChanged(1);
  int round = 0;
  // The first hook sets the slider again (a nested notification) and adds
  // a notification, which fires only from the next set on.
  first.then = [&](Object* o, void*) -> IPTR {
    if (++round == 1) {
      SetAttrs(o, MUIA_Numeric_Value, 7);
      notifyHook(o, MUIA_Numeric_Value, MUIV_EveryTime, late);
      SetAttrs(text, MUIA_Text_Contents, "changed");
    }
    return 0;
  };
  notifyHook(slider, MUIA_Numeric_Value, MUIV_EveryTime, first);
  notifyHook(text, MUIA_Text_Contents, MUIV_EveryTime, textChanged);
  SetAttrs(slider, MUIA_Numeric_Value, 3);
  EXPECT_EQ(values(first), (std::vector<IPTR>{3, 7}));
  EXPECT_TRUE(late.calls.empty());
  EXPECT_EQ(textChanged.calls.size(), 1u);
  SetAttrs(slider, MUIA_Numeric_Value, 99);  // kept within min..max, and notified so
  EXPECT_EQ(values(late), (std::vector<IPTR>{10}));
  MUI_DisposeObject(slider);
  MUI_DisposeObject(text);
}

TEST_F(MuiNotify, AnActionMayDisposeTheObjectsOfLaterActions) {
  Object* button = MUI_NewObject("Text.mui", MUIA_InputMode, MUIV_InputMode_RelVerify);
  Object* group = MUI_NewObject("Group.mui", MUIA_Group_Child, button);
  Object* target = MUI_NewObject("Text.mui");
  RecordingHook closer(0), after(0);
  closer.then = [&](Object*, void*) -> IPTR {
    MUI_DisposeObject(group);  // the window goes, with the button
    MUI_DisposeObject(target);
    return 0;
  };
  DoMethod(button, MUIM_Notify, MUIA_Pressed, 1, MUIV_Notify_Self, 2, MUIM_CallHook, &closer.hook);
  DoMethod(button, MUIM_Notify, MUIA_Pressed, 1, MUIV_Notify_Self, 2, MUIM_CallHook, &after.hook);
  DoMethod(button, MUIM_Notify, MUIA_Pressed, 1, target, 3, MUIM_Set, MUIA_Disabled, 1);
  DoMethod(button, MUIM_Click);  // the release of the click must not reach the disposed button
  EXPECT_EQ(closer.calls.size(), 1u);
  EXPECT_TRUE(after.calls.empty());
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
}

TEST_F(MuiNotify, ANotificationToAnObjectDisposedBeforeIsAFaultNotACrash) {
  Object* string = MUI_NewObject("String.mui");
  Object* gone = MUI_NewObject("Text.mui");
  DoMethod(string, MUIM_Notify, MUIA_String_Contents, MUIV_EveryTime, gone, 3, MUIM_Set, MUIA_Text_Contents,
           MUIV_TriggerValue);
  MUI_DisposeObject(gone);
  Object* reuse = MUI_NewObject("Text.mui");  // may take the old address: it must not get the set
  EXPECT_THROW(SetAttrs(string, MUIA_String_Contents, "x"), ostest::MuiError);
  EXPECT_EQ(textAttr(reuse, MUIA_Text_Contents), "");
  MUI_DisposeObject(reuse);
  MUI_DisposeObject(string);
}

TEST_F(MuiNotify, ANotificationLoopIsStoppedWithAnError) {
  // a.Selected -> b.Selected -> a.Selected ... with alternating values, so
  // every set matches again.
  Object* a = MUI_NewObject("Image.mui");
  Object* b = MUI_NewObject("Image.mui");
  DoMethod(a, MUIM_Notify, MUIA_Selected, MUIV_EveryTime, b, 3, MUIM_Set, MUIA_Selected, MUIV_NotTriggerValue);
  DoMethod(b, MUIM_Notify, MUIA_Selected, MUIV_EveryTime, a, 3, MUIM_Set, MUIA_Selected, MUIV_NotTriggerValue);
  ostest::recordMuiCalls(true);
  EXPECT_THROW(SetAttrs(a, MUIA_Selected, 1), ostest::MuiError);
  size_t sets = 0;
  for (const std::string& line : ostest::muiCalls()) sets += line.find(" set MUIA_Selected") != std::string::npos;
  EXPECT_EQ(sets, 1u + mui::MAX_NOTIFY_DEPTH);
  // Without strict mode the loop is reported, stopped, and the program goes on.
  ostest::setMuiStrict(false);
  SetAttrs(a, MUIA_Selected, 0);
  SetAttrs(a, MUIA_Selected, 1);
  EXPECT_EQ(ostest::muiFaults().size(), 3u);
  EXPECT_NE(ostest::muiFaults().back().find("a loop"), std::string::npos);
  MUI_DisposeObject(a);
  MUI_DisposeObject(b);
}

TEST_F(MuiNotify, TheCallLogShowsWhatReachedEachObject) {
  Object* string = MUI_NewObject("String.mui");
  Object* group = MUI_NewObject("Group.mui", MUIA_Group_Child, string);
  RecordingHook hook(0);
  ostest::recordMuiCalls(true);
  DoMethod(string, MUIM_Notify, MUIA_String_Acknowledge, MUIV_EveryTime, MUIV_Notify_Self, 2, MUIM_CallHook,
           &hook.hook);
  SetAttrs(group, MUIA_Disabled, 1);
  SetAttrs(string, MUIA_String_Contents, "a\"b", MUIA_String_Acknowledge, "a\"b");
  EXPECT_EQ(ostest::muiCallsOf(string), (std::vector<std::string>{
                                            "MUIM_Notify",
                                            "set MUIA_Disabled 1",
                                            "set MUIA_String_Contents \"a\\\"b\"",
                                            "set MUIA_String_Acknowledge \"a\\\"b\"",
                                            "MUIM_CallHook",
                                        }));
  EXPECT_EQ(ostest::muiCallsOf(group), (std::vector<std::string>{"set MUIA_Disabled 1"}));
  MUI_DisposeObject(group);
}

}  // namespace

// Making and disposing MUI objects: whole trees, missing classes, NIL
// children, calls on NIL and the strict mode.
#include <string>

#include "tests/os/mui/mui_test_support.h"

namespace {

using MuiObjects = MuiTest;

Object* labelledRow(const char* label) {
  return MUI_NewObject("Group.mui", MUIA_Group_Columns, 2, MUIA_Group_Child,
                       MUI_MakeObject(MUIO_Label, label, MUIO_Label_DoubleFrame), MUIA_Group_Child,
                       MUI_NewObject("String.mui", MUIA_String_MaxLen, 256));
}

TEST_F(MuiObjects, EveryClassIsMadeByNameAndAMissingOneGivesNil) {
  const char* classes[] = {"Notify.mui",   "Area.mui",    "Group.mui",     "Virtgroup.mui", "Rectangle.mui",
                           "Text.mui",     "Floattext.mui", "Image.mui",   "String.mui",    "Cycle.mui",
                           "Radio.mui",    "Numeric.mui", "Slider.mui",    "Scrollbar.mui", "Dtpic.mui",
                           "Bitmap.mui",   "Popstring.mui", "Popasl.mui"};
  for (const char* name : classes) {
    Object* o = MUI_NewObjectA(name, nullptr);
    EXPECT_NE(o, nullptr) << name;
    MUI_DisposeObject(o);
    ostest::markMuiClassMissing(name);
    EXPECT_EQ(MUI_NewObjectA(name, nullptr), nullptr) << name;
    ostest::restoreMuiClasses();
  }
  EXPECT_EQ(MUI_NewObjectA("NoSuch.mui", nullptr), nullptr);
  EXPECT_EQ(MUI_NewObjectA(nullptr, nullptr), nullptr);
  // A scroll group needs its contents.
  EXPECT_EQ(MUI_NewObject("Scrollgroup.mui"), nullptr);
}

TEST_F(MuiObjects, DisposingTheRootFreesTheWholeTree) {
  Object* root = MUI_NewObject("Group.mui", MUIA_Group_Child, labelledRow("Name"), MUIA_Group_Child,
                               MUI_NewObject("Scrollgroup.mui", MUIA_Scrollgroup_Contents,
                                             MUI_NewObject("Virtgroup.mui", MUIA_Group_Child, labelledRow("Path"))),
                               MUIA_Group_Child,
                               MUI_NewObject("Popasl.mui", MUIA_Popstring_String, MUI_NewObject("String.mui"),
                                             MUIA_Popstring_Button, MUI_MakeObject(MUIO_PopButton, MUII_PopFile)));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(ostest::liveMuiObjects(), 12);
  MUI_DisposeObject(root);
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
}

TEST_F(MuiObjects, ANilChildFailsTheCreationAndDisposesTheOtherChildren) {
  // The missing class makes one child NIL, anywhere in the tree; nothing of
  // what was made for it stays alive.
  for (const char* missing : {"String.mui", "Image.mui", "Virtgroup.mui", "Text.mui"}) {
    ostest::markMuiClassMissing(missing);
    Object* root = MUI_NewObject(
        "Group.mui", MUIA_Group_Child, labelledRow("Name"), MUIA_Group_Child,
        MUI_NewObject("Scrollgroup.mui", MUIA_Scrollgroup_Contents,
                      MUI_NewObject("Virtgroup.mui", MUIA_Group_Child, MUI_NewObject("Rectangle.mui"))),
        MUIA_Group_Child,
        MUI_NewObject("Popasl.mui", MUIA_Popstring_String, MUI_NewObject("String.mui"), MUIA_Popstring_Button,
                      MUI_MakeObject(MUIO_PopButton, MUII_PopFile)),
        MUIA_Group_Child, MUI_NewObject("Rectangle.mui"));
    EXPECT_EQ(root, nullptr) << missing;
    EXPECT_EQ(ostest::liveMuiObjects(), 0) << missing;
    ostest::restoreMuiClasses();
  }
}

TEST_F(MuiObjects, CallsOnNilDoNothingAndAreCounted) {
  IPTR v = 77;
  EXPECT_EQ(GetAttr(MUIA_Disabled, nullptr, &v), 0u);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(SetAttrs(nullptr, MUIA_Disabled, 1), 0u);
  EXPECT_EQ(DoMethod(nullptr, MUIM_Set, MUIA_Disabled, 1), 0);
  MUI_DisposeObject(nullptr);
  EXPECT_EQ(ostest::muiNilCalls(), 3);
}

TEST_F(MuiObjects, StrictModeRefusesWhatAClassDoesNotKnow) {
  Object* string = MUI_NewObject("String.mui");
  Object* text = MUI_NewObject("Text.mui");
  Object* inner = MUI_NewObject("Group.mui");
  Object* group = MUI_NewObject("Group.mui", MUIA_Group_Child, text, MUIA_Group_Child, inner);
  struct Case {
    const char* what;
    std::function<void()> call;
  } cases[] = {
      {"unknown tag at creation", [] { MUI_NewObject("String.mui", MUIA_Cycle_Active, 1); }},
      {"creation-only tag set later", [&] { SetAttrs(string, MUIA_String_MaxLen, 10); }},
      {"unknown tag set", [&] { SetAttrs(string, MUIA_Radio_Active, 1); }},
      {"set-only tag read", [&] { attr(string, MUIA_String_Acknowledge); }},
      {"unknown tag read", [&] { attr(string, MUIA_Group_Horiz); }},
      {"unknown method", [&] { DoMethod(string, MUIM_Popstring_Open); }},
      {"member added twice", [&] { DoMethod(group, OM_ADDMEMBER, text); }},
      {"child of another group",
       [&] { MUI_NewObject("Group.mui", MUIA_Group_Child, text, MUIA_Group_Child, MUI_NewObject("Rectangle.mui")); }},
      {"a member removed that is none", [&] { DoMethod(group, OM_REMMEMBER, string); }},
      {"a group added into itself", [&] { DoMethod(group, OM_ADDMEMBER, group); }},
      {"a group added below itself", [&] { DoMethod(inner, OM_ADDMEMBER, group); }},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(c.call(), ostest::MuiError) << c.what;
    EXPECT_EQ(ostest::liveMuiObjects(), 4) << c.what;  // nothing made on the way stays
  }
  EXPECT_EQ(ostest::muiFaults().size(), std::size(cases));
  // Without strict mode MUI ignores them; the object is made all the same.
  ostest::setMuiStrict(false);
  Object* lenient = MUI_NewObject("String.mui", MUIA_Cycle_Active, 1, MUIA_String_Contents, "x");
  ASSERT_NE(lenient, nullptr);
  EXPECT_EQ(textAttr(lenient, MUIA_String_Contents), "x");
  EXPECT_EQ(SetAttrs(lenient, MUIA_Radio_Active, 1), 1u);
  EXPECT_EQ(GetAttr(MUIA_Group_Horiz, lenient, nullptr), 0u);
  MUI_DisposeObject(lenient);
  MUI_DisposeObject(string);
  MUI_DisposeObject(group);
}

TEST_F(MuiObjects, CopiedTextsAreTheObjectsOwnAndBorrowedOnesStayTheCallers) {
  char contents[] = "first";
  char help[] = "help";
  Object* text = MUI_NewObject("Text.mui", MUIA_Text_Contents, contents, MUIA_ShortHelp, help);
  contents[0] = 'F';
  EXPECT_EQ(textAttr(text, MUIA_Text_Contents), "first");
  EXPECT_EQ(attr(text, MUIA_ShortHelp), reinterpret_cast<IPTR>(help));
  // A text handed out stays valid while other attributes come and go, and a
  // text set from the object's own text survives the replacement.
  const char* shown = reinterpret_cast<const char*>(attr(text, MUIA_Text_Contents));
  SetAttrs(text, MUIA_Text_PreParse, "\033c", MUIA_UserData, 5, MUIA_Weight, 0);
  EXPECT_STREQ(shown, "first");
  SetAttrs(text, MUIA_Text_Contents, shown);
  EXPECT_EQ(textAttr(text, MUIA_Text_Contents), "first");
  MUI_DisposeObject(text);
}

TEST_F(MuiObjects, TrueIsKeptAsOne) {
  Object* image = MUI_NewObject("Image.mui", MUIA_Selected, -1, MUIA_Disabled, 5);
  EXPECT_EQ(attr(image, MUIA_Selected), 1);
  EXPECT_EQ(attr(image, MUIA_Disabled), 1);
  SetAttrs(image, MUIA_Selected, 0);
  EXPECT_EQ(attr(image, MUIA_Selected), 0);
  MUI_DisposeObject(image);
}

}  // namespace

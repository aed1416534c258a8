// The TextEditor class: the exported text (with or without style codes) in a
// block the caller frees, the has-changed flag the user's edits set, the
// attributes the program gives, and a missing class.
#include "os/exec/memory.h"
#include "os/mui/classes/shown_text.h"
#include "os/mui/driver/user_actions.h"
#include "os/mui/object.h"
#include "tests/os/mui/mui_test_support.h"

namespace {

using MuiTextEditor = MuiTest;

std::string exported(Object* editor) {
  char* text = reinterpret_cast<char*>(DoMethod(editor, MUIM_TextEditor_ExportText));
  if (!text) return "(NIL)";
  std::string copy = text;
  FreeVec(text);
  return copy;
}

TEST_F(MuiTextEditor, ExportGivesABlockTheCallerFreesWithOrWithoutStyleCodes) {
  const size_t blocksBefore = ostest::liveAllocVecBlocks();
  const char* styled = "\033bBold\033n line\nsecond \033P[2]pen";
  const struct {
    IPTR hook;
    const char* contents;
    const char* text;
  } cases[] = {
      {MUIV_TextEditor_ExportHook_Plain, styled, styled},
      {MUIV_TextEditor_ExportHook_NoStyle, styled, "Bold line\nsecond pen"},
      {MUIV_TextEditor_ExportHook_NoStyle, nullptr, ""},
      {MUIV_TextEditor_ExportHook_NoStyle, "", ""},
  };
  for (const auto& c : cases) {
    Object* editor = MUI_NewObject("TextEditor.mcc", MUIA_TextEditor_Contents, c.contents,
                                   MUIA_TextEditor_ExportHook, c.hook);
    ASSERT_NE(editor, nullptr);
    char* text = reinterpret_cast<char*>(DoMethod(editor, MUIM_TextEditor_ExportText));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, c.text);
    // The block is the caller's until it gives it back: not giving it back shows.
    EXPECT_EQ(ostest::liveAllocVecBlocks(), blocksBefore + 1);
    FreeVec(text);
    EXPECT_EQ(ostest::liveAllocVecBlocks(), blocksBefore);
    MUI_DisposeObject(editor);
  }
}

TEST_F(MuiTextEditor, EditsSetHasChangedEachTimeAndTheProgramClearsIt) {
  Object* slider = MUI_NewObject("Scrollbar.mui");
  Object* editor = MUI_NewObject("TextEditor.mcc", MUIA_TextEditor_Contents, "old", MUIA_TextEditor_ExportHook,
                                 MUIV_TextEditor_ExportHook_NoStyle, MUIA_Font, MUIV_Font_Fixed,
                                 MUIA_TextEditor_FixedFont, 1);
  Object* group = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, editor, MUIA_Group_Child, slider);
  ASSERT_NE(group, nullptr);
  SetAttrs(editor, MUIA_TextEditor_Slider, slider, MUIA_TextEditor_InVirtualGroup, 1);
  RecordingHook changed(1);
  DoMethod(editor, MUIM_Notify, MUIA_TextEditor_HasChanged, 1, editor, 3, MUIM_CallHook, &changed.hook,
           MUIV_TriggerValue);
  // The program's own set of the contents is no edit.
  SetAttrs(editor, MUIA_TextEditor_Contents, "set by the program");
  EXPECT_TRUE(changed.calls.empty());
  EXPECT_EQ(attr(editor, MUIA_TextEditor_HasChanged), 0);

  auto* user = dynamic_cast<mui::TextUserActions*>(editor);
  ASSERT_NE(user, nullptr);
  user->userEditText("typed\nby the user");
  ASSERT_EQ(changed.calls.size(), 1u);
  EXPECT_EQ(changed.calls[0].message[0], 1);
  EXPECT_EQ(exported(editor), "typed\nby the user");
  EXPECT_EQ(user->userText(), "typed\nby the user");
  EXPECT_EQ(ostest::dumpMuiTree(group),
            "Group(H)[TextEditor(fixedtext,changed,virtual,fixedfont) \"typed\\nby the user\" Scrollbar]");
  SetAttrs(editor, MUIA_TextEditor_HasChanged, 0);  // the program has seen it
  user->userEditText("again");
  EXPECT_EQ(changed.calls.size(), 2u);
  // An edit while the flag is still 1 notifies again, too.
  user->userEditText("and again");
  EXPECT_EQ(changed.calls.size(), 3u);
  EXPECT_EQ(attr(editor, MUIA_TextEditor_Slider), reinterpret_cast<IPTR>(slider));
  MUI_DisposeObject(group);

  ostest::markMuiClassMissing("TextEditor.mcc");
  EXPECT_EQ(MUI_NewObject("TextEditor.mcc", MUIA_TextEditor_Contents, "x"), nullptr);
}

TEST_F(MuiTextEditor, ShownTextDropsTheTextEnginesCodes) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"plain", "plain"},         {"\033c\033bTitle", "Title"},  {"\0338grey", "grey"},
      {"a\033I[6:12]b", "ab"},    {"open\033I[6", "open"},       {"end\033", "end"},
      {nullptr, ""},              {"tab\there", "tab\there"},
  };
  for (const auto& c : cases) EXPECT_EQ(mui::shownText(c.text), c.shown) << (c.text ? c.text : "NIL");
}

}  // namespace

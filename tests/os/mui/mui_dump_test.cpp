// The dump of an object tree, as golden tests of built windows read it.
#include <string>

#include "tests/os/mui/mui_test_support.h"
#include "tests/support/dos_sandbox.h"

namespace {

using MuiDump = MuiTest;

Object* label(const char* text) { return MUI_MakeObject(MUIO_Label, text, MUIO_Label_DoubleFrame); }
Object* space() { return MUI_MakeObject(MUIO_HSpace, 0); }

TEST_F(MuiDump, ASmallWindowTreeReadsAsItIsBuilt) {
  DosSandbox box;
  box.writeFile("pic.iff", "FORM");
  static const char* kinds[] = {"Disk", "Folder", nullptr};
  Object* button = MUI_NewObject(
      "Group.mui", MUIA_Background, MUII_ButtonBack, MUIA_Frame, MUIV_Frame_Button, MUIA_InputMode,
      MUIV_InputMode_RelVerify, MUIA_Group_Child,
      MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Frame, 0, MUIA_Group_Child,
                    MUI_NewObject("Dtpic.mui", MUIA_Dtpic_Name, "Sandbox:pic.iff"), MUIA_Group_Child,
                    MUI_MakeObject(MUIO_Label, "Start", MUIO_Label_FreeVert), MUIA_Group_Child,
                    MUI_NewObject("Text.mui", MUIA_InnerLeft, 0, MUIA_InnerRight, 0)));
  Object* root = MUI_NewObject(
      "Group.mui", MUIA_Group_Horiz, 0, MUIA_Group_PageMode, 0, MUIA_Group_SameSize, 0, MUIA_Frame,
      MUIV_Frame_Group, MUIA_FrameTitle, "Game",
      MUIA_Group_Child,
      MUI_NewObject("Group.mui", MUIA_Group_Columns, 2, MUIA_Group_Child, label("Name"), MUIA_Group_Child,
                    MUI_NewObject("String.mui", MUIA_Frame, MUIV_Frame_String, MUIA_String_Contents, "Lemmings"),
                    MUIA_Group_Child, label("Kind"), MUIA_Group_Child,
                    MUI_NewObject("Cycle.mui", MUIA_Cycle_Entries, kinds, MUIA_Cycle_Active, 1),
                    MUIA_Group_Child, label("Played"), MUIA_Group_Child,
                    MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child,
                                  MUI_NewObject("Slider.mui", MUIA_Numeric_Min, 0, MUIA_Numeric_Max, 9,
                                                MUIA_Numeric_Value, 3),
                                  MUIA_Group_Child, label("times"))),
      MUIA_Group_Child,
      MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child,
                    MUI_NewObject("Image.mui", MUIA_Image_Spec, MUII_CheckMark, MUIA_Selected, 1), MUIA_Group_Child,
                    space()),
      MUIA_Group_Child,
      MUI_NewObject("Rectangle.mui", MUIA_Rectangle_HBar, 1, MUIA_FixHeight, 8, MUIA_Rectangle_BarTitle, "Files"),
      MUIA_Group_Child,
      MUI_NewObject("Popasl.mui", MUIA_Popstring_String, MUI_NewObject("String.mui", MUIA_String_Contents, "Work:"),
                    MUIA_Popstring_Button, MUI_MakeObject(MUIO_PopButton, MUII_PopDrawer)),
      MUIA_Group_Child,
      MUI_NewObject("Scrollgroup.mui", MUIA_Scrollgroup_UseWinBorder, 0, MUIA_Scrollgroup_Contents,
                    MUI_NewObject("Virtgroup.mui", MUIA_Frame, MUIV_Frame_Virtual, MUIA_Group_Child,
                                  MUI_NewObject("Floattext.mui", MUIA_Floattext_Text, "Two\nlines", MUIA_Font,
                                                MUIV_Font_Fixed))),
      MUIA_Group_Child,
      MUI_NewObject("Group.mui", MUIA_Group_PageMode, 1, MUIA_Group_ActivePage, 1, MUIA_Group_Child,
                    MUI_NewObject("Text.mui", MUIA_Text_PreParse, "\033c", MUIA_Text_Contents, "\"Quoted\""),
                    MUIA_Group_Child,
                    MUI_NewObject("Dtpic.mui", MUIA_Dtpic_Name, "Sandbox:missing.iff", MUIA_Disabled, 1)),
      MUIA_Group_Child,
      MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, button, MUIA_Group_Child,
                    MUI_NewObject("Bitmap.mui", MUIA_Bitmap_Width, 160, MUIA_Bitmap_Height, 128, MUIA_FixWidth, 160,
                                  MUIA_FixHeight, 128, MUIA_Weight, 0),
                    MUIA_Group_Child, MUI_NewObject("Rectangle.mui", MUIA_FixHeight, 35)));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(ostest::dumpMuiTree(root),
            "Group(V,frame=group,title=\"Game\")["
            "Group(cols=2)[Label \"Name\" String \"Lemmings\" Label \"Kind\" Cycle \"Folder\" "
            "Label \"Played\" Group(H)[Slider(0..9) \"3\" Label \"times\"]] "
            "Group(H)[CheckMark(on) HSpace] "
            "Rectangle(hbar,fixh=8) \"Files\" "
            "Popasl[String \"Work:\" PopButton(drawer)] "
            "Scrollgroup[Virtgroup(V,frame=virtual)[Floattext(fixedfont) \"Two\\nlines\"]] "
            "Group(page=1)[Text \"\\ec\\\"Quoted\\\"\" Dtpic(empty,disabled) \"Sandbox:missing.iff\"] "
            "Group(H)[Group(V,frame=button)[Group(H)[Dtpic \"Sandbox:pic.iff\" Label \"Start\" Text \"\"]] "
            "Bitmap(160x128,empty,fixw=160,fixh=128,weight=0) Rectangle(filler,fixh=35)]]");
  MUI_DisposeObject(root);
}

}  // namespace

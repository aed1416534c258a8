// muimaster.library, hosted: MUI's object engine and its classes, in process
// and headless. Objects are made by class name ("Group.mui", "String.mui",
// ...), take attributes at creation and through SetAttrsA, answer GetAttr and
// methods through DoMethodA, and notify on attribute changes (MUIM_Notify).
// Where MUI publishes a number for a name it is used here; every other name
// takes a number from this system's own range (os/intuition/objects.h).
#pragma once
#include <cstdint>

#include "os/intuition/objects.h"
#include "os/mui/mui_windows.h"

// ---------------------------------------------------------------------------
// Calls

// A new object of the named class set up by the tags, or NIL when the class is
// missing or the object cannot be made (a NIL child among the tags: the other
// children given are disposed then).
Object* MUI_NewObjectA(const char* className, const TagItem* tags);
// A ready-made object of a kind (MUIO_...); params as that kind documents.
Object* MUI_MakeObjectA(uint32_t kind, const IPTR* params);
// Disposes the object with everything it holds (its children, and for a group
// or window its whole tree). An object still inside a group leaves it first.
// NIL is ignored.
void MUI_DisposeObject(Object* object);

template <typename... A>
Object* MUI_NewObject(const char* className, A... pairs) {
  const IPTR words[] = {toIPTR(pairs)..., 0};
  const std::vector<TagItem> tags = tagListFromPairs(words, sizeof...(A));
  return MUI_NewObjectA(className, tags.data());
}
template <typename... A>
Object* MUI_MakeObject(uint32_t kind, A... params) {
  const IPTR words[] = {toIPTR(params)..., 0};
  return MUI_MakeObjectA(kind, words);
}

// ---------------------------------------------------------------------------
// Methods

constexpr uint32_t MUIM_Notify = 0x8042c9cb;  // {attr, trigger, destination, count, action...}
constexpr uint32_t MUIM_CallHook = OWN_METHOD_BASE + 0x01;     // {hook, words...}: hook(hook, object, &words)
constexpr uint32_t MUIM_Set = OWN_METHOD_BASE + 0x02;          // {attr, value}: a set that notifies
constexpr uint32_t MUIM_NoNotifySet = OWN_METHOD_BASE + 0x03;  // {attr, value}: a set that does not
constexpr uint32_t MUIM_KillNotify = OWN_METHOD_BASE + 0x04;   // {attr}: drops the notifications on attr
constexpr uint32_t MUIM_Group_InitChange = OWN_METHOD_BASE + 0x05;  // {} before members change
constexpr uint32_t MUIM_Group_ExitChange = OWN_METHOD_BASE + 0x06;  // {} after
// {}: a pop-up opens its requester: Popasl calls its start hook with a tag list
// (room for 16 items, all TAG_DONE), shows a file requester made with those tags
// and, when the user chose something, calls its stop hook with the requester.
// Answers 1 when the user chose something.
constexpr uint32_t MUIM_Popstring_Open = OWN_METHOD_BASE + 0x07;
// {text}: the user types the text at the end of a string: only accepted
// characters, and no more than max length - 1 in all. Answers the number taken.
constexpr uint32_t MUIM_String_Type = OWN_METHOD_BASE + 0x08;
// {}: what a click of the user does to an area: one in release-verify input
// mode is pressed (MUIA_Pressed 1, then 0), one in toggle mode changes
// MUIA_Selected. A disabled object takes no click. Answers 1 when it took it.
constexpr uint32_t MUIM_Click = OWN_METHOD_BASE + 0x09;

// Special values
constexpr IPTR MUIV_EveryTime = 0x49893131;        // trigger: every set
constexpr IPTR MUIV_TriggerValue = 0x49893131;     // action word: the value that was set
constexpr IPTR MUIV_NotTriggerValue = 0x49893133;  // action word: its negation (1 for 0, else 0)
constexpr IPTR MUIV_Notify_Self = OWN_VALUE_BASE + 0x01;         // destination: the notifying object
constexpr IPTR MUIV_Notify_Window = OWN_VALUE_BASE + 0x02;       // its window
constexpr IPTR MUIV_Notify_Application = OWN_VALUE_BASE + 0x03;  // its application

// ---------------------------------------------------------------------------
// Attributes of every object (Notify.mui) and every area (Area.mui)

constexpr Tag MUIA_UserData = 0x80420313;
constexpr Tag MUIA_Disabled = 0x80423661;
constexpr Tag MUIA_ShortHelp = 0x80428fe3;  // text, borrowed
constexpr Tag MUIA_Weight = 0x80421d1f;
constexpr Tag MUIA_FixWidth = 0x8042a3f1;
constexpr Tag MUIA_FixHeight = 0x8042a92b;
constexpr Tag MUIA_ShowMe = OWN_ATTRIBUTE_BASE + 0x01;
constexpr Tag MUIA_ControlChar = OWN_ATTRIBUTE_BASE + 0x02;
constexpr Tag MUIA_Pressed = 0x80423535;
constexpr Tag MUIA_Selected = 0x8042654b;
constexpr Tag MUIA_Background = 0x8042545b;
constexpr Tag MUIA_Frame = 0x8042ac64;
constexpr Tag MUIA_FrameTitle = 0x8042d1c7;  // text, borrowed
constexpr Tag MUIA_Font = 0x8042be50;
constexpr Tag MUIA_InnerLeft = 0x804228f8;
constexpr Tag MUIA_InnerRight = 0x804297ff;
constexpr Tag MUIA_InnerTop = 0x80421eb6;
constexpr Tag MUIA_InnerBottom = 0x8042f2c0;
constexpr Tag MUIA_InputMode = 0x8042fb04;
constexpr Tag MUIA_ShowSelState = 0x8042caac;

constexpr IPTR MUIV_Frame_None = 0;  // as a group inside a button is given
constexpr IPTR MUIV_Frame_Button = 1;
constexpr IPTR MUIV_Frame_ImageButton = 2;
constexpr IPTR MUIV_Frame_Text = 3;
constexpr IPTR MUIV_Frame_String = 4;
constexpr IPTR MUIV_Frame_Group = 9;
constexpr IPTR MUIV_Frame_Virtual = 11;
constexpr IPTR MUIV_Frame_ReadList = OWN_VALUE_BASE + 0x10;
constexpr IPTR MUIV_Frame_InputList = OWN_VALUE_BASE + 0x11;

constexpr IPTR MUIV_InputMode_RelVerify = 1;
constexpr IPTR MUIV_InputMode_Toggle = 3;

constexpr IPTR MUIV_Font_Fixed = -4;

// Images (MUIA_Image_Spec, MUIA_Background, MUIO_PopButton)
constexpr IPTR MUII_ButtonBack = 2;
constexpr IPTR MUII_TextBack = 4;
constexpr IPTR MUII_CheckMark = 15;
constexpr IPTR MUII_PopFile = 19;
constexpr IPTR MUII_PopDrawer = 20;

// ---------------------------------------------------------------------------
// Group.mui, Virtgroup.mui, Scrollgroup.mui

constexpr Tag MUIA_Group_Child = 0x804226e6;  // creation only, one tag per child (owned)
constexpr Tag MUIA_Group_Horiz = 0x8042536b;
constexpr Tag MUIA_Group_Columns = 0x8042f416;
constexpr Tag MUIA_Group_SameSize = 0x80420860;
constexpr Tag MUIA_Group_PageMode = 0x80421a5f;
constexpr Tag MUIA_Group_ActivePage = 0x80424199;  // clamped to the pages there are
constexpr Tag MUIA_Group_Forward = 0x80421422;     // 0: sets stay with the group
constexpr Tag MUIA_Scrollgroup_Contents = 0x80421261;  // the virtual group (owned)
constexpr Tag MUIA_Scrollgroup_UseWinBorder = 0x804284c1;

// ---------------------------------------------------------------------------
// Rectangle.mui, Text.mui, Floattext.mui, Image.mui

constexpr Tag MUIA_Rectangle_HBar = 0x8042c943;
constexpr Tag MUIA_Rectangle_VBar = 0x80422204;
constexpr Tag MUIA_Rectangle_BarTitle = 0x80426689;  // text, borrowed
constexpr Tag MUIA_Text_Contents = 0x8042f8dc;       // text, copied
constexpr Tag MUIA_Text_PreParse = 0x8042566d;       // text, copied
constexpr Tag MUIA_Text_SetVMax = 0x80420d8b;
constexpr Tag MUIA_Floattext_Text = 0x8042d16a;  // text, copied
constexpr Tag MUIA_Image_Spec = 0x804233d5;
constexpr Tag MUIA_Image_FreeVert = 0x8042ea28;

// ---------------------------------------------------------------------------
// String.mui

constexpr Tag MUIA_String_Contents = 0x80428ffd;  // text, copied; NIL reads as ""
constexpr Tag MUIA_String_Integer = 0x80426e8a;   // the same text read as a number
constexpr Tag MUIA_String_MaxLen = 0x80424984;    // the text holds at most MaxLen - 1 characters
constexpr Tag MUIA_String_Accept = 0x8042e3e1;    // characters typing may enter (copied; NIL: all)
constexpr Tag MUIA_String_Acknowledge = 0x8042026c;  // set with the contents when the user presses Return
constexpr IPTR MUI_STRING_DEFAULT_MAXLEN = 80;

// ---------------------------------------------------------------------------
// Cycle.mui, Radio.mui, Numeric.mui / Slider.mui, Scrollbar.mui

constexpr Tag MUIA_Cycle_Entries = 0x80420629;  // NIL-ended array of texts, borrowed
constexpr Tag MUIA_Cycle_Active = 0x80421788;   // clamped to the entries there are
constexpr Tag MUIA_Radio_Entries = 0x8042b6a1;  // NIL-ended array of texts, borrowed
constexpr Tag MUIA_Radio_Active = 0x80429b41;   // clamped to the entries there are
constexpr Tag MUIA_Numeric_Min = 0x8042e404;
constexpr Tag MUIA_Numeric_Max = 0x8042d78a;
constexpr Tag MUIA_Numeric_Value = 0x8042ae3a;  // clamped into min..max

// ---------------------------------------------------------------------------
// Dtpic.mui, Bitmap.mui

constexpr Tag MUIA_Dtpic_Name = 0x80423d72;  // the picture's path (copied)
constexpr Tag MUIA_Bitmap_Bitmap = OWN_ATTRIBUTE_BASE + 0x10;  // borrowed
constexpr Tag MUIA_Bitmap_Width = OWN_ATTRIBUTE_BASE + 0x11;
constexpr Tag MUIA_Bitmap_Height = OWN_ATTRIBUTE_BASE + 0x12;
constexpr Tag MUIA_Bitmap_UseFriend = OWN_ATTRIBUTE_BASE + 0x13;

// ---------------------------------------------------------------------------
// Popstring.mui, Popasl.mui

constexpr Tag MUIA_Popstring_String = 0x804239ea;  // the string object (owned)
constexpr Tag MUIA_Popstring_Button = 0x8042d0b9;  // the button object (owned)
constexpr Tag MUIA_Popasl_Type = 0x8042df3d;       // 0: file requester
constexpr Tag MUIA_Popasl_StartHook = 0x8042b703;  // hook(hook, popasl, TagItem*) -> open?
constexpr Tag MUIA_Popasl_StopHook = 0x8042d8d2;   // hook(hook, popasl, FileRequester*)
constexpr Tag MUIA_Popasl_Active = OWN_ATTRIBUTE_BASE + 0x20;  // 1 while the requester is open

// ---------------------------------------------------------------------------
// MUI_MakeObjectA kinds

// {text, flags}: a label (a Text object) for a field.
constexpr uint32_t MUIO_Label = OWN_MAKE_BASE + 0x01;
constexpr IPTR MUIO_Label_DoubleFrame = 512;
constexpr IPTR MUIO_Label_FreeVert = 4096;
// {space}: empty space (0: flexible), horizontal or vertical.
constexpr uint32_t MUIO_HSpace = OWN_MAKE_BASE + 0x02;
constexpr uint32_t MUIO_VSpace = OWN_MAKE_BASE + 0x03;
// {image}: the small button of a pop-up (MUII_PopFile, MUII_PopDrawer).
constexpr uint32_t MUIO_PopButton = OWN_MAKE_BASE + 0x04;

// The list and text-editor classes.
#include "os/mui/mui_lists.h"

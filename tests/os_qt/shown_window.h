// A window for the display tests, made straight through MUI calls with the
// engine's real classes: labelled fields in columns, a check mark, a cycle,
// radio buttons, a slider, a pop-up, a text editor, pages, a titled frame, a
// scroll group, a list with rows, buttons (one in a disabled group) and a
// filler beside them, a help text and a hidden text. The notifications a
// program would install write a line each to `log`, in the order they fire.
#pragma once
#include <string>
#include <vector>

#include "os/dos/dos.h"
#include "os/mui/mui_class.h"
#include "os/workbench/app_message.h"
#include "tests/os/mui/nlist_support.h"

struct ShownWindow {
  std::vector<std::string> log;
  RowHooks rows;
  Object *app, *window, *name, *kind, *mode, *played, *hide, *path, *notes, *pages, *frame, *scroll, *listview, *list,
      *save, *erase, *help, *hidden, *bar;

  struct LogHook {
    Hook hook{};
    ShownWindow* owner;
    std::string what;
  };
  std::vector<LogHook*> hooks;

  static IPTR logValue(Hook* h, void*, void* message) {
    auto* self = static_cast<LogHook*>(h->h_Data);
    self->owner->log.push_back(self->what + " " + std::to_string(static_cast<long>(static_cast<IPTR*>(message)[0])));
    return 0;
  }
  static IPTR logText(Hook* h, void*, void* message) {
    auto* self = static_cast<LogHook*>(h->h_Data);
    self->owner->log.push_back(self->what + " " + reinterpret_cast<const char*>(static_cast<IPTR*>(message)[0]));
    return 0;
  }
  static IPTR logDrop(Hook* h, void*, void* message) {
    auto* self = static_cast<LogHook*>(h->h_Data);
    const auto* am = reinterpret_cast<const AppMessage*>(static_cast<IPTR*>(message)[0]);
    std::string line = "drop";
    for (int32_t i = 0; i < am->am_NumArgs; ++i) {
      char drawer[256];
      NameFromLock(am->am_ArgList[i].wa_Lock, drawer, sizeof drawer);
      line += std::string(" [") + drawer + "|" + am->am_ArgList[i].wa_Name + "]";
    }
    self->owner->log.push_back(line);
    return 0;
  }
  void notify(Object* o, Tag attribute, IPTR trigger, const char* what, IPTR (*entry)(Hook*, void*, void*) = logValue) {
    hooks.push_back(new LogHook{{}, this, what});
    hooks.back()->hook.h_Entry = entry;
    hooks.back()->hook.h_Data = hooks.back();
    DoMethod(o, MUIM_Notify, attribute, trigger, MUIV_Notify_Self, 3, MUIM_CallHook, &hooks.back()->hook,
             MUIV_TriggerValue);
  }

  static Object* label(const char* text) { return MUI_MakeObject(MUIO_Label, text, 0); }
  static Object* button(const char* text) {
    return MUI_NewObject("Group.mui", MUIA_Frame, MUIV_Frame_Button, MUIA_InputMode, MUIV_InputMode_RelVerify,
                         MUIA_Group_Child, MUI_MakeObject(MUIO_Label, text, MUIO_Label_FreeVert));
  }

  explicit ShownWindow(size_t rowCount = 3) {
    static const char* kinds[] = {"Disk", "Folder", "Archive", nullptr};
    static const char* modes[] = {"Window", "Screen", nullptr};
    Object* root = MUI_NewObject(
        "Group.mui",
        MUIA_Group_Child,
        MUI_NewObject(
            "Group.mui", MUIA_Group_Columns, 2,
            MUIA_Group_Child, label("Name"),
            MUIA_Group_Child, name = MUI_NewObject("String.mui", MUIA_String_MaxLen, 12),
            MUIA_Group_Child, label("Kind"),
            MUIA_Group_Child, kind = MUI_NewObject("Cycle.mui", MUIA_Cycle_Entries, kinds),
            MUIA_Group_Child, label("Mode"),
            MUIA_Group_Child, mode = MUI_NewObject("Radio.mui", MUIA_Radio_Entries, modes),
            MUIA_Group_Child, label("Played"),
            MUIA_Group_Child, played = MUI_NewObject("Slider.mui", MUIA_Numeric_Max, 9),
            MUIA_Group_Child, label("Hide"),
            MUIA_Group_Child,
            hide = MUI_NewObject("Image.mui", MUIA_Image_Spec, MUII_CheckMark, MUIA_InputMode, MUIV_InputMode_Toggle),
            MUIA_Group_Child, label("Path"),
            MUIA_Group_Child,
            path = MUI_NewObject("Popasl.mui", MUIA_Popstring_String, MUI_NewObject("String.mui"),
                                 MUIA_Popstring_Button, MUI_MakeObject(MUIO_PopButton, MUII_PopFile)),
            MUIA_Group_Child, label("Notes"),
            MUIA_Group_Child, notes = MUI_NewObject("TextEditor.mcc")),
        MUIA_Group_Child, bar = MUI_NewObject("Rectangle.mui", MUIA_Rectangle_HBar, 1),
        MUIA_Group_Child,
        pages = MUI_NewObject("Group.mui", MUIA_Group_PageMode, 1, MUIA_Group_Child,
                              help = MUI_NewObject("Text.mui", MUIA_Text_Contents, "\033cFirst page", MUIA_ShortHelp,
                                                   "What the first page holds"),
                              MUIA_Group_Child, MUI_NewObject("Text.mui", MUIA_Text_Contents, "Second page")),
        MUIA_Group_Child,
        frame = MUI_NewObject("Group.mui", MUIA_FrameTitle, "Games", MUIA_Group_Child,
                              listview = makeRowList(rows, MUIV_NList_MultiSelect_Default)),
        MUIA_Group_Child,
        scroll = MUI_NewObject("Scrollgroup.mui", MUIA_Scrollgroup_Contents,
                               MUI_NewObject("Virtgroup.mui", MUIA_Group_Child,
                                             MUI_NewObject("Floattext.mui", MUIA_Floattext_Text, "A long text"))),
        MUIA_Group_Child, hidden = MUI_NewObject("Text.mui", MUIA_Text_Contents, "Hidden", MUIA_ShowMe, 0),
        MUIA_Group_Child,
        MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, save = button("Save"), MUIA_Group_Child,
                      MUI_NewObject("Group.mui", MUIA_Disabled, 1, MUIA_Group_Child, erase = button("Delete")),
                      MUIA_Group_Child, MUI_NewObject("Rectangle.mui")));
    list = listOfView(listview);
    for (size_t i = 0; i < rowCount; ++i)
      insertRow(list, "game " + std::to_string(100000 + i), std::to_string(i), MUIV_NList_Insert_Bottom);
    window = MUI_NewObject("Window.mui", MUIA_Window_Title, "Edit game", MUIA_Window_ID, 0x45444954,
                           MUIA_Window_AppWindow, 1, MUIA_Window_RootObject, root);
    app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Test");
    notify(window, MUIA_Window_CloseRequest, 1, "close");
    notify(window, MUIA_AppMessage, MUIV_EveryTime, "drop", logDrop);
    notify(name, MUIA_String_Acknowledge, MUIV_EveryTime, "Name ack", logText);
    notify(kind, MUIA_Cycle_Active, MUIV_EveryTime, "Kind");
    notify(mode, MUIA_Radio_Active, MUIV_EveryTime, "Mode");
    notify(played, MUIA_Numeric_Value, MUIV_EveryTime, "Played");
    notify(hide, MUIA_Selected, MUIV_EveryTime, "Hide");
    notify(save, MUIA_Pressed, 0, "Save");
    notify(erase, MUIA_Pressed, 0, "Delete");
    notify(list, MUIA_NList_Active, MUIV_EveryTime, "Active");
    notify(list, MUIA_NList_DoubleClick, MUIV_EveryTime, "DoubleClick");
    notify(list, MUIA_NList_TitleClick, MUIV_EveryTime, "TitleClick");
    DoMethod(app, OM_ADDMEMBER, window);
    SetAttrs(window, MUIA_Window_Open, 1);
  }
  ~ShownWindow() {
    MUI_DisposeObject(app);
    for (LogHook* h : hooks) delete h;
  }
};

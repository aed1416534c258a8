// A small program window for the driver and UI script tests, made with the
// engine as the toolkit makes its windows: labelled fields in two columns,
// a list in a framed group, buttons in a row. Every notification a program
// would install writes a line to `log`, in the order they fire.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "os/commodities/commodities.h"
#include "os/dos/dos.h"
#include "os/exec/signals.h"
#include "os/mui/driver/user_actions.h"
#include "os/mui/live_objects.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"
#include "os/workbench/app_message.h"
#include "tests/os/mui/mui_test_support.h"

// A list of rows for the driver, as the list class provides one.
class TestList : public Object, public mui::ListUserActions {
 public:
  std::vector<std::string> rows;
  long active = -1;
  std::vector<std::string>* log = nullptr;

  static TestList* make(std::vector<std::string> rows, std::vector<std::string>* log) {
    auto* list = new TestList;
    list->muiClass = &mui::areaClass;
    mui::registerObject(list);
    list->rows = std::move(rows);
    list->log = log;
    return list;
  }
  size_t userRowCount() const override { return rows.size(); }
  size_t userColumnCount() const override { return 2; }
  std::string userRowText(size_t row) const override { return rows[row]; }
  long userActiveRow() const override { return active; }
  void userClickRow(size_t row, mui::RowClick how) override {
    active = static_cast<long>(row);
    const char* kinds[] = {"", " shift", " ctrl"};
    log->push_back("row " + std::to_string(row) + kinds[static_cast<int>(how)]);
  }
  void userDoubleClickRow(size_t row) override {
    active = static_cast<long>(row);
    log->push_back("double-click " + std::to_string(row));
  }
  void userMoveToRow(size_t row) override {
    active = static_cast<long>(row);
    log->push_back("move " + std::to_string(row));
  }
  void userClickTitle(size_t column) override { log->push_back("title " + std::to_string(column)); }
};

// A text editor for the driver, as the editor class provides one.
class TestEditor : public Object, public mui::TextUserActions {
 public:
  std::string text;
  std::vector<std::string>* log = nullptr;

  static TestEditor* make(std::vector<std::string>* log) {
    auto* editor = new TestEditor;
    editor->muiClass = &mui::areaClass;
    mui::registerObject(editor);
    editor->log = log;
    return editor;
  }
  std::string userText() const override { return text; }
  void userEditText(const char* typed) override {
    text = typed;
    log->push_back("edited " + text);
  }
};

struct TestWindow {
  std::vector<std::string> log;
  std::map<IPTR, std::string> names;  // objects by name, for the log
  bool quit = false;                  // set by the commodities kill, unless ignoreKill
  bool ignoreKill = false;

  Object *app, *window, *name, *number, *kind, *played, *hide, *path, *status, *save, *cancel, *erase;
  TestList* games;
  TestEditor* notes;

  struct LogHook {
    Hook hook{};
    TestWindow* owner;
    std::string what;
    LogHook(TestWindow* o, const char* w, IPTR (*entry)(Hook*, void*, void*)) : owner(o), what(w) {
      hook.h_Entry = entry;
      hook.h_Data = this;
    }
  };
  std::vector<LogHook*> hooks;

  static IPTR logValue(Hook* h, void*, void* message) {
    auto* self = static_cast<LogHook*>(h->h_Data);
    const IPTR value = static_cast<IPTR*>(message)[0];
    // The active object is logged by name.
    auto named = self->what == "active" ? self->owner->names.find(value) : self->owner->names.end();
    self->owner->log.push_back(self->what + " " +
                               (named != self->owner->names.end() ? named->second : std::to_string(value)));
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
    std::string line = "drop type " + std::to_string(am->am_Type);
    for (int32_t i = 0; i < am->am_NumArgs; ++i) {
      char drawer[256];
      NameFromLock(am->am_ArgList[i].wa_Lock, drawer, sizeof drawer);
      line += std::string(" [") + drawer + "|" + am->am_ArgList[i].wa_Name + "]";
    }
    self->owner->log.push_back(line);
    return 0;
  }
  static IPTR broker(Hook* h, void*, void* message) {
    auto* self = static_cast<LogHook*>(h->h_Data);
    const auto* cx = static_cast<const CxMsg*>(message);
    self->owner->log.push_back("cx " + std::to_string(CxMsgType(cx)) + " " + std::to_string(CxMsgID(cx)));
    if (CxMsgType(cx) == CXM_COMMAND && CxMsgID(cx) == CXCMD_KILL && !self->owner->ignoreKill) self->owner->quit = true;
    return 0;
  }
  // Save shows what was saved in the status text.
  static IPTR saved(Hook* h, void*, void*) {
    auto* self = static_cast<LogHook*>(h->h_Data);
    const std::string shown = "saved " + textAttr(self->owner->name, MUIA_String_Contents);
    SetAttrs(self->owner->status, MUIA_Text_Contents, shown.c_str());
    self->owner->log.push_back("Save");
    return 0;
  }

  Hook* hookFor(const char* what, IPTR (*entry)(Hook*, void*, void*) = logValue) {
    hooks.push_back(new LogHook(this, what, entry));
    return &hooks.back()->hook;
  }
  void notify(Object* o, Tag attribute, IPTR trigger, const char* what, IPTR (*entry)(Hook*, void*, void*) = logValue) {
    DoMethod(o, MUIM_Notify, attribute, trigger, MUIV_Notify_Self, 3, MUIM_CallHook, hookFor(what, entry),
             MUIV_TriggerValue);
  }

  static Object* label(const char* text) { return MUI_MakeObject(MUIO_Label, text, MUIO_Label_DoubleFrame); }
  static Object* button(const char* text) {
    return MUI_NewObject("Group.mui", MUIA_Frame, MUIV_Frame_Button, MUIA_InputMode, MUIV_InputMode_RelVerify,
                         MUIA_Group_Child, MUI_MakeObject(MUIO_Label, text, MUIO_Label_FreeVert));
  }

  explicit TestWindow(bool appWindow = true, bool withBroker = true) {
    static const char* kinds[] = {"Disk", "Folder", nullptr};
    games = TestList::make({"Lemmings\tDisk", "Turrican\tFolder", "Zak\tDisk"}, &log);
    notes = TestEditor::make(&log);
    Object* root = MUI_NewObject(
        "Group.mui",
        MUIA_Group_Child,
        MUI_NewObject(
            "Group.mui", MUIA_Group_Columns, 2,
            MUIA_Group_Child, label("Name"),
            MUIA_Group_Child, name = MUI_NewObject("String.mui", MUIA_String_MaxLen, 12),
            MUIA_Group_Child, label("Number"),
            MUIA_Group_Child, number = MUI_NewObject("String.mui", MUIA_String_Accept, "0123456789-"),
            MUIA_Group_Child, label("Kind"),
            MUIA_Group_Child, kind = MUI_NewObject("Cycle.mui", MUIA_Cycle_Entries, kinds),
            MUIA_Group_Child, label("Played"),
            MUIA_Group_Child, played = MUI_NewObject("Slider.mui", MUIA_Numeric_Max, 9),
            MUIA_Group_Child, label("Hide"),
            MUIA_Group_Child,
            MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child,
                          hide = MUI_NewObject("Image.mui", MUIA_Image_Spec, MUII_CheckMark, MUIA_InputMode,
                                               MUIV_InputMode_Toggle),
                          MUIA_Group_Child, MUI_MakeObject(MUIO_HSpace, 0)),
            MUIA_Group_Child, label("Path"),
            MUIA_Group_Child,
            path = MUI_NewObject("Popasl.mui", MUIA_Popstring_String, MUI_NewObject("String.mui"),
                                 MUIA_Popstring_Button, MUI_MakeObject(MUIO_PopButton, MUII_PopFile)),
            MUIA_Group_Child, label("Status"),
            MUIA_Group_Child, status = MUI_NewObject("Text.mui"),
            MUIA_Group_Child, label("Notes"),
            MUIA_Group_Child, notes),
        MUIA_Group_Child, MUI_NewObject("Group.mui", MUIA_FrameTitle, "Games", MUIA_Group_Child, games),
        MUIA_Group_Child,
        MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, save = button("Save"), MUIA_Group_Child,
                      cancel = button("Cancel"), MUIA_Group_Child,
                      MUI_NewObject("Group.mui", MUIA_Disabled, 1, MUIA_Group_Child, erase = button("Delete"))));
    window = MUI_NewObject("Window.mui", MUIA_Window_Title, "Edit game", MUIA_Window_ID, 0x45444954,
                           MUIA_Window_AppWindow, appWindow ? 1 : 0, MUIA_Window_RootObject, root);
    app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Test", MUIA_Application_BrokerHook,
                        withBroker ? hookFor("cx", broker) : nullptr);
    names = {{0, "NIL"}, {reinterpret_cast<IPTR>(name), "Name"}, {reinterpret_cast<IPTR>(number), "Number"}};
    notify(window, MUIA_Window_ActiveObject, MUIV_EveryTime, "active");
    notify(window, MUIA_Window_CloseRequest, 1, "close");
    notify(window, MUIA_AppMessage, MUIV_EveryTime, "drop", logDrop);
    notify(name, MUIA_String_Acknowledge, MUIV_EveryTime, "Name ack", logText);
    notify(number, MUIA_String_Acknowledge, MUIV_EveryTime, "Number ack", logText);
    notify(kind, MUIA_Cycle_Active, MUIV_EveryTime, "Kind");
    notify(played, MUIA_Numeric_Value, MUIV_EveryTime, "Played");
    notify(hide, MUIA_Selected, MUIV_EveryTime, "Hide");
    notify(save, MUIA_Pressed, 0, "Save", saved);
    notify(cancel, MUIA_Pressed, 0, "Cancel");
    DoMethod(app, OM_ADDMEMBER, window);
    SetAttrs(window, MUIA_Window_Open, 1);
  }
  ~TestWindow() {
    MUI_DisposeObject(app);
    for (LogHook* h : hooks) delete h;
  }

  // The program's wait loop: waits on the signals MUI asked for and lets
  // MUI process its input, until the user closes the window or quits.
  void runLoop() {
    IPTR signals = 0, mask = 0;
    while (!quit && attr(window, MUIA_Window_Open)) {
      signals = mask ? Wait(static_cast<uint32_t>(mask)) : 0;
      do DoMethod(app, MUIM_Application_NewInput, &signals);
      while (signals == 0);
      mask = signals;
      if (!log.empty() && log.back() == "close 1") SetAttrs(window, MUIA_Window_Open, 0);
    }
  }
};

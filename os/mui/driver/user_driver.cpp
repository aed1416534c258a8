#include "os/mui/driver/user_driver.h"

#include <cstring>

#include "os/commodities/commodities.h"
#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/exec/hosted_failure.h"
#include "os/intuition/requester_answers.h"
#include "os/mui/classes/application.h"
#include "os/mui/classes/popstring.h"
#include "os/mui/classes/string.h"
#include "os/mui/classes/window.h"
#include "os/mui/description.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/live_objects.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"
#include "os/workbench/app_message.h"

namespace mui {
namespace {

[[noreturn]] void refuse(const std::string& why) { throw HostedFailure(why); }

// The window the object is in, after checking that a person could act on it now.
MuiWindow* usableWindowOf(Object* target) {
  if (!target || !isLive(target)) refuse("the object acted on does not exist (disposed?)");
  auto* window = static_cast<MuiWindow*>(target->ancestorOfClass("Window.mui"));
  if (!window) refuse(userName(target) + " is in no window");
  const std::string who = target == window ? "" : userName(target) + ": ";
  if (!window->isOpen()) refuse(who + "window " + windowName(window) + " is closed");
  if (window->flag(MUIA_Window_Sleep)) refuse(who + "window " + windowName(window) + " is busy");
  return window;
}

MuiWindow* usable(Object* target) {
  MuiWindow* window = usableWindowOf(target);
  for (Object* o = target; o != window; o = o->parent)
    if (o->muiClass->isA(&areaClass) && o->flag(MUIA_Disabled))
      refuse(userName(target) + (o == target ? " is disabled" : " is in a disabled group"));
  return window;
}

// A click elsewhere takes the keyboard from the field that had it.
void leaveFieldFor(MuiWindow* window, Object* clicked) {
  const IPTR active = window->value(MUIA_Window_ActiveObject);
  if (active && reinterpret_cast<Object*>(active) != clicked) window->set(MUIA_Window_ActiveObject, 0, SET_NOTIFY);
}

// The object and the serial it had when the action was queued: a queued
// action must not reach a new object that took the old one's place.
struct Target {
  Object* object;
  uint32_t serial;
  explicit Target(Object* o) : object(o), serial(o && isLive(o) ? o->serial : 0) {}
  Object* get() const {
    if (!object || !isLive(object, serial)) refuse("the object acted on was disposed before the action was performed");
    return object;
  }
};

Object* stringOf(Object* field) {
  if (field->muiClass->isA(&popstringClass)) return static_cast<Popstring*>(field)->stringObject();
  return field;
}

ListUserActions* usableList(Object* list) {
  ListUserActions* rows = listOf(list);
  if (!rows) refuse(userName(list) + " is not a list");
  return rows;
}

// The rows of a list about to be clicked at `row`, after the checks; the
// field that had the keyboard has left it.
ListUserActions* rowsToClick(Object* list, size_t row) {
  MuiWindow* window = usable(list);
  ListUserActions* rows = usableList(list);
  if (row >= rows->userRowCount()) refuse(userName(list) + " has no row #" + std::to_string(row + 1));
  leaveFieldFor(window, list);
  return rows;
}

// Locks and names of the dropped objects, released on every way out.
struct DropArguments {
  std::vector<WBArg> args;
  std::vector<std::string> names;
  ~DropArguments() {
    for (WBArg& a : args) UnLock(a.wa_Lock);
  }
};
}  // namespace

std::string amigaPathOf(const std::string& path) {
  const size_t colon = path.find(':');
  const bool host = colon == std::string::npos || path.find('/') < colon;
  return host ? AmigaPathOfHostPath(path.c_str()) : path;
}

bool canAct(Object* target) {
  try {
    usable(target);
    return true;
  } catch (const HostedFailure&) {
    return false;
  }
}

namespace act {

void press(Object* button) {
  MuiWindow* window = usable(button);
  leaveFieldFor(window, button);
  if (isLive(button)) DoMethod(button, MUIM_Click);
}

void toggle(Object* tick) {
  MuiWindow* window = usable(tick);
  leaveFieldFor(window, tick);
  if (isLive(tick)) DoMethod(tick, MUIM_Click);
}

void setTick(Object* tick, bool ticked) {
  usable(tick);
  if (tick->flag(MUIA_Selected) != ticked) toggle(tick);
}

void choose(Object* choice, IPTR entry) {
  MuiWindow* window = usable(choice);
  Tag tag = 0;
  if (choice->muiClass->isA(&cycleClass)) tag = MUIA_Cycle_Active;
  if (choice->muiClass->isA(&radioClass)) tag = MUIA_Radio_Active;
  if (choice->muiClass->isA(&numericClass)) tag = MUIA_Numeric_Value;
  if (!tag) refuse(userName(choice) + " is not a cycle, radio or slider");
  leaveFieldFor(window, choice);
  if (isLive(choice)) choice->set(tag, entry, SET_NOTIFY);
}

// The String of a field to type into, after it took the keyboard.
Object* focusString(MuiWindow* window, Object* field) {
  Object* string = stringOf(field);
  if (!string || !string->muiClass->isA(&stringClass)) refuse(userName(field) + " is not a field to type into");
  if (window->value(MUIA_Window_ActiveObject) != reinterpret_cast<IPTR>(string))
    window->set(MUIA_Window_ActiveObject, reinterpret_cast<IPTR>(string), SET_NOTIFY);
  return string;
}

void acknowledge(Object* string, uint32_t serial) {
  if (isLive(string, serial)) string->set(MUIA_String_Acknowledge, string->value(MUIA_String_Contents), SET_NOTIFY);
}

void type(Object* field, const char* text, bool enter) {
  MuiWindow* window = usable(field);
  if (TextUserActions* editor = editorOf(field)) {
    leaveFieldFor(window, field);
    editor->userEditText(text);
    return;
  }
  const uint32_t serial = stringOf(field) ? stringOf(field)->serial : 0;
  Object* string = focusString(window, field);
  // A person selects what is there and types over it.
  if (isLive(string, serial)) string->set(MUIA_String_Contents, reinterpret_cast<IPTR>(""), SET_NOTIFY);
  if (isLive(string, serial)) DoMethod(string, MUIM_String_Type, text);
  if (enter) acknowledge(string, serial);
}

void editField(Object* field, const char* text, bool enter) {
  MuiWindow* window = usable(field);
  const uint32_t serial = stringOf(field) ? stringOf(field)->serial : 0;
  Object* string = focusString(window, field);
  if (!isLive(string, serial)) return;
  std::string kept;
  for (const char* p = text ? text : ""; *p; ++p)
    if (static_cast<String*>(string)->accepts(*p)) kept += *p;
  // The String cuts a set to the room it has.
  if (kept != string->text(MUIA_String_Contents))
    string->set(MUIA_String_Contents, reinterpret_cast<IPTR>(kept.c_str()), SET_NOTIFY);
  if (enter) acknowledge(string, serial);
}

void leaveField(Object* window) {
  usableWindowOf(window);
  if (window->value(MUIA_Window_ActiveObject)) window->set(MUIA_Window_ActiveObject, 0, SET_NOTIFY);
}

void activate(Object* object) {
  MuiWindow* window = usable(object);
  const IPTR active = reinterpret_cast<IPTR>(stringOf(object));
  if (window->value(MUIA_Window_ActiveObject) != active) window->set(MUIA_Window_ActiveObject, active, SET_NOTIFY);
}

void editText(Object* editor, const char* text) {
  TextUserActions* side = editorOf(editor);
  if (!side) refuse(userName(editor) + " is not a text editor");
  leaveFieldFor(usable(editor), editor);
  side->userEditText(text);
}

void clickRow(Object* list, size_t row, RowClick how) { rowsToClick(list, row)->userClickRow(row, how); }

void doubleClickRow(Object* list, size_t row) { rowsToClick(list, row)->userDoubleClickRow(row); }

void moveToRow(Object* list, size_t row) { rowsToClick(list, row)->userMoveToRow(row); }

void clickTitle(Object* list, size_t column) {
  MuiWindow* window = usable(list);
  ListUserActions* rows = usableList(list);
  if (column >= rows->userColumnCount()) refuse(userName(list) + " has no column " + std::to_string(column + 1));
  leaveFieldFor(window, list);
  rows->userClickTitle(column);
}

void requestClose(Object* window) {
  usableWindowOf(window);
  window->set(MUIA_Window_CloseRequest, 1, SET_NOTIFY);
}

void drop(Object* window, const std::vector<std::string>& paths) {
  usableWindowOf(window);
  if (!window->flag(MUIA_Window_AppWindow))
    refuse("window " + windowName(window) + " takes no drops (it is no application window)");
  if (paths.empty()) refuse("nothing to drop");
  DropArguments dropped;
  dropped.names.reserve(paths.size());
  for (const std::string& given : paths) {
    std::string path = amigaPathOf(given);
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    BPTR object = Lock(path.c_str(), SHARED_LOCK);
    if (!object) refuse("cannot drop " + quoted(given.c_str()) + ": there is no such file or drawer");
    // The lock is on the drawer the object lies in; a volume alone is its own drawer.
    const char* file = FilePart(path.c_str());
    BPTR lock = object;
    if (*file) {
      UnLock(object);
      const std::string drawer(path.c_str(), PathPart(path.c_str()) - path.c_str());
      lock = Lock(drawer.c_str(), SHARED_LOCK);
      if (!lock) refuse("cannot drop " + quoted(given.c_str()) + ": its drawer cannot be reached");
    }
    dropped.args.push_back(WBArg{lock, nullptr});
    dropped.names.push_back(file);
  }
  for (size_t i = 0; i < dropped.args.size(); ++i) dropped.args[i].wa_Name = dropped.names[i].data();
  AppMessage message{AMTYPE_APPWINDOW, static_cast<uint32_t>(window->value(MUIA_Window_ID)),
                     static_cast<int32_t>(dropped.args.size()), dropped.args.data()};
  window->set(MUIA_AppMessage, reinterpret_cast<IPTR>(&message), SET_NOTIFY);
}

void commoditiesKill(Object* application) {
  if (!application || !isLive(application) || !application->muiClass->isA(&applicationClass))
    refuse("the commodities kill needs an application");
  if (!static_cast<Application*>(application)->sendCommodityCommand(CXCMD_KILL))
    refuse("the application has no broker hook: the commodities kill reaches nobody");
}

void openPopup(Object* popup) {
  MuiWindow* window = usable(popup);
  if (!popup->muiClass->isA(&popstringClass)) refuse(userName(popup) + " is not a pop-up");
  leaveFieldFor(window, popup);
  if (isLive(popup)) DoMethod(popup, MUIM_Popstring_Open);
}

}  // namespace act

namespace user {
namespace {
template <class F>
void queued(const char* what, Object* target, F perform) {
  const Target t(target);
  queueUserAction(what, [t, perform] { perform(t.get()); });
}
}  // namespace

void press(Object* b) { queued("press", b, [](Object* o) { act::press(o); }); }
void setTick(Object* t, bool on) { queued("tick", t, [on](Object* o) { act::setTick(o, on); }); }
void toggle(Object* t) { queued("toggle", t, [](Object* o) { act::toggle(o); }); }
void choose(Object* c, IPTR e) { queued("choose", c, [e](Object* o) { act::choose(o, e); }); }
void type(Object* f, const char* text, bool enter) {
  const std::string typed = text ? text : "";
  queued("type", f, [typed, enter](Object* o) { act::type(o, typed.c_str(), enter); });
}
void editField(Object* f, const char* text, bool enter) {
  const std::string edited = text ? text : "";
  queued("edit field", f, [edited, enter](Object* o) { act::editField(o, edited.c_str(), enter); });
}
void leaveField(Object* w) { queued("leave field", w, [](Object* o) { act::leaveField(o); }); }
void activate(Object* a) { queued("activate", a, [](Object* o) { act::activate(o); }); }
void editText(Object* e, const char* text) {
  const std::string edited = text ? text : "";
  queued("edit", e, [edited](Object* o) { act::editText(o, edited.c_str()); });
}
void clickRow(Object* l, size_t row, RowClick how) {
  queued("click row", l, [row, how](Object* o) { act::clickRow(o, row, how); });
}
void doubleClickRow(Object* l, size_t row) {
  queued("double-click row", l, [row](Object* o) { act::doubleClickRow(o, row); });
}
void clickTitle(Object* l, size_t column) {
  queued("click title", l, [column](Object* o) { act::clickTitle(o, column); });
}
void requestClose(Object* w) { queued("close", w, [](Object* o) { act::requestClose(o); }); }
void drop(Object* w, const std::vector<std::string>& paths) {
  queued("drop", w, [paths](Object* o) { act::drop(o, paths); });
}
void commoditiesKill(Object* a) { queued("quit", a, [](Object* o) { act::commoditiesKill(o); }); }
void openPopup(Object* p) { queued("open pop-up", p, [](Object* o) { act::openPopup(o); }); }

void confirmPopup(Object* p, const char* drawer, const char* file) {
  RequesterAnswer answer;
  answer.kind = RequesterAnswer::Kind::Choose;
  answer.drawer = drawer ? drawer : "";
  if (file && *file) answer.files.emplace_back(file);
  queued("confirm pop-up", p, [answer](Object* o) {
    queueRequesterAnswer(answer);
    act::openPopup(o);
  });
}

void cancelPopup(Object* p) {
  queued("cancel pop-up", p, [](Object* o) {
    queueRequesterAnswer(RequesterAnswer{});
    act::openPopup(o);
  });
}

void runInput(Object* application) {
  while (queuedUserActions() > 0) {
    IPTR signals = 0;
    DoMethod(application, MUIM_Application_NewInput, &signals);
  }
}

}  // namespace user
}  // namespace mui

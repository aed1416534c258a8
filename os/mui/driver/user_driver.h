// The user driver: tests (and UI scripts) act on the windows as a person
// would. Each action of mui::user is queued in the input queue and performed
// by the application's next MUIM_Application_NewInput, so notifications and
// hooks run inside the program's input processing, in the order a user's
// gestures would cause them. mui::act performs an action at once; the script
// reader and the queued actions use it.
//
// Before it acts, every action checks its target: an object in no window, in
// a closed or sleeping window, or disabled (itself or a group around it) is
// refused with HostedFailure naming it. Clicking anything but the field that
// has the keyboard first takes the keyboard from that field (the window's
// active object becomes NIL), so "leaving the field" comes before the click.
//
// Lists and text editors are reached through os/mui/driver/user_actions.h.
#pragma once
#include <string>
#include <vector>

#include "os/mui/driver/user_actions.h"
#include "os/utility/hooks.h"

struct Object;

namespace mui {

// A path as given to a drop or a requester answer: an Amiga path stays as it
// is; a host path (one without a volume before its first "/") becomes the
// Amiga path that reaches it.
std::string amigaPathOf(const std::string& path);

// TRUE when a person could act on the object now: it exists, its window is
// open and awake, and neither it nor a group around it is disabled (what
// every action checks first).
bool canAct(Object* target);

namespace act {

void press(Object* button);              // MUIA_Pressed 1, then 0
void setTick(Object* tick, bool ticked);  // clicks only when the state differs
void toggle(Object* tick);                // one click
void choose(Object* choice, IPTR entry);  // cycle or radio entry, or a slider's value
// Types into a field (a String, the String of a pop-up, or a text editor):
// the field gets the keyboard, its text is replaced by what is typed (only
// accepted characters, at most max length - 1), and with enter Return
// acknowledges it.
void type(Object* field, const char* text, bool enter);
// Edits a String's text in place as one keystroke, a deletion or a paste
// does on screen: the field gets the keyboard and its contents become the
// text (its accepted characters, at most max length - 1) in one change; with
// enter Return acknowledges it. Unlike type, the field is not emptied first.
void editField(Object* field, const char* text, bool enter);
void leaveField(Object* window);  // the active object becomes NIL
// The object takes the keyboard, as Tab gives it on screen: it becomes the
// window's active object (a pop-up's String for a pop-up).
void activate(Object* object);
void editText(Object* editor, const char* text);
void clickRow(Object* list, size_t row, RowClick how);
void doubleClickRow(Object* list, size_t row);
void moveToRow(Object* list, size_t row);  // a cursor key's move of the active row
void clickTitle(Object* list, size_t column);  // column from 0
void requestClose(Object* window);             // MUIA_Window_CloseRequest TRUE
// Drops Amiga paths ("Work:Games/x.adf") or host paths ("/home/x.adf",
// anything without a volume) on an application window: one AppMessage of
// type AMTYPE_APPWINDOW, each argument a lock on the drawer and a name.
void drop(Object* window, const std::vector<std::string>& paths);
void commoditiesKill(Object* application);  // CXM_COMMAND CXCMD_KILL to the broker hook
// Opens a pop-up's requester; it takes its answer from the requester queue.
void openPopup(Object* popup);

}  // namespace act

namespace user {

// The same actions, queued.
void press(Object* button);
void setTick(Object* tick, bool ticked);
void toggle(Object* tick);
void choose(Object* choice, IPTR entry);
void type(Object* field, const char* text, bool enter);
void editField(Object* field, const char* text, bool enter);
void leaveField(Object* window);
void activate(Object* object);
void editText(Object* editor, const char* text);
void clickRow(Object* list, size_t row, RowClick how = RowClick::Plain);
void doubleClickRow(Object* list, size_t row);
void clickTitle(Object* list, size_t column);
void requestClose(Object* window);
void drop(Object* window, const std::vector<std::string>& paths);
void commoditiesKill(Object* application);
void openPopup(Object* popup);
// A pop-up confirmed with a choice (file NIL or "": the drawer alone) or cancelled.
void confirmPopup(Object* popup, const char* drawer, const char* file);
void cancelPopup(Object* popup);

// Runs the application's input processing until no action waits.
void runInput(Object* application);

}  // namespace user
}  // namespace mui

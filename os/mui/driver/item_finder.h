// Finding the objects of a window by what a person sees: a window by its
// title or save id, a button by its text, a field, tick, choice or list by
// the label before it or the frame title around it, a list row by the text of
// its first column or by "#N" (N from 1). An address that names nothing, or
// more than one item, raises HostedFailure naming what is there.
#pragma once
#include <cstddef>
#include <string>

#include "os/mui/driver/user_actions.h"

struct Object;

namespace mui {

enum class ItemKind {
  Button,  // an object pressed by a click (release-verify), by its text
  Field,   // a string or a text editor, by its label
  Tick,    // a check mark (toggle), by its label
  Choice,  // a cycle, radio or slider, by its label
  List,    // a list, by its label or frame title
  Shown,   // anything that shows a text (text, field, choice, list), by its label
};

Object* findWindow(Object* application, const std::string& address);
Object* findItem(Object* window, ItemKind kind, const std::string& address);
// The row (from 0) of the list that the address names.
size_t findRow(Object* list, const std::string& address);
// Whether the address names at least one row of the list.
bool hasRow(Object* list, const std::string& address);

// The list or text-editor side of the object, or of the first object below it that has one; NIL when none.
ListUserActions* listOf(Object* object);
TextUserActions* editorOf(Object* object);

// What the item shows: a text's or field's text, a choice's entry, a
// slider's number, "1" or "0" for a tick, a list's active row (first column).
std::string shownText(Object* item);
// How messages name the object for a person: `button "OK"`, `field "Name"`.
std::string userName(Object* object);
// A window's name for messages: its title in quotes.
std::string windowName(Object* window);
// The text without MUI's text escapes (ESC and the character after it).
std::string plainText(const char* text);

}  // namespace mui

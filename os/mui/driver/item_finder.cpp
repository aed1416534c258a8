#include "os/mui/driver/item_finder.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "os/exec/hosted_failure.h"
#include "os/mui/classes/string.h"
#include "os/mui/classes/text.h"
#include "os/mui/classes/window.h"
#include "os/mui/description.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"

namespace mui {
namespace {

const char* const KIND_WORDS[] = {"button", "field", "tick", "choice", "list", "item"};
const char* kindWord(ItemKind kind) { return KIND_WORDS[static_cast<int>(kind)]; }

bool isText(const Object* o) { return o->muiClass->isA(&textClass); }
bool isLabel(const Object* o) { return isText(o) && static_cast<const Text*>(o)->isLabel; }
bool isSpace(const Object* o) { return o->muiClass->isA(&rectangleClass); }
bool inputMode(const Object* o, IPTR mode) { return o->muiClass->isA(&areaClass) && o->value(MUIA_InputMode) == mode; }

std::string shownOfText(const Object* o) {
  const char* pre = o->text(MUIA_Text_PreParse);
  return plainText((std::string(pre ? pre : "") + o->text(MUIA_Text_Contents)).c_str());
}

// A button's caption: its own text, or the texts inside it.
std::string caption(const Object* o) {
  if (isText(o)) return shownOfText(o);
  std::string joined;
  for (const Object* child : o->children) {
    const std::string part = caption(child);
    if (!part.empty()) joined += (joined.empty() ? "" : " ") + part;
  }
  return joined;
}

bool isButton(const Object* o) { return inputMode(o, MUIV_InputMode_RelVerify) && !caption(o).empty(); }
bool isChoice(const Object* o) {
  return o->muiClass->isA(&cycleClass) || o->muiClass->isA(&radioClass) || o->muiClass->isA(&numericClass);
}

bool hasKind(Object* o, ItemKind kind) {
  switch (kind) {
    case ItemKind::Button: return isButton(o);
    case ItemKind::Field: return o->muiClass->isA(&stringClass) || dynamic_cast<TextUserActions*>(o);
    case ItemKind::Tick: return inputMode(o, MUIV_InputMode_Toggle);
    case ItemKind::Choice: return isChoice(o);
    case ItemKind::List: return dynamic_cast<ListUserActions*>(o) != nullptr;
    case ItemKind::Shown:
      return (isText(o) && !isLabel(o)) || o->muiClass->isA(&floattextClass) || hasKind(o, ItemKind::Field) ||
             hasKind(o, ItemKind::Tick) || isChoice(o) || hasKind(o, ItemKind::List);
  }
  return false;
}

// The first object at or below `top` of the kind, in the order a person reads.
Object* firstOfKind(Object* top, ItemKind kind) {
  if (hasKind(top, kind)) return top;
  for (Object* child : top->children)
    if (Object* found = firstOfKind(child, kind)) return found;
  return nullptr;
}

// What a label stands before: the next sibling that is not empty space; a
// label last in its own little group (a label above a space) names what
// follows that group.
Object* labelled(Object* label) {
  for (Object* at = label; at->parent; at = at->parent) {
    const std::vector<Object*>& siblings = at->parent->children;
    size_t i = 0;
    while (siblings[i] != at) ++i;
    for (++i; i < siblings.size(); ++i)
      if (!isSpace(siblings[i])) return siblings[i];
  }
  return nullptr;
}

struct Named {
  std::string name;
  Object* object;
};

// Every item of the kind in the tree with the name a person reads for it.
void collect(Object* o, ItemKind kind, std::vector<Named>& out) {
  auto add = [&](const std::string& name, Object* top) {
    Object* item = top ? firstOfKind(top, kind) : nullptr;
    if (!item) return;
    for (const Named& n : out)
      if (n.object == item && n.name == name) return;
    out.push_back(Named{name, item});
  };
  if (kind == ItemKind::Button) {
    if (isButton(o)) out.push_back(Named{caption(o), o});
  } else if (isButton(o)) {
    return;  // a button's caption labels nothing
  } else {
    if (isLabel(o)) add(shownOfText(o), labelled(o));
    if (o->muiClass->isA(&areaClass) && o->text(MUIA_FrameTitle)) add(plainText(o->text(MUIA_FrameTitle)), o);
  }
  for (Object* child : o->children) collect(child, kind, out);
}

std::string listed(const std::vector<std::string>& names) {
  if (names.empty()) return "none";
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + quoted(n.c_str());
  return out;
}

template <class T>
T* sideOf(Object* o) {
  if (!o) return nullptr;
  if (T* side = dynamic_cast<T*>(o)) return side;
  for (Object* child : o->children)
    if (T* side = sideOf<T>(child)) return side;
  return nullptr;
}

std::string firstColumn(const std::string& row) { return row.substr(0, row.find('\t')); }

std::string saveIdText(IPTR id) {
  std::string four;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((id >> shift) & 0xff);
    if (c < 32 || c > 126) return std::to_string(static_cast<long>(id));
    four += c;
  }
  return four;
}
}  // namespace

std::string plainText(const char* text) {
  std::string out;
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == 27) {
      if (p[1]) ++p;
      continue;
    }
    out += *p;
  }
  return out;
}

std::string windowName(Object* window) { return quoted(static_cast<MuiWindow*>(window)->title()); }

Object* findWindow(Object* application, const std::string& address) {
  std::vector<Object*> matches;
  std::vector<std::string> names;
  for (Object* w : application->children) {
    const char* title = static_cast<MuiWindow*>(w)->title();
    const IPTR id = w->value(MUIA_Window_ID);
    names.push_back(title ? title : "");
    if ((title && address == title) ||
        (id && (address == saveIdText(id) || address == std::to_string(static_cast<long>(id)))))
      matches.push_back(w);
  }
  if (matches.size() == 1) return matches.front();
  throw HostedFailure((matches.empty() ? "no window " : "more than one window ") + quoted(address.c_str()) +
                      "; windows: " + listed(names));
}

Object* findItem(Object* window, ItemKind kind, const std::string& address) {
  std::vector<Named> all;
  collect(window, kind, all);
  std::vector<Object*> matches;
  std::vector<std::string> names;
  for (const Named& n : all) {
    names.push_back(n.name);
    if (n.name == address) matches.push_back(n.object);
  }
  if (matches.size() == 1) return matches.front();
  const std::string where = " in window " + windowName(window) + "; ";
  if (matches.empty())
    throw HostedFailure(std::string("no ") + kindWord(kind) + " " + quoted(address.c_str()) + where + kindWord(kind) +
                        "s there: " + listed(names));
  throw HostedFailure(std::to_string(matches.size()) + " " + kindWord(kind) + "s " + quoted(address.c_str()) + where +
                      "name one of: " + listed(names));
}

namespace {
// "#N": the row number N (from 1); 0 when the address is no row number.
size_t rowNumber(const std::string& address) {
  if (address.size() < 2 || address.size() > 10 || address[0] != '#' ||
      address.find_first_not_of("0123456789", 1) != std::string::npos)
    return 0;
  return std::stoul(address.substr(1));
}
}  // namespace

bool hasRow(Object* list, const std::string& address) {
  ListUserActions* rows = listOf(list);
  if (!rows) return false;
  const size_t count = rows->userRowCount();
  if (const size_t n = rowNumber(address)) return n <= count;
  for (size_t row = 0; row < count; ++row)
    if (firstColumn(rows->userRowText(row)) == address) return true;
  return false;
}

size_t findRow(Object* list, const std::string& address) {
  ListUserActions* rows = listOf(list);
  if (!rows) throw HostedFailure(userName(list) + " has no rows");
  const size_t count = rows->userRowCount();
  if (const size_t n = rowNumber(address)) {
    if (n <= count) return n - 1;
    throw HostedFailure(userName(list) + " has no row " + address + " (it has " + std::to_string(count) + ")");
  }
  std::vector<size_t> matches;
  std::vector<std::string> names;
  for (size_t row = 0; row < count; ++row) {
    const std::string first = firstColumn(rows->userRowText(row));
    names.push_back(first);
    if (first == address) matches.push_back(row);
  }
  if (matches.size() == 1) return matches.front();
  throw HostedFailure(userName(list) + (matches.empty() ? " has no row " : " has more than one row ") +
                      quoted(address.c_str()) + "; rows: " + listed(names));
}

ListUserActions* listOf(Object* object) { return sideOf<ListUserActions>(object); }
TextUserActions* editorOf(Object* object) { return sideOf<TextUserActions>(object); }

std::string shownText(Object* item) {
  if (isText(item)) return shownOfText(item);
  if (item->muiClass->isA(&floattextClass)) return plainText(item->text(MUIA_Floattext_Text));
  if (item->muiClass->isA(&stringClass)) return item->text(MUIA_String_Contents);
  if (TextUserActions* editor = editorOf(item)) return editor->userText();
  if (inputMode(item, MUIV_InputMode_Toggle)) return item->flag(MUIA_Selected) ? "1" : "0";
  if (item->muiClass->isA(&numericClass)) return std::to_string(static_cast<long>(item->value(MUIA_Numeric_Value)));
  if (isChoice(item)) {
    const bool cycle = item->muiClass->isA(&cycleClass);
    const char* const* entries =
        reinterpret_cast<const char* const*>(item->value(cycle ? MUIA_Cycle_Entries : MUIA_Radio_Entries));
    const IPTR active = item->value(cycle ? MUIA_Cycle_Active : MUIA_Radio_Active);
    return entries && entries[0] ? plainText(entries[active]) : "";
  }
  if (ListUserActions* rows = listOf(item)) {
    const long active = rows->userActiveRow();
    return active >= 0 && static_cast<size_t>(active) < rows->userRowCount()
               ? firstColumn(rows->userRowText(static_cast<size_t>(active)))
               : "";
  }
  return "";
}

std::string userName(Object* object) {
  if (isButton(object)) return "button " + quoted(caption(object).c_str());
  // The name of the label that leads to it, if one does.
  Object* window = object->ancestorOfClass("Window.mui");
  for (ItemKind kind : {ItemKind::Field, ItemKind::Tick, ItemKind::Choice, ItemKind::List, ItemKind::Shown}) {
    if (!hasKind(object, kind) || !window) continue;
    std::vector<Named> all;
    collect(window, kind, all);
    for (const Named& n : all)
      if (n.object == object) return std::string(kindWord(kind)) + " " + quoted(n.name.c_str());
  }
  return object->label();
}

}  // namespace mui

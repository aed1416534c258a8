#include "gui/lists/gui_list.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "gui/items/owned_text.h"

namespace {
// A new string of count copies of letter.
char* lettersOf(char letter, int32_t count) {
  char* s = NewString(count);
  for (int32_t i = 0; i < count; ++i) s[i] = letter;
  SetStr(s, count);
  return s;
}
}  // namespace

void cGuiList::end_class() {
  DisposeOwnedText(title);
  DisposeOwnedText(columnTitles);
  DisposeOwnedText(alignment);
  DisposeOwnedText(sortTypes);
  cGuiInputItem::end_class();
}

cGuiList* cGuiList::new_cGuiList(cGuiWindow* window, int32_t columnCount, const char* listTitle) {
  (void)window;
  ReplaceOwnedText(title, listTitle, OwnedTextRule::NilAsNone);
  columns = columnCount;
  DisposeOwnedText(columnTitles);
  DisposeOwnedText(alignment);
  DisposeOwnedText(sortTypes);
  alignment = lettersOf('L', columnCount > 0 ? columnCount : 0);
  sortTypes = lettersOf('I', columnCount > 0 ? columnCount : 0);
  selectable = multiSelect = multiSelectMode = false;
  initShared();
  return this;
}

cGuiList* cGuiList::initSelectableEntries(bool multi, bool mode) {
  selectable = true;
  multiSelect = multi;
  multiSelectMode = mode;
  return this;
}

bool cGuiList::infoSelectableEntries(bool* multi, bool* mode) {
  if (multi) *multi = multiSelect;
  if (mode) *mode = multiSelectMode;
  return selectable;
}

cGuiList* cGuiList::initColumnTitles(const char* titles) {
  ReplaceOwnedText(columnTitles, titles, OwnedTextRule::NilAsEmpty);
  return this;
}

void cGuiList::takeColumnLetters(char* field, const char* letters, const char* allowed) {
  if (!field || !letters) return;
  const int32_t length = static_cast<int32_t>(std::strlen(letters));
  for (int32_t i = 0; i < length && i < columns && i < EstrLen(field); ++i) {
    const char letter = UpperChar(letters[i]);
    if (letter && std::strchr(allowed, letter)) field[i] = letter;
  }
}

cGuiList* cGuiList::initColumnAlignment(const char* letters) {
  takeColumnLetters(alignment, letters, "LCR");
  return this;
}

cGuiList* cGuiList::initColumnSortType(const char* letters) {
  takeColumnLetters(sortTypes, letters, "SIN");
  return this;
}

bool cGuiList::getSortByColumn(int32_t* column, bool* reverse) {
  if (column) *column = 0;
  if (reverse) *reverse = false;
  return false;
}

bool cGuiList::getSortByUser(int32_t* column, bool* reverse) { return getSortByColumn(column, reverse); }

bool cGuiList::getEventSortedByUser(bool keep, int32_t* column, bool* reverse) {
  (void)keep;
  return getSortByColumn(column, reverse);
}

void cGuiList::addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                        bool moveCursor) {
  (void)altColour, (void)marked, (void)data, (void)moveCursor;
  DisposeString(label);
  End(dataBox);
}

void cGuiList::addEntryF(fGuiListEntries* f) {
  if (!f) return;
  GuiListEntryMore more;
  while (char* label = takeEntry(f, &more)) addEntry(label, more.altColour, more.marked, more.data, more.dataBox, false);
}

void cGuiList::cursor_beforeInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) {
  (void)altColour, (void)marked, (void)data;
  DisposeString(label);
  End(dataBox);
}

void cGuiList::cursor_afterInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) {
  (void)altColour, (void)marked, (void)data;
  DisposeString(label);
  End(dataBox);
}

bool cGuiList::cursor_destroy(bool moveBack) {
  bool moved = false;
  DisposeString(cursor_remove(moveBack, &moved));
  return moved;
}

char* cGuiList::cursor_remove(bool moveBack, bool* moved) {
  char* label = StrClone(cursor_getLabel());
  const bool answer = cursor_destroy(moveBack);
  if (moved) *moved = answer;
  return label;
}

int32_t cGuiList::cursor_walkToStart() {
  if (infoSize() == 0) return -1;
  return cursor_gotoPrev(infoSize());
}

const char* cGuiList::saveCursorEntry() { return infoSize() == 0 ? nullptr : cursor_getLabel(); }

bool cGuiList::findCursorEntry(const char* label) {
  const bool any = cursor_gotoStart();
  if (!label) return any;
  if (any) {
    do {
      if (cursor_getLabel() == label) return true;
    } while (cursor_gotoNext(1) != 0);
  }
  Throw("BUG", "cGuiList.findCursorEntry(); failed");
}

namespace {
// Whether label matches text as cursor_find compares them.
bool labelMatches(const char* label, const char* text, bool ignoreCase, int32_t length) {
  label = label ? label : "";
  text = text ? text : "";
  if (length < 0) {
    const size_t tail = static_cast<size_t>(-static_cast<int64_t>(length));
    const size_t labelLength = std::strlen(label), textLength = std::strlen(text);
    label += labelLength > tail ? labelLength - tail : 0;
    text += textLength > tail ? textLength - tail : 0;
    length = 0;
  }
  const int32_t n = length == 0 ? -1 : length;
  return ignoreCase ? StrCmpNoCase(label, text, n) : StrCmp(label, text, n);
}
}  // namespace

bool cGuiList::cursor_find(const char* text, bool ignoreCase, int32_t length, bool continueSearch) {
  if (continueSearch ? cursor_gotoNext(1) == 0 : !cursor_gotoStart()) return false;
  do {
    if (labelMatches(cursor_getLabel(), text, ignoreCase, length)) return true;
  } while (cursor_gotoNext(1) != 0);
  return false;
}

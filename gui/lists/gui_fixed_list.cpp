#include "gui/lists/gui_fixed_list.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/gui_window.h"

char* fixedListColumnText(const char* label, int32_t column) {
  const char* start = label ? label : "";
  for (int32_t c = 0; c < column; ++c) {
    const char* tab = std::strchr(start, '\t');
    if (!tab) return NewString(0);
    start = tab + 1;
  }
  const char* end = std::strchr(start, '\t');
  const int32_t length = static_cast<int32_t>(end ? end - start : static_cast<ptrdiff_t>(std::strlen(start)));
  return StrCopy(NewString(length), start, length);
}

void cGuiFixedList::end_class() {
  DisposeString(alignment);
  DisposeString(pendingTitles);
  alignment = pendingTitles = nullptr;
  singleSelected = lastRow = nullptr;
  cGuiContainerItem::end_class();
}

cGuiFixedList* cGuiFixedList::new_cGuiFixedList(cGuiWindow* window, int32_t columnCount, const char* title) {
  cGuiGroupItem* group = nullptr;
  try {
    if (columnCount == 1) {
      cGuiGroupVertical* vertical = window->makeGroupVertical();
      group = vertical;
      vertical->new_cGuiGroupItem(title);
    } else {
      cGuiGroupGrid* grid = window->makeGroupGrid();
      group = grid;
      grid->new_cGuiGroupGrid(title, columnCount + 1);
    }
    group->initScrollable();
  } catch (...) {
    End(group);
    throw;
  }
  initInner(group);
  columns = columnCount;
  alignment = NewString(columnCount);
  for (int32_t c = 0; c < columnCount; ++c) StrAdd(alignment, "L");
  pendingTitles = nullptr;
  titleRowInProgress = selectable = multiSelect = false;
  singleSelected = lastRow = nullptr;
  selectionCount = rowCount = 0;
  return this;
}

void cGuiFixedList::requireNoRows(const char* operation) {
  if (infoSize() > 0)
    ThrowF("EMU", "cGuiFixedList.%s(); this cannot be called after entries have been added", operation);
}

cGuiFixedList* cGuiFixedList::initSelectableEntries(bool multi) {
  requireNoRows("initSelectableEntries");
  selectable = true;
  multiSelect = multi;
  return this;
}

cGuiFixedList* cGuiFixedList::initColumnAlignment(const char* letters) {
  requireNoRows("initColumnAlignment");
  for (int32_t c = 0; letters && letters[c] && c < columns; ++c) {
    const char letter = letters[c] >= 'a' && letters[c] <= 'z' ? static_cast<char>(letters[c] - 'a' + 'A') : letters[c];
    if (letter == 'L' || letter == 'C' || letter == 'R') alignment[c] = letter;
  }
  return this;
}

cGuiFixedList* cGuiFixedList::initColumnTitles(const char* titles) {
  requireNoRows("initColumnTitles");
  DisposeString(pendingTitles);
  pendingTitles = StrClone(titles ? titles : "");
  return this;
}

cGuiFixedList* cGuiFixedList::initScrollable() { Throw("EMU", "cGuiFixedList.initScrollable(); this method is not supported"); }

cGuiFixedList* cGuiFixedList::initEqualSizedItems() {
  Throw("EMU", "cGuiFixedList.initEqualSizedItems(); this method is not supported");
}

bool cGuiFixedList::infoEqualSizedItems() {
  Throw("EMU", "cGuiFixedList.infoEqualSizedItems(); this method is not supported");
}

bool cGuiFixedList::infoSelectableEntries(bool* multi) {
  if (multi) *multi = multiSelect;
  return selectable;
}

cGuiFixedListEntry* cGuiFixedList::infoSingleSelectionEntry() {
  if (!selectable)
    Throw("EMU", "cGuiFixedList.infoSingleSelectionEntry(); this does not make sense, as entries are not selectable");
  if (multiSelect) Throw("EMU", "cGuiFixedList.infoSingleSelectionEntry(); this cannot be called when multiSelect=TRUE");
  return singleSelected;
}

bool cGuiFixedList::getMultiSelect() {
  if (!selectable)
    Throw("EMU", "cGuiFixedList.getMultiSelect(); this does not make sense, as entries are not selectable");
  return multiSelect;
}

cGuiFixedList* cGuiFixedList::setMultiSelect(bool flag) {
  if (!selectable)
    Throw("EMU", "cGuiFixedList.setMultiSelect(); this does not make sense, as entries are not selectable");
  const bool toSingle = multiSelect && !flag;
  multiSelect = flag;
  if (!toSingle) return this;
  singleSelected = nullptr;
  if (selectionCount > 1) {
    for (cGuiFixedListEntry* row = infoFirstItem(); row; row = row->infoNextInGroup())
      if (row->getState()) row->setState(false);
  } else if (selectionCount == 1) {
    for (cGuiFixedListEntry* row = infoFirstItem(); row; row = row->infoNextInGroup())
      if (row->getState()) singleSelected = row;
  }
  return this;
}

cGuiFixedListEntry* cGuiFixedList::infoFirstItem() {
  // An item the application put into the list itself is no row.
  cGuiItem* first = cGuiContainerItem::infoFirstItem();
  if (first && !first->IsOfClassType("cGuiFixedListEntry"))
    Throw("EMU", "cGuiFixedList.infoFirstItem(); the list holds an item that is not one of its rows");
  return static_cast<cGuiFixedListEntry*>(first);
}

cGuiFixedListEntry* cGuiFixedList::addRow(cGuiWindow* window, const char* label) {
  char* first = fixedListColumnText(label, 0);
  auto* row = new cGuiFixedListEntry;
  try {
    row->new_cGuiFixedListEntry(window, first, label, this);
  } catch (...) {
    DisposeString(first);
    End(row);
    throw;
  }
  DisposeString(first);
  addMade(row);
  lastRow = row;
  ++rowCount;
  // Several columns: the row's labels follow it in the grid.
  for (int32_t c = 0; columns > 1 && c < columns; ++c) {
    char* text = fixedListColumnText(label, c);
    try {
      cGuiLabel* cell = window->addLabel(text);
      if (alignment[c] == 'R') cell->initAlignRight();
      else if (alignment[c] == 'C') cell->initAlignCenter();
      else cell->initAlignLeft();
    } catch (...) {
      DisposeString(text);
      throw;
    }
    DisposeString(text);
  }
  return row;
}

cGuiFixedListEntry* cGuiFixedList::internalAddEntry(cGuiWindow* window, const char* label) {
  if (pendingTitles) {
    char* titles = pendingTitles;
    pendingTitles = nullptr;
    titleRowInProgress = true;
    try {
      addRow(window, titles)->initAltColour();
    } catch (...) {
      titleRowInProgress = false;
      DisposeString(titles);
      throw;
    }
    titleRowInProgress = false;
    DisposeString(titles);
  }
  cGuiFixedListEntry* row = addRow(window, label);
  return selectable ? row : nullptr;
}

#include "gui/lists/gui_fixed_list_entry.h"

#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/gui_window.h"
#include "gui/lists/gui_fixed_list.h"

void cGuiFixedListEntry::end_class() {
  DisposeString(label);
  label = nullptr;
  tick = nullptr;
  cGuiContainerInputItem::end_class();
}

cGuiFixedListEntry* cGuiFixedListEntry::new_cGuiFixedListEntry(cGuiWindow* rowWindow, const char* firstColumn,
                                                                const char* rowLabel, cGuiFixedList* rowList) {
  list = rowList;
  window = rowWindow;
  cGuiGroupHorizontal* group = window->makeGroupHorizontal();
  try {
    group->new_cGuiGroupItem(nullptr);
  } catch (...) {
    End(group);
    throw;
  }
  initInner(group);
  index = list->rowCount;
  label = StrClone(rowLabel ? rowLabel : "");
  countedSelected = false;
  if (list->selectable && !list->titleRowInProgress) {
    cGuiTick* made = window->makeTick();
    try {
      made->new_cGuiTick("");
      made->setRedirectEventTo(this);
    } catch (...) {
      End(made);
      throw;
    }
    addMade(made);
    tick = made;
  }
  if (list->columns == 1) {
    cGuiLabel* text = window->makeLabel();
    try {
      text->new_cGuiLabel(firstColumn);
      const char letter = list->alignment[0];
      if (letter == 'R') text->initAlignRight();
      else if (letter == 'C') text->initAlignCenter();
      else text->initAlignLeft();
    } catch (...) {
      End(text);
      throw;
    }
    addMade(text);
  }
  return this;
}

cGuiFixedListEntry* cGuiFixedListEntry::infoNextInGroup() {
  cGuiItem* next = internalInfoNextInGroup();
  // Several columns: the row's labels stand between it and the next row.
  for (int32_t c = 0; list->columns > 1 && c < list->columns && next; ++c) next = next->internalInfoNextInGroup();
  if (next && !next->IsOfClassType("cGuiFixedListEntry"))
    Throw("BUG", "cGuiFixedListEntry.infoNextInGroup(); wrong class");
  return static_cast<cGuiFixedListEntry*>(next);
}

template <class Visit>
void cGuiFixedListEntry::forEachLabel(Visit visit) {
  if (list->columns == 1) {
    for (cGuiItem* item = infoInner()->infoFirstItem(); item; item = item->internalInfoNextInGroup())
      if (item->IsOfClassType("cGuiLabel")) visit(static_cast<cGuiLabel*>(item));
    return;
  }
  cGuiItem* cell = internalInfoNextInGroup();
  for (int32_t c = 0; c < list->columns && cell; ++c, cell = cell->internalInfoNextInGroup())
    if (cell->IsOfClassType("cGuiLabel")) visit(static_cast<cGuiLabel*>(cell));
}

cGuiFixedListEntry* cGuiFixedListEntry::initAltColour() {
  forEachLabel([](cGuiLabel* cell) { cell->initAltColour(); });
  return this;
}

bool cGuiFixedListEntry::getState() { return tick ? tick->getState() : false; }

cGuiFixedListEntry* cGuiFixedListEntry::setState(bool flag) {
  if (!tick) Throw("EMU", "cGuiFixedListEntry.setState(); list entries are not selectable");
  tick->setState(flag);
  // Before the build nothing else would count the change. After it the tick
  // reports the change as an event too, which then finds it counted.
  handleSingleSelection();
  return this;
}

void cGuiFixedListEntry::handleSingleSelection() {
  const bool selected = getState();
  if (selected == countedSelected) return;
  countedSelected = selected;
  list->selectionCount += selected ? 1 : -1;
  if (list->multiSelect) return;
  if (list->singleSelected == this) {
    if (selected) Throw("BUG", "cGuiFixedListEntry.handleSingleSelection(); entry should have been unselected");
    list->singleSelected = nullptr;
  }
  if (selected) {
    cGuiFixedListEntry* previous = list->singleSelected;
    list->singleSelected = this;
    if (previous) previous->setState(false);
  }
}

void cGuiFixedListEntry::notifyStateHasChanged() {
  handleSingleSelection();
  cGuiContainerInputItem::notifyStateHasChanged();
}

// cGuiFixedListEntry: one row of a fixed list. Its inner group is a row of
// the tick (when the list's rows are selectable) and, in a one-column list,
// the label; in a list of several columns its labels follow it in the list's
// grid. The tick's changes are reported for the row.
#pragma once
#include <cstdint>

#include "gui/items/gui_container_item.h"

class cGuiWindow;
class cGuiFixedList;
class cGuiTick;

class cGuiFixedListEntry : public cGuiContainerInputItem {
  LUDEX_CLASS(cGuiFixedListEntry, cGuiContainerInputItem)
 public:
  void end_class() override;

  // A row of list showing firstColumn (one column) and keeping a copy of the
  // whole label; with a tick unless the list's rows are not selectable or this
  // is the title row.
  virtual cGuiFixedListEntry* new_cGuiFixedListEntry(cGuiWindow* window, const char* firstColumn,
                                                      const char* label, cGuiFixedList* list);
  cGuiFixedListEntry* setData(int32_t value) override {
    cGuiItem::setData(value);
    return this;
  }
  // The next row; NIL after the last. BUG when what follows is no row.
  cGuiFixedListEntry* infoNextInGroup() override;
  // The whole TAB-separated label.
  virtual const char* infoLabel() { return label; }
  // Shows the row's labels in the alternative colour.
  virtual cGuiFixedListEntry* initAltColour();
  // Whether the row is ticked (FALSE for a row without tick).
  virtual bool getState();
  // Ticks or unticks the row (EMU for a row without tick) and keeps the
  // list's selection in step.
  virtual cGuiFixedListEntry* setState(bool flag);
  // The row's place in the list, from 0 (the title row counts).
  virtual int32_t infoIndex() { return index; }
  // Brings the list's count and single selection in step with the row's
  // tick; a row whose tick is as last counted changes nothing.
  virtual void handleSingleSelection();
  // The selection first, then the row's change notification.
  void notifyStateHasChanged() override;

 private:
  // The labels that show the row's columns.
  template <class Visit>
  void forEachLabel(Visit visit);

  cGuiFixedList* list = nullptr;
  cGuiWindow* window = nullptr;
  int32_t index = 0;
  cGuiTick* tick = nullptr;  // in the inner group
  char* label = nullptr;     // owned
  bool countedSelected = false;  // the state the list's count holds for the row
};

// cGuiFixedList: a list whose rows are fixed while the window is described,
// made of ordinary items: a scrollable group of labels, one row per entry,
// with an optional title row in the alternative colour and, when rows are
// selectable, a tick per row. One column: a vertical group of rows. Several:
// a grid of columns + 1, each grid line the row item (its tick) and one label
// per column. The window describes it with beginFixedList, addFixedListEntry
// and endFixedList.
//
// The list counts its selected rows and, in single selection, keeps the one
// selected row; every row takes part through handleSingleSelection, which
// counts a row's real changes only, whenever they come: set by the program
// before or after the build, or ticked by the user.
#pragma once
#include <cstdint>

#include "gui/items/gui_container_item.h"
#include "gui/items/gui_typed_operations.h"
#include "gui/lists/gui_fixed_list_entry.h"

class cGuiWindow;

class cGuiFixedList : public cGuiContainerItem {
  LUDEX_CLASS(cGuiFixedList, cGuiContainerItem)
  friend class cGuiFixedListEntry;

 public:
  void end_class() override;

  // The inner group is made with the window's factories: a vertical group of
  // the title for one column, a grid of columns + 1 for several; it scrolls.
  // Every column is aligned left; no titles; rows not selectable.
  virtual cGuiFixedList* new_cGuiFixedList(cGuiWindow* window, int32_t columns, const char* title);

  // Options, each refused (EMU) once the list holds a row.
  // Rows get a tick; several may be ticked when multiSelect is TRUE.
  virtual cGuiFixedList* initSelectableEntries(bool multiSelect);
  // Letter i ('L', 'C', 'R', either case) aligns column i; other characters
  // leave it as it is.
  virtual cGuiFixedList* initColumnAlignment(const char* letters);
  // TAB-separated titles, shown as the title row before the first row.
  virtual cGuiFixedList* initColumnTitles(const char* titles);

  // Refused (EMU): the list always scrolls and sizes its items itself.
  cGuiFixedList* initScrollable() override;
  cGuiFixedList* initEqualSizedItems() override;
  bool infoEqualSizedItems() override;
  bool infoScrollable() override { return true; }

  // Selectable, and through *multiSelect whether several rows may be.
  virtual bool infoSelectableEntries(bool* multiSelect = nullptr);
  virtual const char* infoColumnAlignment() { return alignment; }
  virtual const char* infoColumnTitles() { return pendingTitles; }
  virtual int32_t infoColumns() { return columns; }
  virtual int32_t infoSelectionCount() { return selectionCount; }
  // The selected row of a single-selection list (NIL: none).
  virtual cGuiFixedListEntry* infoSingleSelectionEntry();
  virtual bool getMultiSelect();
  // From several to one: with more than one row selected all are unselected;
  // one selected row becomes the selected row.
  virtual cGuiFixedList* setMultiSelect(bool flag);

  // The first and the last row (the title row counts), NIL while there is none.
  cGuiFixedListEntry* infoFirstItem() override;
  cGuiFixedListEntry* infoLastItem() override { return lastRow; }
  cGuiFixedList* setData(int32_t value) override {
    cGuiItem::setData(value);
    return this;
  }

  // The window's addFixedListEntry, this list being the current build group:
  // the title row first when titles wait, then the row of label with its
  // column labels. Returns the row when rows are selectable, else NIL.
  virtual cGuiFixedListEntry* internalAddEntry(cGuiWindow* window, const char* label);

 private:
  // Makes one row of label and adds it with its column labels.
  cGuiFixedListEntry* addRow(cGuiWindow* window, const char* label);
  // Refuses an option (EMU) once a row was added.
  void requireNoRows(const char* operation);

  int32_t columns = 0;
  char* alignment = nullptr;      // owned: one letter per column
  char* pendingTitles = nullptr;  // owned: until the first row
  bool titleRowInProgress = false;
  bool selectable = false;
  bool multiSelect = false;
  cGuiFixedListEntry* singleSelected = nullptr;
  int32_t selectionCount = 0;
  cGuiFixedListEntry* lastRow = nullptr;
  int32_t rowCount = 0;
};

// The text of column (from 0) of a TAB-separated label: a new string, empty
// when the label has fewer columns.
char* fixedListColumnText(const char* label, int32_t column);

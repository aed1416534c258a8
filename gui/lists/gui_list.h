// cGuiList: the multi-column list of entries. Each entry's label holds its
// columns in order, joined by one TAB between neighbours; a column may be
// empty. A list has optional column titles, per-column alignment ('L', 'C',
// 'R') and sort type ('S' text, 'I' text ignoring case, 'N' number), optional
// single or multiple selection, a program-side mark per entry, and a cursor
// through which the program reads and changes one entry at a time.
//
// The list here keeps the options and implements the cursor search, the
// saving and finding of the cursor entry and the update merge; the entries,
// the cursor, the selection, the marks and the sorting belong to the
// platform's list host, which overrides the operations marked "host". Here
// they hold no entries: they answer as an empty unsorted list and dispose
// what they are handed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gui/items/gui_input_item.h"
#include "gui/items/gui_typed_operations.h"
#include "gui/lists/gui_list_entries.h"
#include "gui/lists/gui_list_sort.h"

class cGuiWindow;

class cGuiList : public cGuiInputItem {
  LUDEX_CLASS(cGuiList, cGuiInputItem)
  LUDEX_GUI_TYPED_INPUT(cGuiList)
 public:
  void end_class() override;

  // A copy of the title (NIL: none), the number of columns, no column titles,
  // every column aligned left and sorted as text ignoring case, entries not
  // selectable. A list has no label of its own.
  virtual cGuiList* new_cGuiList(cGuiWindow* window, int32_t columnCount, const char* listTitle);

  // ---- options (read by the host when it builds the list)
  // Entries become selectable; multiSelect lets several be selected, and
  // mode TRUE selects with the usual modifier keys, FALSE toggles per click.
  virtual cGuiList* initSelectableEntries(bool multiSelect, bool mode);
  // A copy of the TAB-separated column titles (NIL: ""): a title row.
  virtual cGuiList* initColumnTitles(const char* titles);
  // Letter i sets column i for i below both lengths: 'L', 'C', 'R' (either
  // case); other letters leave their column as it was.
  virtual cGuiList* initColumnAlignment(const char* letters);
  // The same with 'S', 'I' and 'N'.
  virtual cGuiList* initColumnSortType(const char* letters);
  virtual bool infoSelectableEntries(bool* multiSelect = nullptr, bool* mode = nullptr);
  virtual const char* infoColumnTitles() { return columnTitles; }
  virtual const char* infoColumnAlignment() { return alignment; }
  virtual const char* infoColumnSortType() { return sortTypes; }
  virtual int32_t infoColumns() { return columns; }
  // host: the number of selected entries; the label of the selected entry
  // of a single-selection list (NIL: none).
  virtual int32_t infoSelectionCount() { return 0; }
  virtual const char* infoSingleSelectionEntry() { return nullptr; }
  virtual const char* infoTitle() { return title; }
  // host: the number of entries.
  virtual int32_t infoSize() { return 0; }

  // ---- entries
  // host: adds one entry; the list takes the label and the data box over (a
  // box replaces the data value). Unsorted: appended; sorted: at its sorted
  // place. moveCursor TRUE puts the cursor on it, else the cursor keeps its
  // entry.
  virtual void addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                        bool moveCursor);
  // host: every entry the producer yields, as addEntry without moving the cursor.
  virtual void addEntryF(fGuiListEntries* f);
  // Replaces the entries of a sorted list by the chain's strings as labels.
  // The chain is the list's in every case: each string becomes a label or is
  // disposed, also when the list refuses.
  virtual void update(char* chain);
  // Replaces the entries of a sorted list by the producer's (NIL: none),
  // changing only what differs: an entry stays, with its selection, while a
  // new one stands for the same thing (gui_list_identity.h) and sorts alike.
  // The cursor and the selection stay with what their entries stand for.
  virtual void updateF(fGuiListEntries* f);
  // host: FALSE stops redrawing the list for a batch of changes; TRUE redraws.
  virtual cGuiList* setAutoUpdate(bool flag) {
    (void)flag;
    return this;
  }
  // host: marks every entry.
  virtual void markAll() {}
  // host: whether a walk through the entries in order (as an update makes)
  // reads most entries' labels and data (TRUE, the default), or passes over
  // most of them by their sort keys alone; the host asks for what the walk
  // reads ahead of it, or leaves the memory traffic to what is read.
  virtual void expectWalkReadsEntries(bool flag) { (void)flag; }

  // ---- sorting (host): none, by a column, by the user's title clicks, or by
  // an application comparison. Changing the sorting of a built list sorts it
  // at once, the cursor kept on its entry.
  virtual bool getSortByNone() { return true; }
  virtual cGuiList* setSortByNone() { return this; }
  virtual bool getSortByColumn(int32_t* column = nullptr, bool* reverse = nullptr);
  virtual cGuiList* setSortByColumn(int32_t column, bool reverse) {
    (void)column, (void)reverse;
    return this;
  }
  virtual bool getSortByUser(int32_t* column = nullptr, bool* reverse = nullptr);
  virtual cGuiList* setSortByUser(int32_t initialColumn, bool reverse) {
    (void)initialColumn, (void)reverse;
    return this;
  }
  // TRUE only for an application comparison; *sort gets the comparison in
  // use for every sorted kind (NIL: unsorted).
  virtual bool getSortByFunction(fGuiListSort** sort = nullptr) {
    if (sort) *sort = nullptr;
    return false;
  }
  virtual cGuiList* setSortByFunction(fGuiListSort* sort) {
    (void)sort;
    return this;
  }

  // ---- events (host); each get clears its event unless keep is TRUE.
  virtual bool getEventSortedByUser(bool keep, int32_t* column = nullptr, bool* reverse = nullptr);
  virtual cGuiList* setEventSortedByUser(bool flag) {
    (void)flag;
    return this;
  }
  virtual bool getEventSelectionChanged(bool keep) {
    (void)keep;
    return false;
  }
  virtual cGuiList* setEventSelectionChanged(bool flag) {
    (void)flag;
    return this;
  }
  // The label of the entry double-clicked (NIL: none); moveCursor puts the
  // cursor on it.
  virtual const char* getEventDoubleClickedEntry(bool moveCursor, bool keep) {
    (void)moveCursor, (void)keep;
    return nullptr;
  }
  // Records the cursor entry as double-clicked.
  virtual cGuiList* setEventDoubleClickedEntry() { return this; }

  // The cursor entry's label pointer (NIL for an empty list): it names the
  // entry across re-sorting.
  virtual const char* saveCursorEntry();
  // Puts the cursor on the entry holding that very label (pointer compared);
  // NIL: on the first entry, answering whether there is one. BUG
  // "cGuiList.findCursorEntry(); failed" when no entry holds it.
  virtual bool findCursorEntry(const char* label);

  // ---- the cursor: the index of one entry; moves stop at the ends (host
  // unless said otherwise).
  virtual bool cursor_gotoStart() { return false; }
  virtual bool cursor_gotoEnd() { return false; }
  // Moves n entries on (n may be negative); answers the signed number of
  // places moved.
  virtual int32_t cursor_gotoNext(int32_t n) {
    (void)n;
    return 0;
  }
  // Moves n entries back; answers the number of places moved.
  virtual int32_t cursor_gotoPrev(int32_t n) {
    (void)n;
    return 0;
  }
  virtual bool cursor_gotoFirstSelected() { return false; }
  virtual bool cursor_gotoNextSelected() { return false; }
  // Leaves the cursor on the first label matching text: length 0 the whole
  // label, n > 0 the first n characters, n < 0 the last -n characters;
  // ignoreCase folds a-z. continueSearch starts after the cursor entry,
  // otherwise at the first entry. FALSE when none matches.
  virtual bool cursor_find(const char* text, bool ignoreCase, int32_t length, bool continueSearch);
  // Moves the cursor to the first entry; answers the former index (-1 for
  // an empty list).
  virtual int32_t cursor_walkToStart();
  virtual bool cursor_isAtStart() { return true; }
  virtual bool cursor_isAtEnd() { return true; }
  // The cursor entry's label, kept by the list.
  virtual const char* cursor_getLabel() { return nullptr; }
  // The sort key of the cursor entry as the list's comparison
  // (getSortByFunction) makes it of its label, with the tie of what the
  // entry stands for, when the list keeps it at hand; FALSE when it does not
  // (the caller makes it from the label and the data).
  virtual bool cursor_getSortKey(GuiListSortKey* key) {
    (void)key;
    return false;
  }
  // The entry stores a copy of label; step 1 then moves one on, any other
  // non-zero step one back. A sorted list whose entry changes place is
  // sorted again, the cursor kept on the entry.
  virtual void cursor_setLabel(const char* label, int32_t step) { (void)label, (void)step; }
  virtual bool cursor_getAltColour() { return false; }
  virtual void cursor_setAltColour(bool flag) { (void)flag; }
  virtual bool cursor_getState() { return false; }
  virtual void cursor_setState(bool flag) { (void)flag; }
  virtual bool cursor_getMarked() { return false; }
  virtual void cursor_setMarked(bool flag) { (void)flag; }
  // A non-zero value ends the entry's data box.
  virtual int32_t cursor_getData() { return 0; }
  virtual void cursor_setData(int32_t value) { (void)value; }
  // The list takes the box over and ends the box held before; a box clears
  // the data value.
  virtual class_base* cursor_getDataBox() { return nullptr; }
  virtual void cursor_setDataBox(class_base* box) { End(box); }
  // Insert next to the cursor entry of an unsorted list (the list takes the
  // label and box over); the cursor keeps its entry.
  virtual void cursor_beforeInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox);
  virtual void cursor_afterInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox);
  // Removes and ends the cursor entry; the cursor goes to the entry before
  // (moveBack) or the entry after takes its place. FALSE when the cursor had
  // to stop at an end. A host overrides at least one of the two.
  virtual bool cursor_destroy(bool moveBack);
  // As cursor_destroy, handing back the label (the caller's); *moved gets
  // destroy's answer.
  virtual char* cursor_remove(bool moveBack, bool* moved = nullptr);

  // ---- marked entries (host)
  virtual void marked_setAltColour(bool flag) { (void)flag; }
  virtual void marked_setState(bool flag) { (void)flag; }
  virtual void marked_unmark() {}
  virtual void marked_destroy(bool moveBack) { (void)moveBack; }
  // The labels of the removed entries as a chain in list order, the caller's.
  virtual char* marked_remove(bool moveBack) {
    (void)moveBack;
    return nullptr;
  }

 protected:
  // Puts each letter of letters that is one of allowed (either case) in
  // place of the column's letter in field.
  void takeColumnLetters(char* field, const char* letters, const char* allowed);

 private:
  char* title = nullptr;         // owned; NIL: none
  int32_t columns = 0;
  char* columnTitles = nullptr;  // owned; NIL: no title row
  char* alignment = nullptr;     // owned: one letter per column
  char* sortTypes = nullptr;     // owned: one letter per column
  bool selectable = false;
  bool multiSelect = false;
  bool multiSelectMode = false;
  // The most entries one update took from its producer: the next update
  // makes room for as many at once.
  size_t largestUpdate = 0;
};

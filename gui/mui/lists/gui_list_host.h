// cGuiListHost: the list on NList.mcc inside NListview.mcc. Every row is an
// entryNode that the NList keeps as its entry. The host keeps its own cursor
// index and a mirror of the row count, keeps the program's marks in a ring,
// holds the entries added before the build until the NList exists, inserts
// batches at the bottom, at their sorted place or at a row, sorts through its
// compare hook, lets the user sort by clicking a column title, and turns the
// NList's notifications into the list's events.
#pragma once
#include <cstdint>
#include <vector>

#include "core/strings/string.h"
#include "gui/lists/gui_list.h"
#include "gui/mui/gui_shared.h"
#include "gui/mui/lists/gui_list_entry_node.h"
#include "os/mui/mui.h"

class cGuiListHost : public cGuiList {
  LUDEX_CLASS(cGuiListHost, cGuiList)
 public:
  // Sort kinds.
  static constexpr int32_t SORT_NONE = 0, SORT_BY_USER = 1, SORT_BY_COLUMN = 2, SORT_BY_FUNCTION = 3;

  cGuiListHost* new_cGuiList(cGuiWindow* window, int32_t columnCount, const char* listTitle) override;
  void end_class() override;
  void initShared() override {
    cGuiSharedBase* made = newSharedFor(this);
    attachShared(made);
    record = static_cast<cGuiShared*>(made);
  }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  // The delivery of the list's event: the pending selection, double-click
  // and title-click flags become events (a title click re-sorts a
  // user-sorted list), then the change notification runs, last: it may end
  // the list with its window.
  void notifyStateHasChanged() override;

  cGuiListHost* initColumnSortType(const char* letters) override;
  cGuiListHost* setGhosted(bool flag) override;
  cGuiListHost* setPopupHint(const char* hint) override;

  int32_t infoSize() override;
  int32_t infoSelectionCount() override;
  const char* infoSingleSelectionEntry() override;

  void addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                bool moveCursor) override;
  void addEntryF(fGuiListEntries* f) override;
  cGuiListHost* setAutoUpdate(bool flag) override;
  void markAll() override;
  void expectWalkReadsEntries(bool flag) override;

  bool getSortByNone() override { return sortKind == SORT_NONE; }
  cGuiListHost* setSortByNone() override;
  bool getSortByColumn(int32_t* column = nullptr, bool* reverse = nullptr) override;
  cGuiListHost* setSortByColumn(int32_t column, bool reverse) override;
  bool getSortByUser(int32_t* column = nullptr, bool* reverse = nullptr) override;
  cGuiListHost* setSortByUser(int32_t initialColumn, bool reverse) override;
  bool getSortByFunction(fGuiListSort** sort = nullptr) override;
  cGuiListHost* setSortByFunction(fGuiListSort* sort) override;

  bool getEventSortedByUser(bool keep, int32_t* column = nullptr, bool* reverse = nullptr) override;
  cGuiListHost* setEventSortedByUser(bool flag) override;
  bool getEventSelectionChanged(bool keep) override;
  cGuiListHost* setEventSelectionChanged(bool flag) override;
  const char* getEventDoubleClickedEntry(bool moveCursor, bool keep) override;
  cGuiListHost* setEventDoubleClickedEntry() override;

  bool cursor_gotoStart() override;
  bool cursor_gotoEnd() override;
  int32_t cursor_gotoNext(int32_t n) override;
  int32_t cursor_gotoPrev(int32_t n) override;
  bool cursor_gotoFirstSelected() override;
  bool cursor_gotoNextSelected() override;
  bool cursor_isAtStart() override { return cursorIndex == 0; }
  bool cursor_isAtEnd() override { return cursorIndex + 1 == entryCount; }
  // The cursor's entry, NIL for an empty list.
  virtual entryNode* cursor_infoEntry();
  const char* cursor_getLabel() override;
  bool cursor_getSortKey(GuiListSortKey* key) override;
  void cursor_setLabel(const char* label, int32_t step) override;
  bool cursor_getAltColour() override;
  void cursor_setAltColour(bool flag) override;
  bool cursor_getState() override;
  void cursor_setState(bool flag) override;
  bool cursor_getMarked() override;
  void cursor_setMarked(bool flag) override;
  int32_t cursor_getData() override;
  void cursor_setData(int32_t value) override;
  class_base* cursor_getDataBox() override;
  void cursor_setDataBox(class_base* box) override;
  void cursor_beforeInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) override;
  void cursor_afterInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) override;
  bool cursor_destroy(bool moveBack) override;
  char* cursor_remove(bool moveBack, bool* moved = nullptr) override;

  void marked_setAltColour(bool flag) override;
  void marked_setState(bool flag) override;
  void marked_unmark() override;
  void marked_destroy(bool moveBack) override;
  char* marked_remove(bool moveBack) override;

  // Ends the entry of a row the NList removed: at once, or while redrawing
  // is off, together with the others removed in that time once it comes
  // back on (the entries are then fetched from memory ahead of their end).
  // A marked entry leaves the marks at once.
  void endRemovedEntry(entryNode* entry);

  // Sorts the NList and puts the cursor back on its entry.
  virtual void sortListKeepingCursorLocation();
  // The program's marks (NIL once the list ends).
  virtual markList* infoMarks() { return marks; }
  // The NList object; NIL before the build.
  virtual Object* infoNList() { return record ? record->object : nullptr; }
  // What the title row shows, column by column (empty before the build).
  virtual char** infoTitleColumns() { return titleColumns; }

  // The hooks' work, with the host as the hooks' data.
  IPTR guiListDisplay(const char** columnTexts, entryNode* entry);
  // NList's order: negative when entry1 sorts first (the NList hands its
  // entries as (entry2, entry1)).
  IPTR guiListCompare(entryNode* entry2, entryNode* entry1);
  // The entry's key in NList's order (reversed with the sort): 1, or 0 when
  // the sort kind or the entry's text has none and the compare hook decides.
  IPTR guiListSortKey(NListSortKey* key, entryNode* entry);
  // The keys of many entries at once: 1, or 0 when one of them has none.
  IPTR guiListSortKeys(NListSortKey* keys, void* const* entries, size_t count);

 private:
  friend IPTR guiListSelectionChanged(Hook* hook, void* object, void* message);
  friend IPTR guiListDoubleClicked(Hook* hook, void* object, void* message);
  friend IPTR guiListSortByUser(Hook* hook, void* object, void* message);

  // Insert positions: a row number, or one of these.
  static constexpr IPTR AT_BOTTOM = -3, AT_SORTED_PLACE = -2;

  cGuiWindow* window = nullptr;
  cGuiShared* record = nullptr;  // the item's own, read on every operation
  Hook destructHook{};
  Hook displayHook{};
  Hook compareHook{};
  Hook sortKeyHook{};
  Hook sortKeysHook{};
  char** titleColumns = nullptr;  // owned, made at build
  int32_t cursorIndex = 0;
  int32_t entryCount = 0;
  markList* marks = nullptr;  // owned
  Hook selectionChangedHook{};
  bool selectionChangedPending = false;
  bool selectionChangedEvent = false;
  Hook doubleClickHook{};
  bool doubleClickPending = false;
  // The entry of the row double-clicked, taken when the user double-clicked
  // it, and the one of the event delivered (NIL: none, or its row went).
  entryNode* doubleClickTaken = nullptr;
  entryNode* doubleClicked = nullptr;
  void takeDoubleClickedEntry();
  int32_t sortKind = SORT_NONE;
  int32_t sortColumn = 0;
  bool sortReversed = false;
  fGuiListSort* sortFunction = nullptr;          // the application's
  fGuiListSortByColumn* columnSort = nullptr;    // owned, made on first use
  Hook titleClickHook{};
  bool titleClickPending = false;
  bool sortedByUserEvent = false;
  entryList* pending = nullptr;  // owned; NIL when none
  bool quiet = false;                // redrawing is off (setAutoUpdate(FALSE))
  std::vector<entryNode*> removedEntries;  // to end when redrawing comes back on
  void endRemovedEntries();
  bool selectionFixPending = false;  // a single-selection fix waits for the redraw
  // While quiet: the list is known to have no active row (the program's own
  // settings of the active row keep this right; no user acts meanwhile).
  bool noActiveRowWhileQuiet = false;
  int32_t selectedBeforeQuiet = 0;   // the selected rows when redrawing went off
  // The number of selected rows (0 when rows are not selectable).
  int32_t selectedRows();
  // Sets the select-change attribute, as a person's change of the selection
  // does, when fewer rows than before are selected.
  void reportLostSelection(int32_t before);

  bool built() { return record && record->object; }
  // EMU "cGuiList.<operation>(); the window must be built first" unless built.
  void requireBuilt(const char* operation);
  // The cursor entry: refused before the build (cursor_infoEntry's message)
  // and for an empty list ("cGuiList.<operation>(); list is empty"). At hand
  // for every read of the cursor entry: an update reads it at every step.
  entryNode* requireCursorEntry(const char* operation) {
    if (!built()) requireBuilt("cursor_infoEntry");
    entryNode* e = entryCount > 0 ? entryAt(cursorIndex) : nullptr;
    if (!e) refuseEmpty(operation);
    return e;
  }
  [[noreturn]] void refuseEmpty(const char* operation);
  // The entry of a row; the row read last is remembered until the rows change.
  entryNode* entryAt(int32_t row) { return row >= 0 && row == knownRow ? knownEntry : readEntryAt(row); }
  entryNode* readEntryAt(int32_t row);
  int32_t knownRow = -1;
  entryNode* knownEntry = nullptr;
  // Inserts, removes or sorts rows with the NList method in message;
  // answers the method's answer.
  IPTR changeRows(const IPTR* message);
  IPTR nlistValue(Tag attribute);
  void setNList(Tag attribute, IPTR value);
  void refreshCount();
  void fixSingleSelection();
  void clampCursor();
  void showSortMark();
  // The sort getters' answer: whether kind is the list's, with its column.
  bool answerSortKind(int32_t kind, int32_t* column, bool* reverse);
  void takeSortColumn(int32_t kind, int32_t column, bool reverse);
  void reinitColumnSort();
  // The sort keys of the entries: remade on first use after the sort
  // column or the sort types changed.
  uint32_t sortKeyStamp = 1;
  void forgetSortKeys();
  GuiListSortKey keyOf(entryNode* entry) {
    entry->makeTie();
    if (entry->sortKeyStamp != sortKeyStamp) makeKeyOf(entry);
    return entry->sortKey();
  }
  void makeKeyOf(entryNode* entry);
  // +1 when entry1 comes first of two entries the sort takes as alike: by
  // what each stands for; 0 when both stand for the same.
  int compareStandsFor(entryNode* entry1, entryNode* entry2);
  // The comparison the list sorts by (NIL: unsorted).
  fGuiListSort* listComparison();
  // Sorts a built list at once, the cursor kept on its entry.
  void sortNowIfBuilt();
  bool singleSelection();

  cGuiChildList* buildList();
  intptr_t setupNotify();

  // A ring of new entries, in the order given (a label heading a chain of
  // strings gives one entry per string; only the first takes the box and
  // the sort key made of its label, when usable); the count in *count.
  entryNode* createEntries(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                           int32_t* count, const GuiListSortKey* known = nullptr);
  // Takes a key the list's comparison made of the entry's label as the
  // entry's own; FALSE when it cannot tell it is the same.
  bool adoptSortKey(entryNode* entry, const GuiListSortKey& known);
  // Keeps a batch until the list is built.
  void keepPending(entryNode* first);
  // Every entry of the producer's labels, as createEntries makes them; made
  // (NIL: not wanted) gets the entries in order too.
  // made (NIL: not wanted): every entry made, in order; madeKeys (NIL: not
  // wanted): their keys as the sort keys hook gives them, made while each
  // entry is at hand.
  entryNode* createEntriesF(fGuiListEntries* source, int32_t* count, std::vector<entryNode*>* made = nullptr,
                            std::vector<NListSortKey>* madeKeys = nullptr);
  // Hands the ring to the NList at position (count 0: count the ring); made,
  // when given, holds the ring's entries in order.
  void insertEntriesAt(IPTR position, entryNode* first, int32_t count, entryNode* const* made = nullptr,
                       const NListSortKey* madeKeys = nullptr);
  // The keys of the batch being inserted (made as its entries were): the
  // sort keys hook hands them over instead of reading every entry again,
  // for the entries it is asked about in their order.
  struct BatchKeys {
    entryNode* const* entries = nullptr;
    const NListSortKey* keys = nullptr;  // NIL: none
    size_t count = 0;
    size_t next = 0;  // the first entry not asked about yet
  };
  BatchKeys batchKeys;
  size_t largestBatch = 0;  // the most entries one addEntryF added so far
  // Where a new entry goes in a sorted list: the cursor's row when it
  // belongs just before the cursor entry, the bottom when it belongs after
  // the last entry, else AT_SORTED_PLACE (the NList finds it). The update
  // merge adds each entry in one of the first two places.
  IPTR sortedPositionNearCursor(entryNode* added);
  // Moves the cursor forward to the entry (at most count steps); FALSE when
  // it is not met.
  bool moveCursorForwardTo(entryNode* target);
  // cursor_beforeInsert and cursor_afterInsert: the list takes the label and
  // box over, also when it refuses.
  void insertNextToCursor(const char* operation, bool after, char* label, bool altColour, bool marked, int32_t data,
                          class_base* dataBox);
  // Removes the rows whose entries are marked; labels, when given, collects
  // their labels in list order.
  void removeMarked(bool moveBack, StringChain* labels);
};

IPTR guiListDisplay(Hook* hook, void* columns, void* entry);
IPTR guiListCompare(Hook* hook, void* entry2, void* entry1);
IPTR guiListSortKey(Hook* hook, void* key, void* entry);
IPTR guiListSortKeys(Hook* hook, void* keys, void* batch);
// The list's change hooks: (hook, object, [list, window]); each sets its
// pending flag and then does what the toolkit's action hook does.
IPTR guiListSelectionChanged(Hook* hook, void* object, void* message);
IPTR guiListDoubleClicked(Hook* hook, void* object, void* message);
IPTR guiListSortByUser(Hook* hook, void* object, void* message);

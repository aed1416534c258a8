#include "gui/mui/lists/gui_list_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "gui/lists/gui_list_identity.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/client/gui_window_host.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/lists/gui_list_hooks.h"
#include "os/mui/mui_lists.h"

namespace {

constexpr const char* BOLD_PREFIX = "\x1b" "b";
constexpr const char* MISSING_NLIST_MESSAGE =
    "ERROR: Missing the NList MCC, please install it for MUI.  You can download it from:\n"
    "https://github.com/amiga-mui/nlist/releases\n";

cGuiListHost* hostOf(Hook* hook) { return static_cast<cGuiListHost*>(hook->h_Data); }

// Runs a hook's work; an error raised in it is printed, as every toolkit
// hook does, and the hook answers 0.
template <class Work>
IPTR guarded(Work&& work) {
  try {
    return work();
  } catch (const Exception& e) {
    PrintException(e);
    return 0;
  }
}

// What the toolkit's action hook does with [list, window]: queue the list's
// change event.
IPTR passToActionHook(void* object, void* message) {
  return CallHookPkt(infoGuiActionHook(), object, message);
}

cGuiListHost* listOfMessage(void* message) {
  auto* words = static_cast<IPTR*>(message);
  return words ? reinterpret_cast<cGuiListHost*>(words[0]) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Hooks

IPTR guiListDisplay(Hook* hook, void* columns, void* entry) {
  return guarded([&] { return hostOf(hook)->guiListDisplay(static_cast<const char**>(columns),
                                                           static_cast<entryNode*>(entry)); });
}

IPTR guiListCompare(Hook* hook, void* entry2, void* entry1) {
  return guarded([&] { return hostOf(hook)->guiListCompare(static_cast<entryNode*>(entry2),
                                                           static_cast<entryNode*>(entry1)); });
}

IPTR guiListSortKey(Hook* hook, void* key, void* entry) {
  return guarded([&] { return hostOf(hook)->guiListSortKey(static_cast<NListSortKey*>(key),
                                                           static_cast<entryNode*>(entry)); });
}

IPTR guiListSortKeys(Hook* hook, void* keys, void* batch) {
  return guarded([&] {
    const auto* b = static_cast<const NListSortKeys*>(batch);
    return hostOf(hook)->guiListSortKeys(static_cast<NListSortKey*>(keys), b->entries, b->count);
  });
}

IPTR guiListSelectionChanged(Hook* hook, void* object, void* message) {
  (void)hook;
  return guarded([&]() -> IPTR {
    if (cGuiListHost* list = listOfMessage(message)) list->selectionChangedPending = true;
    return passToActionHook(object, message);
  });
}

IPTR guiListDoubleClicked(Hook* hook, void* object, void* message) {
  (void)hook;
  return guarded([&]() -> IPTR {
    // The entry is taken now, as the user double-clicked it: by the time
    // the event is delivered, other events may have changed the rows.
    if (cGuiListHost* list = listOfMessage(message)) {
      list->doubleClickPending = true;
      list->takeDoubleClickedEntry();
    }
    return passToActionHook(object, message);
  });
}

IPTR guiListSortByUser(Hook* hook, void* object, void* message) {
  (void)hook;
  return guarded([&]() -> IPTR {
    if (cGuiListHost* list = listOfMessage(message)) list->titleClickPending = true;
    return passToActionHook(object, message);
  });
}

IPTR cGuiListHost::guiListDisplay(const char** columnTexts, entryNode* entry) {
  char** shown = entry ? entry->columnTexts() : titleColumns;
  for (int32_t i = 0; i < infoColumns(); ++i) columnTexts[i] = shown ? shown[i] : "";
  return 0;
}

int cGuiListHost::compareStandsFor(entryNode* entry1, entryNode* entry2) {
  entry1->makeTie();
  entry2->makeTie();
  const int result = compareKeyTies(entry1->sortKey(), entry2->sortKey());
  if (result != SORT_KEYS_UNDECIDED) return result;
  return compareIdentities(identityOf(entry1->label, entry1->data, entry1->dataBox),
                           identityOf(entry2->label, entry2->data, entry2->dataBox));
}

fGuiListSort* cGuiListHost::listComparison() {
  fGuiListSort* sort = nullptr;
  getSortByFunction(&sort);
  return sort;
}

IPTR cGuiListHost::guiListCompare(entryNode* entry2, entryNode* entry1) {
  // +1 when entry1 comes first: by the sort, then by what each stands for.
  int result = 0;
  switch (sortKind) {
    case SORT_NONE: return 0;
    case SORT_BY_USER:
    case SORT_BY_COLUMN:
      // The keys decide most comparisons of a sort without reading the
      // texts; else the list's own column comparison, as the update merge
      // compares: the labels' columns, a pen of a label's own included.
      result = compareKeyTexts(keyOf(entry1), keyOf(entry2));
      if (result == SORT_KEYS_UNDECIDED)
        result = listComparison()->call(entry1->label, entry2->label);
      else if (sortReversed)
        result = -result;
      break;
    case SORT_BY_FUNCTION: result = sortFunction->call(entry1->label, entry2->label); break;
    default: Throw("BUG", "cGui; guiListCompare(); unknown sortBy value");
  }
  if (result == 0) result = compareStandsFor(entry1, entry2);
  // Negative when entry1 comes first.
  return -static_cast<IPTR>(result);
}

IPTR cGuiListHost::guiListSortKey(NListSortKey* key, entryNode* entry) {
  if (sortKind != SORT_BY_USER && sortKind != SORT_BY_COLUMN) return 0;
  // Read from the entry's own words: a sort asks this of every entry.
  entry->makeTie();
  if (entry->sortKeyStamp != sortKeyStamp) makeKeyOf(entry);
  if (entry->sortKeyStamp == 0) return 0;  // no usable key
  // The keys order texts first to last; a reversed sort turns every order
  // between texts round, and none between what entries stand for.
  const uint64_t turn = sortReversed ? ~uint64_t{0} : 0;
  key->high = entry->keyHigh ^ turn;
  key->low = entry->keyLow ^ turn;
  key->whole = entry->keyWhole ? 1 : 0;
  key->tie = entry->tie;
  key->tieWhole = entry->tieWhole ? 1 : 0;
  return 1;
}

IPTR cGuiListHost::guiListSortKeys(NListSortKey* keys, void* const* entries, size_t count) {
  if (sortKind != SORT_BY_USER && sortKind != SORT_BY_COLUMN) return 0;
  // The batch being inserted, asked about in its order: its keys as made.
  BatchKeys& batch = batchKeys;
  if (batch.keys && count <= batch.count - batch.next &&
      std::equal(entries, entries + count, batch.entries + batch.next)) {
    std::copy(batch.keys + batch.next, batch.keys + batch.next + count, keys);
    batch.next += count;
    return 1;
  }
  // The entries a few ahead, then the labels of those nearer whose keys are
  // still to be made: a sort reads every entry, scattered in memory, and the
  // labels of a column not sorted by before.
  constexpr size_t FAR = 8;
  constexpr size_t NEAR = 4;
  auto entry = [entries](size_t i) { return static_cast<entryNode*>(entries[i]); };
  auto fetchLabel = [&](size_t i) {
    if (entry(i)->sortKeyStamp != sortKeyStamp) FetchStringAhead(entry(i)->label);
  };
  for (size_t i = 0; i < count && i < FAR; ++i) fetchEntryAhead(entry(i));
  for (size_t i = 0; i < count && i < NEAR; ++i) fetchLabel(i);
  for (size_t i = 0; i < count; ++i) {
    if (i + FAR < count) fetchEntryAhead(entry(i + FAR));
    if (i + NEAR < count) fetchLabel(i + NEAR);
    if (guiListSortKey(&keys[i], entry(i)) == 0) return 0;
  }
  return 1;
}

void cGuiListHost::makeKeyOf(entryNode* entry) {
  // The sort column's text as the label holds it, up to its TAB: the key
  // orders as the list's column comparison does (or is not usable).
  const char* column = entry->label + findColumn(entry->label, sortColumn, nullptr);
  GuiListSortKey key;
  makeSortKey(column, infoColumnSortType()[sortColumn], true, &key);
  entry->setKeyText(key, sortKeyStamp);
}

// ---------------------------------------------------------------------------
// Life

cGuiListHost* cGuiListHost::new_cGuiList(cGuiWindow* owner, int32_t columnCount, const char* listTitle) {
  cGuiList::new_cGuiList(owner, columnCount, listTitle);
  window = owner;
  destructHook = Hook{nullptr, nullptr, ::guiListDestruct, nullptr, this};
  displayHook = Hook{nullptr, nullptr, ::guiListDisplay, nullptr, this};
  compareHook = Hook{nullptr, nullptr, ::guiListCompare, nullptr, this};
  sortKeyHook = Hook{nullptr, nullptr, ::guiListSortKey, nullptr, this};
  sortKeysHook = Hook{nullptr, nullptr, ::guiListSortKeys, nullptr, this};
  selectionChangedHook = Hook{nullptr, nullptr, guiListSelectionChanged, nullptr, this};
  doubleClickHook = Hook{nullptr, nullptr, guiListDoubleClicked, nullptr, this};
  titleClickHook = Hook{nullptr, nullptr, guiListSortByUser, nullptr, this};
  marks = (new markList)->new_markList();
  selectionChangedPending = selectionChangedEvent = false;
  doubleClickPending = titleClickPending = sortedByUserEvent = false;
  doubleClickTaken = doubleClicked = nullptr;
  pending = nullptr;
  setSortByNone();
  return this;
}

void cGuiListHost::end_class() {
  endRemovedEntries();
  quiet = false;
  Arena::release(titleColumns);
  titleColumns = nullptr;
  // Pending entries first: a marked one leaves the marks as it ends.
  End(pending);
  End(marks);
  End(columnSort);
  cGuiList::end_class();
}

void cGuiListHost::requireBuilt(const char* operation) {
  if (!built()) ThrowF("EMU", "cGuiList.%s(); the window must be built first", operation);
}

void cGuiListHost::refuseEmpty(const char* operation) { ThrowF("EMU", "cGuiList.%s(); list is empty", operation); }

entryNode* cGuiListHost::readEntryAt(int32_t row) {
  if (row < 0) return nullptr;
  auto* e = reinterpret_cast<entryNode*>(DoMethod(infoNList(), MUIM_NList_GetEntry, row, nullptr));
  knownRow = e ? row : -1;
  knownEntry = e;
  return e;
}

IPTR cGuiListHost::changeRows(const IPTR* message) {
  // Before and after: a hook the change calls may read the list.
  knownRow = -1;
  IPTR answer = 0;
  WithCleanUp([&] { answer = DoMethodA(infoNList(), message); }, [&] { knownRow = -1; });
  return answer;
}

IPTR cGuiListHost::nlistValue(Tag attribute) {
  IPTR value = 0;
  GetAttr(attribute, infoNList(), &value);
  return value;
}

void cGuiListHost::setNList(Tag attribute, IPTR value) {
  if (attribute == MUIA_NList_Active) noActiveRowWhileQuiet = quiet && value == MUIV_NList_Active_Off;
  SetAttrs(infoNList(), attribute, value);
}

void cGuiListHost::refreshCount() { entryCount = static_cast<int32_t>(nlistValue(MUIA_NList_Entries)); }

bool cGuiListHost::singleSelection() {
  bool multi = false;
  return infoSelectableEntries(&multi) && !multi;
}

// The NList re-selects its active row after rows come and go. The row is the
// same, so the write-back notifies nobody: a notification here would queue
// a change of the list for every row an update removes.
void cGuiListHost::fixSingleSelection() {
  // While redrawing is off the fix waits: once, when it comes back on, is
  // enough for a whole batch of changes.
  if (quiet) {
    selectionFixPending = true;
    return;
  }
  if (!singleSelection()) return;
  const IPTR active = nlistValue(MUIA_NList_Active);
  if (active != MUIV_NList_Active_Off) DoMethod(infoNList(), MUIM_NoNotifySet, MUIA_NList_Active, active);
}

void cGuiListHost::clampCursor() {
  if (cursorIndex >= entryCount) cursorIndex = entryCount - 1;
  if (cursorIndex < 0) cursorIndex = 0;
}

// ---------------------------------------------------------------------------
// Build and notifications

cGuiChildList* cGuiListHost::buildList() {
  const int32_t columns = infoColumns();
  const char* alignment = infoColumnAlignment();
  char* format = NewString(columns * 16);
  for (int32_t i = 0; i < columns; ++i) {
    if (i) StrAdd(format, ",");
    StrAdd(format, alignment[i] == 'R' ? "BAR P=\"\x1br\"" : alignment[i] == 'C' ? "BAR P=\"\x1b" "c\"" : "BAR");
  }
  bool multi = false, mode = false;
  const bool selectable = infoSelectableEntries(&multi, &mode);
  const IPTR multiSelect = !multi ? MUIV_NList_MultiSelect_None
                                  : mode ? MUIV_NList_MultiSelect_Default : MUIV_NList_MultiSelect_Always;
  const bool titled = infoColumnTitles() != nullptr;
  Object* nlist = MUI_NewObject("NList.mcc", MUIA_NList_Input, selectable ? 1 : 0, MUIA_NList_MultiSelect,
                                multiSelect, MUIA_NList_ConstructHook, &guiListConstructHook,
                                MUIA_NList_DestructHook, &destructHook, MUIA_NList_DisplayHook,
                                &displayHook, MUIA_NList_CompareHook, &compareHook, MUIA_NList_SortKeyHook,
                                &sortKeyHook, MUIA_NList_SortKeysHook, &sortKeysHook, MUIA_NList_FetchHook,
                                &guiListFetchHook, MUIA_NList_Format, format,
                                titled ? MUIA_NList_Title : TAG_IGNORE, 1,
                                titled ? MUIA_NList_TitleSeparator : TAG_IGNORE, 1);
  DisposeString(format);
  if (!nlist) {
    // Nothing more can be built: the entries wait for the list's end.
    std::printf("%s", MISSING_NLIST_MESSAGE);
    return cGuiChildList::of(nullptr);
  }
  const char* title = infoTitle();
  Object* view = MUI_NewObject("NListview.mcc", title ? MUIA_Frame : TAG_IGNORE,
                               selectable ? MUIV_Frame_InputList : MUIV_Frame_ReadList,
                               title ? MUIA_FrameTitle : TAG_IGNORE, title, MUIA_NListview_NList, nlist,
                               infoUseLeastSpace() ? MUIA_Weight : TAG_IGNORE, 0);
  if (!view) return cGuiChildList::of(nullptr);  // the view ended the list it was given
  record->object = nlist;
  titleColumns = parseIntoColumns(titled ? infoColumnTitles() : "", columns, titleColumns, BOLD_PREFIX);
  if (getPopupHint()) applyPopupHint(record, getPopupHint());
  if (getGhosted()) setNList(MUIA_Disabled, 1);
  cursorIndex = 0;
  entryCount = 0;
  if (entryNode* first = pending ? pending->takeAll() : nullptr)
    insertEntriesAt(getSortByNone() ? AT_BOTTOM : AT_SORTED_PLACE, first, 0);
  End(pending);
  if (sortKind == SORT_BY_USER) showSortMark();
  return cGuiChildList::of(view);
}

intptr_t cGuiListHost::setupNotify() {
  Object* nlist = infoNList();
  if (!nlist) return toIPTR(this);
  const IPTR target[] = {toIPTR(this), toIPTR(record->window)};
  auto notifyHook = [&](Tag attribute, IPTR value, Hook* hook) {
    const IPTR call[] = {MUIM_CallHook, toIPTR(hook)};
    muim_Notify(nlist, attribute, value, nlist, call, 2, target, 2);
  };
  notifyHook(MUIA_NList_SelectChange, 1, &selectionChangedHook);
  notifyHook(MUIA_NList_Active, MUIV_EveryTime, &selectionChangedHook);
  notifyHook(MUIA_NList_DoubleClick, MUIV_EveryTime, &doubleClickHook);
  notifyHook(MUIA_NList_TitleClick, MUIV_EveryTime, &titleClickHook);
  return toIPTR(this);
}

intptr_t cGuiListHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildList());
    case GUI_SHARED_SETUP_NOTIFY: return setupNotify();
    case GUI_SHARED_FIXED_WIDTH: return infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return infoUseLeastSpace();
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiList.shared(); unknown method id");
  }
}

void cGuiListHost::notifyStateHasChanged() {
  // The pending changes become events first and the list's notification
  // runs last: it may end the window, and the list with it (a dialog that
  // closes on a pick), so nothing of the list is read after it.
  if (selectionChangedPending) {
    selectionChangedEvent = true;
    selectionChangedPending = false;
  }
  if (doubleClickPending) {
    doubleClicked = doubleClickTaken;
    doubleClickTaken = nullptr;
  }
  doubleClickPending = false;
  if (sortKind == SORT_BY_USER && titleClickPending && built()) {
    const IPTR column = nlistValue(MUIA_NList_TitleClick);
    if (column >= 0 && column < infoColumns()) {
      if (column == sortColumn) {
        sortReversed = !sortReversed;  // the keys stay: see takeSortColumn
      } else {
        sortColumn = static_cast<int32_t>(column);
        sortReversed = false;
        forgetSortKeys();
      }
      showSortMark();
      reinitColumnSort();
      sortListKeepingCursorLocation();
      sortedByUserEvent = true;
    }
  }
  titleClickPending = false;
  cGuiList::notifyStateHasChanged();
}

void cGuiListHost::takeDoubleClickedEntry() {
  const IPTR row = built() ? nlistValue(MUIA_NList_DoubleClick) : static_cast<IPTR>(-1);
  doubleClickTaken = row >= 0 ? entryAt(static_cast<int32_t>(row)) : nullptr;
}

cGuiListHost* cGuiListHost::initColumnSortType(const char* letters) {
  cGuiList::initColumnSortType(letters);
  reinitColumnSort();
  forgetSortKeys();
  return this;
}

cGuiListHost* cGuiListHost::setGhosted(bool flag) {
  cGuiInputItem::setGhosted(flag);
  if (built()) setNList(MUIA_Disabled, flag ? 1 : 0);
  return this;
}

cGuiListHost* cGuiListHost::setPopupHint(const char* hint) {
  keepAndApplyPopupHint(this, hint);
  return this;
}

// ---------------------------------------------------------------------------
// Size and selection

int32_t cGuiListHost::infoSize() {
  requireBuilt("infoSize");
  return entryCount;
}

int32_t cGuiListHost::infoSelectionCount() {
  requireBuilt("infoSelectionCount");
  bool multi = false;
  if (!infoSelectableEntries(&multi)) return 0;
  if (multi) {
    IPTR count = 0;
    DoMethod(infoNList(), MUIM_NList_Select, MUIV_NList_Select_All, MUIV_NList_Select_Ask, &count);
    return static_cast<int32_t>(count);
  }
  return nlistValue(MUIA_NList_Active) != MUIV_NList_Active_Off ? 1 : 0;
}

const char* cGuiListHost::infoSingleSelectionEntry() {
  requireBuilt("infoSingleSelectionEntry");
  bool multi = false;
  if (!infoSelectableEntries(&multi))
    Throw("EMU", "cGuiList.infoSingleSelectionEntry(); this does not make sense, as entries are not selectable");
  if (multi) Throw("EMU", "cGuiList.infoSingleSelectionEntry(); this cannot be called when multiSelect=TRUE");
  entryNode* e = entryAt(static_cast<int32_t>(nlistValue(MUIA_NList_Active)));
  return e ? e->label : nullptr;
}

// ---------------------------------------------------------------------------
// Adding entries

bool cGuiListHost::adoptSortKey(entryNode* entry, const GuiListSortKey& known) {
  if (!known.usable || (sortKind != SORT_BY_USER && sortKind != SORT_BY_COLUMN)) return false;
  // The comparison keys the column's text as the label holds it, as the
  // entry does; a tie part made of the same label, data and box is the
  // entry's own.
  GuiListSortKey own = known;
  if (sortReversed) reverseSortKey(&own);
  entry->setKeyText(own, sortKeyStamp);
  if (known.tieMade) entry->setTie(known.tie, known.tieWhole);
  return true;
}

entryNode* cGuiListHost::createEntries(char* label, bool altColour, bool marked, int32_t data,
                                       class_base* dataBox, int32_t* count, const GuiListSortKey* known) {
  entryNode* first = nullptr;
  int32_t made = 0;
  try {
    while (label) {
      char* rest = StrNext(label);
      StrLink(label, nullptr);
      auto* e = new entryNode;
      char* text = label;
      label = rest;
      class_base* box = made == 0 ? dataBox : nullptr;
      if (made == 0) dataBox = nullptr;
      e->new_entryNode(text, this, altColour, marked, data, box);
      // The key while the label and the box are at hand: sorting and sorted
      // inserts then read only the entry.
      if (sortKind == SORT_BY_USER || sortKind == SORT_BY_COLUMN)
        if (made > 0 || !known || !adoptSortKey(e, *known)) keyOf(e);
      first = appendRing(first, e);
      ++made;
    }
  } catch (...) {
    DisposeString(label);
    End(dataBox);
    endEntryRing(first);
    throw;
  }
  End(dataBox);  // no label: nothing holds it
  if (count) *count = made;
  return first;
}

namespace {
// The entries after which a batch counts as long.
constexpr size_t LONG_BATCH = 1024;
}  // namespace

entryNode* cGuiListHost::createEntriesF(fGuiListEntries* source, int32_t* count, std::vector<entryNode*>* made,
                                        std::vector<NListSortKey>* madeKeys) {
  entryNode* first = nullptr;
  int32_t entries = 0;
  bool keyed = madeKeys && (sortKind == SORT_BY_USER || sortKind == SORT_BY_COLUMN);
  try {
    GuiListEntryMore more;
    while (char* label = takeEntry(source, &more)) {
      // A label heading a chain gives several entries.
      int32_t fromLabel = 0;
      entryNode* added = createEntries(label, more.altColour, more.marked, more.data, more.dataBox, &fromLabel,
                                       &more.sortKey);
      first = appendRing(first, added);
      entries += fromLabel;
      if (made) {
        entryNode* e = added;
        for (int32_t i = 0; i < fromLabel; ++i, e = e->batchNext) {
          // A long batch takes room for as many entries as the largest one
          // before: its arrays then grow no more than once.
          if (made->size() == LONG_BATCH) {
            made->reserve(largestBatch);
            if (keyed) madeKeys->reserve(largestBatch);
          }
          made->push_back(e);
          if (!keyed) continue;
          NListSortKey key{};
          keyed = guiListSortKey(&key, e) != 0;
          madeKeys->push_back(key);
        }
      }
    }
  } catch (...) {
    endEntryRing(first);
    throw;
  }
  if (madeKeys && !keyed) madeKeys->clear();
  if (count) *count = entries;
  return first;
}

void cGuiListHost::insertEntriesAt(IPTR position, entryNode* first, int32_t count, entryNode* const* made,
                                   const NListSortKey* madeKeys) {
  if (!first) return;
  if (count == 0)
    for (entryNode* e = first; count == 0 || e != first; e = e->batchNext) ++count;
  // The NList keeps each entry as it is; the batch links are no longer used.
  if (count == 1) {
    const IPTR insert[] = {MUIM_NList_InsertSingle, toIPTR(first), position};
    changeRows(insert);
  } else if (made) {
    // In the order made, without walking the ring's links through memory.
    const IPTR insert[] = {MUIM_NList_Insert, toIPTR(made), static_cast<IPTR>(count), position};
    batchKeys = BatchKeys{made, madeKeys, static_cast<size_t>(count), 0};
    WithCleanUp([&] { changeRows(insert); }, [&] { batchKeys = BatchKeys{}; });
  } else {
    auto** array = static_cast<entryNode**>(Arena::alloc(sizeof(entryNode*) * static_cast<size_t>(count)));
    entryNode* e = first;
    for (int32_t i = 0; i < count; ++i, e = e->batchNext) array[i] = e;
    const IPTR insert[] = {MUIM_NList_Insert, toIPTR(array), static_cast<IPTR>(count), position};
    WithCleanUp([&] { changeRows(insert); }, [&] { Arena::release(array); });
  }
  fixSingleSelection();
  refreshCount();
}

IPTR cGuiListHost::sortedPositionNearCursor(entryNode* added) {
  // NList's sorted place: after every entry that does not sort after it.
  // Through the compare hook, as the NList compares: an error raised by an
  // application's comparison is printed there and leaves the entry with the
  // list, never between the two.
  auto strictlyBefore = [&](entryNode* a, entryNode* b) {
    return static_cast<intptr_t>(CallHookPkt(&compareHook, a, b)) > 0;
  };
  entryNode* last = entryAt(entryCount - 1);
  if (!last) return AT_SORTED_PLACE;
  if (!strictlyBefore(added, last)) return AT_BOTTOM;
  entryNode* at = entryAt(cursorIndex);
  if (!strictlyBefore(added, at)) return AT_SORTED_PLACE;
  entryNode* before = entryAt(cursorIndex - 1);
  return !before || !strictlyBefore(added, before) ? cursorIndex : AT_SORTED_PLACE;
}

bool cGuiListHost::moveCursorForwardTo(entryNode* target) {
  if (!target) return false;
  for (int32_t steps = 0; steps <= entryCount; ++steps) {
    if (entryAt(cursorIndex) == target) return true;
    if (cursorIndex + 1 >= entryCount) return false;
    ++cursorIndex;
  }
  return false;
}

void cGuiListHost::keepPending(entryNode* first) {
  if (!pending) {
    pending = new entryList;
    pending->new_markList();
  }
  pending->prependNodes(first);
}

void cGuiListHost::addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                            bool moveCursor) {
  int32_t count = 0;
  entryNode* first = createEntries(label, altColour, marked, data, dataBox, &count);
  if (!first) return;
  if (!built()) {
    keepPending(first);
    return;
  }
  const bool sorted = !getSortByNone();
  entryNode* kept = sorted && !moveCursor ? entryAt(cursorIndex) : nullptr;
  IPTR position = AT_BOTTOM;
  if (sorted) position = count == 1 ? sortedPositionNearCursor(first) : AT_SORTED_PLACE;
  insertEntriesAt(position, first, count);
  if (moveCursor) {
    // Where the batch went, when the position tells; else a search from the start.
    if (position == AT_BOTTOM) {
      cursorIndex = entryCount - count;
    } else if (position >= 0) {
      cursorIndex = static_cast<int32_t>(position);
    } else {
      cursorIndex = 0;
      moveCursorForwardTo(first);
    }
  } else if (position >= 0) {
    cursorIndex += count;  // inserted before the cursor entry
  } else if (kept) {
    moveCursorForwardTo(kept);
  }
}

void cGuiListHost::addEntryF(fGuiListEntries* source) {
  int32_t count = 0;
  std::vector<entryNode*> made;
  std::vector<NListSortKey> madeKeys;
  entryNode* first = createEntriesF(source, &count, built() ? &made : nullptr, built() ? &madeKeys : nullptr);
  if (!first) return;
  if (!built()) {
    keepPending(first);
    return;
  }
  largestBatch = std::max(largestBatch, made.size());
  const bool sorted = !getSortByNone();
  entryNode* kept = sorted ? entryAt(cursorIndex) : nullptr;
  insertEntriesAt(sorted ? AT_SORTED_PLACE : AT_BOTTOM, first, count, made.data(),
                  madeKeys.empty() ? nullptr : madeKeys.data());
  if (kept) moveCursorForwardTo(kept);
}

void cGuiListHost::endRemovedEntry(entryNode* entry) {
  // A double-click on a row that went names nothing.
  if (entry == doubleClickTaken) doubleClickTaken = nullptr;
  if (entry == doubleClicked) doubleClicked = nullptr;
  if (!quiet) {
    End(entry);
    return;
  }
  // The flag lies beside the sort key the merge read: only a marked entry
  // is read further (for its class, to leave the marks).
  if (entry->marked) entry->setMarked(false);
  try {
    removedEntries.push_back(entry);
  } catch (...) {
    End(entry);
    throw;
  }
}

void cGuiListHost::endRemovedEntries() {
  std::vector<entryNode*> ending;
  ending.swap(removedEntries);
  // Each entry holds its label and its box elsewhere: asked for a few
  // entries ahead, they are at hand when the entry ends.
  constexpr size_t AHEAD = 8;
  const size_t count = ending.size();
  // An entry's end reads it up to its host's link, past its first 80 bytes.
  auto fetchEntry = [](const entryNode* e) {
    Arena::fetchAhead(e);
    __builtin_prefetch(reinterpret_cast<const char*>(e) + 96);
  };
  for (size_t k = 0; k < count && k < 2 * AHEAD; ++k) fetchEntry(ending[k]);
  for (size_t k = 0; k < count; ++k) {
    if (k + 2 * AHEAD < count) fetchEntry(ending[k + 2 * AHEAD]);
    if (k + AHEAD < count) {
      const entryNode* soon = ending[k + AHEAD];
      FetchStringAhead(soon->label);
      if (soon->dataBox) Arena::fetchAhead(soon->dataBox);
    }
    try {
      End(ending[k]);
    } catch (const Exception& e) {
      PrintException(e);
    }
  }
}

void cGuiListHost::expectWalkReadsEntries(bool flag) {
  // The NList's fetch hook asks for the labels and boxes of the rows ahead.
  if (built()) setNList(MUIA_NList_FetchHook, flag ? toIPTR(&guiListFetchHook) : 0);
}

cGuiListHost* cGuiListHost::setAutoUpdate(bool flag) {
  if (!built()) return this;
  if (!flag && !quiet) selectedBeforeQuiet = selectedRows();
  const bool wasQuiet = quiet;
  quiet = !flag;
  noActiveRowWhileQuiet = false;
  setNList(MUIA_NList_Quiet, flag ? MUIV_NList_Quiet_None : MUIV_NList_Quiet_Visual);
  if (flag) endRemovedEntries();
  if (flag && selectionFixPending) {
    selectionFixPending = false;
    fixSingleSelection();
  }
  // Selected rows removed meanwhile: once for the whole batch.
  if (flag && wasQuiet) reportLostSelection(selectedBeforeQuiet);
  return this;
}

int32_t cGuiListHost::selectedRows() {
  if (!infoSelectableEntries()) return 0;
  IPTR count = 0;
  DoMethod(infoNList(), MUIM_NList_Select, MUIV_NList_Select_All, MUIV_NList_Select_Ask, &count);
  return static_cast<int32_t>(count);
}

void cGuiListHost::reportLostSelection(int32_t before) {
  // The NList tells of the selection changes a person makes; one the
  // program's removals make is told the same way, so that whatever shows
  // the selection follows it.
  if (selectedRows() < before) setNList(MUIA_NList_SelectChange, 1);
}

// ---------------------------------------------------------------------------
// Marks

void cGuiListHost::marked_unmark() {
  while (marks->head) {
    auto* e = static_cast<entryNode*>(marks->head);
    e->setMarked(false);
  }
}

void cGuiListHost::markAll() {
  marked_unmark();
  if (!built()) {
    auto* first = pending ? static_cast<entryNode*>(pending->head) : nullptr;
    entryNode* e = first;
    if (e) do {
        e->setMarked(true);
        e = e->batchNext;
      } while (e != first);
    return;
  }
  for (int32_t row = 0; row < entryCount; ++row)
    if (entryNode* e = entryAt(row)) e->setMarked(true);
}

void cGuiListHost::marked_setAltColour(bool flag) {
  requireBuilt("marked_setAltColour");
  setAutoUpdate(false);
  markNode* m = marks->head;
  if (m) do {
      static_cast<entryNode*>(m)->changeAltColour(flag);
      m = m->next;
    } while (m != marks->head);
  DoMethod(infoNList(), MUIM_NList_Redraw, MUIV_NList_Redraw_All);
  setAutoUpdate(true);
}

void cGuiListHost::marked_setState(bool flag) {
  requireBuilt("marked_setState");
  bool multi = false;
  if (!infoSelectableEntries(&multi)) Throw("EMU", "cGuiList.marked_setState(); entries are not selectable");
  if (!multi) Throw("EMU", "cGuiList.marked_setState(); entries are not multi-selectable");
  setAutoUpdate(false);
  setNList(MUIA_NList_Active, MUIV_NList_Active_Off);
  for (int32_t row = entryCount - 1; row >= 0; --row)
    if (entryNode* e = entryAt(row); e && e->marked)
      DoMethod(infoNList(), MUIM_NList_Select, row, flag ? MUIV_NList_Select_On : MUIV_NList_Select_Off, nullptr);
  setAutoUpdate(true);
  refreshCount();
  setNList(MUIA_NList_SelectChange, 1);
}

void cGuiListHost::removeMarked(bool moveBack, StringChain* labels) {
  setAutoUpdate(false);
  char* chain = nullptr;
  try {
    IPTR active = nlistValue(MUIA_NList_Active);
    for (int32_t row = entryCount - 1; row >= 0; --row) {
      entryNode* e = entryAt(row);
      if (!e || !e->marked) continue;
      if (row < cursorIndex || (row == cursorIndex && moveBack)) --cursorIndex;
      if (row == active) {
        setNList(MUIA_NList_Active, MUIV_NList_Active_Off);
        active = MUIV_NList_Active_Off;
      }
      if (labels) chain = StrLink(e->takeLabel(), chain);  // in front: the chain ends in list order
      const IPTR remove[] = {MUIM_NList_Remove, static_cast<IPTR>(row)};
      changeRows(remove);
    }
  } catch (...) {
    DisposeString(chain);
    setAutoUpdate(true);
    refreshCount();
    clampCursor();
    throw;
  }
  setAutoUpdate(true);
  refreshCount();
  fixSingleSelection();
  clampCursor();
  if (labels) labels->head = chain;
}

void cGuiListHost::marked_destroy(bool moveBack) {
  requireBuilt("marked_destroy");
  removeMarked(moveBack, nullptr);
}

char* cGuiListHost::marked_remove(bool moveBack) {
  requireBuilt("marked_remove");
  StringChain labels;
  removeMarked(moveBack, &labels);
  return labels.head;
}

// ---------------------------------------------------------------------------
// Sorting

void cGuiListHost::showSortMark() {
  if (!built()) return;
  const uint32_t mark = static_cast<uint32_t>(sortColumn) | (sortReversed ? MUIV_NList_TitleMark_Reversed : 0u);
  setNList(MUIA_NList_TitleMark, mark);
}

void cGuiListHost::reinitColumnSort() {
  if (columnSort) columnSort->init(sortColumn, sortReversed, infoColumnSortType());
}

void cGuiListHost::forgetSortKeys() {
  // 0 stands for "no key": a stamp that wraps round skips it.
  if (++sortKeyStamp == 0) sortKeyStamp = 1;
}

void cGuiListHost::sortListKeepingCursorLocation() {
  const char* saved = saveCursorEntry();
  const IPTR sort[] = {MUIM_NList_Sort};
  changeRows(sort);
  findCursorEntry(saved);
}

void cGuiListHost::sortNowIfBuilt() {
  if (built()) sortListKeepingCursorLocation();
}

void cGuiListHost::takeSortColumn(int32_t kind, int32_t column, bool reverse) {
  // The keys are of the column's text in its own order: the other direction
  // of the same column keeps them.
  if (column != sortColumn) forgetSortKeys();
  sortKind = kind;
  sortColumn = column;
  sortReversed = reverse;
  reinitColumnSort();
}

cGuiListHost* cGuiListHost::setSortByNone() {
  if (sortKind == SORT_BY_USER && built()) setNList(MUIA_NList_TitleMark, MUIV_NList_TitleMark_None);
  sortKind = SORT_NONE;
  return this;
}

bool cGuiListHost::answerSortKind(int32_t kind, int32_t* column, bool* reverse) {
  if (column) *column = sortColumn;
  if (reverse) *reverse = sortReversed;
  return sortKind == kind;
}

bool cGuiListHost::getSortByColumn(int32_t* column, bool* reverse) {
  return answerSortKind(SORT_BY_COLUMN, column, reverse);
}

cGuiListHost* cGuiListHost::setSortByColumn(int32_t column, bool reverse) {
  if (column < 0 || column >= infoColumns()) Throw("EMU", "cGuiList.setSortByColumn(); column was not a valid value");
  setSortByNone();
  takeSortColumn(SORT_BY_COLUMN, column, reverse);
  sortNowIfBuilt();
  return this;
}

bool cGuiListHost::getSortByUser(int32_t* column, bool* reverse) { return answerSortKind(SORT_BY_USER, column, reverse); }

cGuiListHost* cGuiListHost::setSortByUser(int32_t initialColumn, bool reverse) {
  if (initialColumn < 0 || initialColumn >= infoColumns())
    Throw("EMU", "cGuiList.setSortByUser(); initialColumn was not a valid value");
  takeSortColumn(SORT_BY_USER, initialColumn, reverse);
  showSortMark();
  sortNowIfBuilt();
  return this;
}

bool cGuiListHost::getSortByFunction(fGuiListSort** sort) {
  if (sort) {
    *sort = nullptr;
    if (sortKind == SORT_BY_FUNCTION) {
      *sort = sortFunction;
    } else if (sortKind != SORT_NONE) {
      if (!columnSort) {
        columnSort = new fGuiListSortByColumn;
        columnSort->new_fMergeSortCompare();
      }
      reinitColumnSort();
      *sort = columnSort;
    }
  }
  return sortKind == SORT_BY_FUNCTION;
}

cGuiListHost* cGuiListHost::setSortByFunction(fGuiListSort* sort) {
  if (!sort) Throw("EMU", "cGuiList.setSortByFunction(); sortFunc=NIL");
  setSortByNone();
  sortKind = SORT_BY_FUNCTION;
  sortFunction = sort;
  sortNowIfBuilt();
  return this;
}

// ---------------------------------------------------------------------------
// Events

bool cGuiListHost::getEventSortedByUser(bool keep, int32_t* column, bool* reverse) {
  const bool event = sortedByUserEvent;
  if (!keep) sortedByUserEvent = false;
  if (column) *column = sortColumn;
  if (reverse) *reverse = sortReversed;
  return event;
}

cGuiListHost* cGuiListHost::setEventSortedByUser(bool flag) {
  sortedByUserEvent = flag;
  return this;
}

bool cGuiListHost::getEventSelectionChanged(bool keep) {
  const bool event = selectionChangedEvent;
  if (!keep) selectionChangedEvent = false;
  return event;
}

cGuiListHost* cGuiListHost::setEventSelectionChanged(bool flag) {
  selectionChangedEvent = flag;
  return this;
}

const char* cGuiListHost::getEventDoubleClickedEntry(bool moveCursor, bool keep) {
  entryNode* e = doubleClicked;
  if (!keep) doubleClicked = nullptr;
  if (!e || !built()) return nullptr;
  // Where its entry stands now: the rows may have changed since the click.
  IPTR row = MUIV_NList_GetPos_Start;
  DoMethod(infoNList(), MUIM_NList_GetPos, e, &row);
  if (row < 0) return nullptr;
  if (moveCursor) cursorIndex = static_cast<int32_t>(row);
  return e->label;
}

cGuiListHost* cGuiListHost::setEventDoubleClickedEntry() {
  doubleClicked = built() && entryCount > 0 ? entryAt(cursorIndex) : nullptr;
  return this;
}

// ---------------------------------------------------------------------------
// The cursor

bool cGuiListHost::cursor_gotoStart() {
  requireBuilt("cursor_gotoStart");
  cursorIndex = 0;
  return entryCount > 0;
}

bool cGuiListHost::cursor_gotoEnd() {
  requireBuilt("cursor_gotoEnd");
  cursorIndex = entryCount > 0 ? entryCount - 1 : 0;
  return entryCount > 0;
}

int32_t cGuiListHost::cursor_gotoNext(int32_t n) {
  requireBuilt("cursor_gotoNext");
  if (entryCount == 0) return 0;
  const int64_t wanted = static_cast<int64_t>(cursorIndex) + n;
  const int32_t to = wanted < 0 ? 0 : wanted >= entryCount ? entryCount - 1 : static_cast<int32_t>(wanted);
  const int32_t moved = to - cursorIndex;
  cursorIndex = to;
  return moved;
}

int32_t cGuiListHost::cursor_gotoPrev(int32_t n) {
  requireBuilt("cursor_gotoPrev");
  if (entryCount == 0) return 0;
  const int64_t wanted = static_cast<int64_t>(cursorIndex) - n;
  const int32_t to = wanted < 0 ? 0 : wanted >= entryCount ? entryCount - 1 : static_cast<int32_t>(wanted);
  const int32_t moved = cursorIndex - to;
  cursorIndex = to;
  return moved;
}

bool cGuiListHost::cursor_gotoFirstSelected() {
  requireBuilt("cursor_gotoFirstSelected");
  IPTR position = MUIV_NList_NextSelected_Start;
  DoMethod(infoNList(), MUIM_NList_NextSelected, &position);
  if (position == MUIV_NList_NextSelected_End) return false;
  cursorIndex = static_cast<int32_t>(position);
  return true;
}

bool cGuiListHost::cursor_gotoNextSelected() {
  requireBuilt("cursor_gotoNextSelected");
  if (entryCount == 0) return false;
  IPTR position = cursorIndex;
  DoMethod(infoNList(), MUIM_NList_NextSelected, &position);
  if (position == MUIV_NList_NextSelected_End) return false;
  cursorIndex = static_cast<int32_t>(position);
  return true;
}

entryNode* cGuiListHost::cursor_infoEntry() {
  requireBuilt("cursor_infoEntry");
  return entryCount > 0 ? entryAt(cursorIndex) : nullptr;
}

const char* cGuiListHost::cursor_getLabel() { return requireCursorEntry("cursor_getLabel")->label; }

bool cGuiListHost::cursor_getSortKey(GuiListSortKey* key) {
  if (sortKind != SORT_BY_USER && sortKind != SORT_BY_COLUMN) return false;
  entryNode* e = requireCursorEntry("cursor_getSortKey");
  // The column comparison's key: the sort column's key, turned round when
  // the sort is; read from the entry's own words (an update asks this of
  // every shown entry).
  e->makeTie();
  if (e->sortKeyStamp != sortKeyStamp) makeKeyOf(e);
  const uint64_t turn = sortReversed ? ~uint64_t{0} : 0;
  key->high = e->keyHigh ^ turn;
  key->low = e->keyLow ^ turn;
  key->tie = e->tie;
  key->usable = e->sortKeyStamp != 0;
  key->whole = e->keyWhole;
  key->tieWhole = e->tieWhole;
  key->tieMade = true;
  return true;
}

void cGuiListHost::cursor_setLabel(const char* label, int32_t step) {
  entryNode* e = requireCursorEntry("cursor_setLabel");
  bool resort = false;
  fGuiListSort* sort = nullptr;
  getSortByFunction(&sort);
  if (sort) resort = sort->call(label, e->label) != 0;
  e->changeLabel(label);
  DoMethod(infoNList(), MUIM_NList_Redraw, cursorIndex);
  if (step == 1)
    cursor_gotoNext(1);
  else if (step != 0)
    cursor_gotoPrev(1);
  if (resort) sortListKeepingCursorLocation();
}

bool cGuiListHost::cursor_getAltColour() { return requireCursorEntry("cursor_getAltColour")->altColour; }

void cGuiListHost::cursor_setAltColour(bool flag) {
  requireCursorEntry("cursor_setAltColour")->changeAltColour(flag);
  DoMethod(infoNList(), MUIM_NList_Redraw, cursorIndex);
}

bool cGuiListHost::cursor_getState() {
  requireBuilt("cursor_getState");
  IPTR state = 0;
  if (entryCount > 0) DoMethod(infoNList(), MUIM_NList_Select, cursorIndex, MUIV_NList_Select_Ask, &state);
  return state != 0;
}

void cGuiListHost::cursor_setState(bool flag) {
  requireBuilt("cursor_setState");
  bool multi = false;
  if (!infoSelectableEntries(&multi)) Throw("EMU", "cGuiList.cursor_setState(); entries are not selectable");
  if (entryCount == 0) return;
  Object* nlist = infoNList();
  const bool isActive = nlistValue(MUIA_NList_Active) == cursorIndex;
  if (!multi) {
    if (flag) {
      setNList(MUIA_NList_Active, cursorIndex);
      DoMethod(nlist, MUIM_NList_Select, cursorIndex, MUIV_NList_Select_On, nullptr);
    } else if (cursor_getState()) {
      // Only the cursor row's own selection goes: the selected row may be another.
      if (isActive) setNList(MUIA_NList_Active, MUIV_NList_Active_Off);
      DoMethod(nlist, MUIM_NList_Select, cursorIndex, MUIV_NList_Select_Off, nullptr);
    }
    return;
  }
  if (flag) {
    DoMethod(nlist, MUIM_List_Jump, cursorIndex);
    DoMethod(nlist, MUIM_NList_Select, cursorIndex, MUIV_NList_Select_On, nullptr);
  } else {
    if (isActive) setNList(MUIA_NList_Active, MUIV_NList_Active_Off);
    DoMethod(nlist, MUIM_NList_Select, cursorIndex, MUIV_NList_Select_Off, nullptr);
  }
  setNList(MUIA_NList_SelectChange, 1);
}

bool cGuiListHost::cursor_getMarked() { return requireCursorEntry("cursor_getMarked")->marked; }

void cGuiListHost::cursor_setMarked(bool flag) { requireCursorEntry("cursor_setMarked")->setMarked(flag); }

int32_t cGuiListHost::cursor_getData() { return requireCursorEntry("cursor_getData")->data; }

void cGuiListHost::cursor_setData(int32_t value) {
  entryNode* e = requireCursorEntry("cursor_setData");
  if (value != 0) End(e->dataBox);
  e->data = value;
  e->forgetTie();
}

class_base* cGuiListHost::cursor_getDataBox() { return requireCursorEntry("cursor_getDataBox")->dataBox; }

void cGuiListHost::cursor_setDataBox(class_base* box) {
  entryNode* e;
  try {
    e = requireCursorEntry("cursor_setDataBox");
  } catch (...) {
    End(box);  // the list takes the box over in every case
    throw;
  }
  if (box == e->dataBox) return;  // ending it would leave the entry holding a freed box
  class_base* old = e->dataBox;
  e->dataBox = box;
  if (box) e->data = 0;
  e->forgetTie();
  End(old);
}

void cGuiListHost::insertNextToCursor(const char* operation, bool after, char* label, bool altColour, bool marked,
                                      int32_t data, class_base* dataBox) {
  const char* refusal = !built() ? "the window must be built first"
                                 : !getSortByNone() ? "the list must not be sorted" : nullptr;
  if (refusal) {
    DisposeString(label);
    End(dataBox);
    ThrowF("EMU", "cGuiList.%s(); %s", operation, refusal);
  }
  int32_t count = 0;
  entryNode* first = createEntries(label, altColour, marked, data, dataBox, &count);
  if (after) {
    insertEntriesAt(entryCount > 0 ? cursorIndex + 1 : 0, first, count);
  } else {
    insertEntriesAt(cursorIndex, first, count);
    if (entryCount > count) cursorIndex += count;
  }
}

void cGuiListHost::cursor_beforeInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) {
  insertNextToCursor("cursor_beforeInsert", false, label, altColour, marked, data, dataBox);
}

void cGuiListHost::cursor_afterInsert(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) {
  insertNextToCursor("cursor_afterInsert", true, label, altColour, marked, data, dataBox);
}

bool cGuiListHost::cursor_destroy(bool moveBack) {
  if (!built()) Throw("EMU", "cGuiList.destroy(); the window must be built first");
  if (entryCount == 0) return false;
  // The active row's entry, not its number: finding a row's number counts
  // the rows before it, which an update removing thousands would do for each.
  // While quiet, a list known to have no active row is not asked again.
  if (!noActiveRowWhileQuiet) {
    auto* active =
        reinterpret_cast<entryNode*>(DoMethod(infoNList(), MUIM_NList_GetEntry, MUIV_NList_GetEntry_Active, nullptr));
    if (active && active == entryAt(cursorIndex))
      setNList(MUIA_NList_Active, MUIV_NList_Active_Off);
    else if (!active)
      noActiveRowWhileQuiet = quiet;
  }
  // While quiet, the removals are told of once, when quiet ends.
  const int32_t selectedBefore = quiet ? 0 : selectedRows();
  const IPTR remove[] = {MUIM_NList_Remove, static_cast<IPTR>(cursorIndex)};
  // One row fewer when it went: an update removes thousands, one by one.
  if (changeRows(remove) != 0)
    --entryCount;
  else
    refreshCount();
  fixSingleSelection();
  if (!quiet) reportLostSelection(selectedBefore);
  if (moveBack) {
    if (--cursorIndex < 0) {
      cursorIndex = 0;
      return false;
    }
    return true;
  }
  if (cursorIndex >= entryCount) {
    cursorIndex = entryCount > 0 ? entryCount - 1 : 0;
    return false;
  }
  return true;
}

char* cGuiListHost::cursor_remove(bool moveBack, bool* moved) {
  requireBuilt("cursor_remove");
  char* label = requireCursorEntry("cursor_remove")->takeLabel();
  bool answer = false;
  try {
    answer = cursor_destroy(moveBack);
  } catch (...) {
    DisposeString(label);
    throw;
  }
  if (moved) *moved = answer;
  return label;
}

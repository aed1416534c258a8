#include "os/mui/lists/nlist.h"

#include <algorithm>

#include "os/mui/classes/shown_text.h"
#include "os/mui/live_objects.h"

namespace mui {
namespace {
constexpr AttrSpec nlistAttrs[] = {
    {MUIA_NList_DoubleClick, "MUIA_NList_DoubleClick", ATTR_SG, AttrKind::Number, static_cast<IPTR>(-1)},
    {MUIA_NList_Input, "MUIA_NList_Input", ATTR_ISG, AttrKind::Flag, 1},
    {MUIA_NList_MultiSelect, "MUIA_NList_MultiSelect", ATTR_IG, AttrKind::Number, MUIV_NList_MultiSelect_None},
    {MUIA_NList_SelectChange, "MUIA_NList_SelectChange", ATTR_SG, AttrKind::Flag, 0},
    {MUIA_NList_Active, "MUIA_NList_Active", ATTR_ISG, AttrKind::Number, MUIV_NList_Active_Off},
    {MUIA_NList_CompareHook, "MUIA_NList_CompareHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_ConstructHook, "MUIA_NList_ConstructHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_DestructHook, "MUIA_NList_DestructHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_DisplayHook, "MUIA_NList_DisplayHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_SortKeyHook, "MUIA_NList_SortKeyHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_FetchHook, "MUIA_NList_FetchHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_SortKeysHook, "MUIA_NList_SortKeysHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_NList_Entries, "MUIA_NList_Entries", ATTR_G, AttrKind::Number, 0},
    {MUIA_NList_Format, "MUIA_NList_Format", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_NList_Quiet, "MUIA_NList_Quiet", ATTR_ISG, AttrKind::Number, MUIV_NList_Quiet_None},
    {MUIA_NList_Title, "MUIA_NList_Title", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_NList_TitleClick, "MUIA_NList_TitleClick", ATTR_SG, AttrKind::Number, static_cast<IPTR>(-1)},
    {MUIA_NList_TitleSeparator, "MUIA_NList_TitleSeparator", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_NList_TitleMark, "MUIA_NList_TitleMark", ATTR_ISG, AttrKind::Number, MUIV_NList_TitleMark_None},
};

constexpr MethodSpec nlistMethods[] = {
    {MUIM_NList_GetEntry, "MUIM_NList_GetEntry"},
    {MUIM_NList_Insert, "MUIM_NList_Insert"},
    {MUIM_NList_InsertSingle, "MUIM_NList_InsertSingle"},
    {MUIM_NList_NextSelected, "MUIM_NList_NextSelected"},
    {MUIM_NList_Redraw, "MUIM_NList_Redraw"},
    {MUIM_NList_Remove, "MUIM_NList_Remove"},
    {MUIM_NList_Select, "MUIM_NList_Select"},
    {MUIM_NList_Sort, "MUIM_NList_Sort"},
    {MUIM_NList_Clear, "MUIM_NList_Clear"},
    {MUIM_List_Jump, "MUIM_List_Jump"},
    {MUIM_NList_GetPos, "MUIM_NList_GetPos"},
};

std::string joinedByTab(const std::vector<std::string>& columns) {
  std::string out;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) out += '\t';
    out += shownText(columns[i].c_str());
  }
  return out;
}

// The mark as the 32-bit word the program gives (a reversed mark may come
// sign-extended).
uint32_t markWord(IPTR data) { return static_cast<uint32_t>(data); }
}  // namespace

void NList::fetchEntry(const void* list, void* entry) {
  if (entry) CallHookPkt(static_cast<const NList*>(list)->fetch_, nullptr, entry);
}

void NList::keep(Tag tag) {
  switch (tag) {
    case MUIA_NList_ConstructHook: construct_ = reinterpret_cast<Hook*>(value(tag)); break;
    case MUIA_NList_DestructHook: destruct_ = reinterpret_cast<Hook*>(value(tag)); break;
    case MUIA_NList_DisplayHook: display_ = reinterpret_cast<Hook*>(value(tag)); break;
    case MUIA_NList_CompareHook: compare_ = reinterpret_cast<Hook*>(value(tag)); break;
    case MUIA_NList_SortKeyHook: sortKey_ = reinterpret_cast<Hook*>(value(tag)); break;
    case MUIA_NList_SortKeysHook: sortKeys_ = reinterpret_cast<Hook*>(value(tag)); break;
    case MUIA_NList_FetchHook:
      fetch_ = reinterpret_cast<Hook*>(value(tag));
      tree_.fetchWith(fetch_ ? fetchEntry : nullptr, this);
      break;
    case MUIA_NList_Quiet: quiet_ = value(tag) != MUIV_NList_Quiet_None; break;
    default: break;
  }
}

Hook* NList::hook(Tag tag) const {
  switch (tag) {
    case MUIA_NList_ConstructHook: return construct_;
    case MUIA_NList_DestructHook: return destruct_;
    case MUIA_NList_DisplayHook: return display_;
    case MUIA_NList_CompareHook: return compare_;
    case MUIA_NList_SortKeyHook: return sortKey_;
    case MUIA_NList_SortKeysHook: return sortKeys_;
    case MUIA_NList_FetchHook: return fetch_;
    default: return reinterpret_cast<Hook*>(value(tag));
  }
}

RowTree::Node* NList::nodeOf(IPTR row) const {
  if (row == -1) return rows().active;
  return row >= 0 ? rows().at(static_cast<size_t>(row)) : nullptr;
}

RowTree::Before NList::order() const {
  // The hook answers a LONG: negative when its second argument comes first.
  auto before = [](const void* list, void* a, void* b) {
    Hook* compare = static_cast<const NList*>(list)->compare_;
    return static_cast<int32_t>(CallHookPkt(compare, b, a)) < 0;
  };
  auto key = [](const void* list, void* entry, RowKey* key) {
    NListSortKey made{};
    made.tieWhole = 1;  // a hook that knows no tie word orders by two words
    if (CallHookPkt(static_cast<const NList*>(list)->sortKey_, &made, entry) == 0) return;
    *key = RowKey{made.high, made.low, true, made.whole != 0, made.tie, made.tieWhole != 0};
  };
  auto keys = [](const void* list, void* const* entries, size_t count, KeyedEntry* out) {
    // The hook's keys in the list's own room, kept from call to call.
    const auto* self = static_cast<const NList*>(list);
    std::vector<NListSortKey>& made = self->madeKeys_;
    made.assign(count, NListSortKey{0, 0, 0, 1, 0});
    NListSortKeys batch{entries, count};
    if (CallHookPkt(self->sortKeys_, made.data(), &batch) == 0) return false;
    for (size_t i = 0; i < count; ++i) {
      const NListSortKey& k = made[i];
      out[i] = keyedEntryOf(entries[i], k.high, k.low, k.whole != 0, k.tie, k.tieWhole != 0);
    }
    return true;
  };
  RowTree::Before order;
  order.test = before;
  if (sortKey_) order.key = key;
  if (sortKey_ && sortKeys_) order.keys = keys;
  order.context = this;
  return order;
}

void NList::changed() {
  if (quiet_)
    dirty_ = true;
  else
    ++redraws_;
}

void NList::endEntry(void* entry) {
  if (Hook* destruct = hook(MUIA_NList_DestructHook)) CallHookPkt(destruct, nullptr, entry);
}

void NList::endAllEntries() {
  // Out of the list first: a destruct hook that looks at the list sees it
  // empty. Rows still waiting for their sorted place need no comparing now.
  std::vector<void*> entries = tree_.clear();
  for (const KeyedEntry& e : pendingSorted_) entries.push_back(e.entry);
  pendingSorted_.clear();
  for (void* entry : entries) endEntry(entry);
}

void NList::disposing() { endAllEntries(); }

std::vector<std::string> NList::columnTexts(long row) const {
  const size_t count = columns_.size();
  void* entry = nullptr;
  if (row >= 0) {
    RowTree::Node* node = rows().at(static_cast<size_t>(row));
    if (!node) return {};
    entry = node->entry;
  }
  // Room for a pre-parse text per column after the columns, as hooks may fill.
  std::vector<const char*> texts(2 * count + 1, nullptr);
  if (Hook* display = hook(MUIA_NList_DisplayHook))
    CallHookPkt(display, texts.data(), entry);
  else if (entry)
    texts[0] = static_cast<const char*>(entry);  // without a hook an entry is its text
  std::vector<std::string> out;
  for (size_t i = 0; i < count; ++i) out.push_back(columns_[i].preParse + (texts[i] ? texts[i] : ""));
  return out;
}

std::string NList::userRowText(size_t row) const { return joinedByTab(columnTexts(static_cast<long>(row))); }

void NList::initTag(const AttrSpec& spec, IPTR data) {
  if (spec.tag == MUIA_NList_Active) return;  // no rows yet: none is active
  if (spec.tag == MUIA_NList_TitleMark) data = markWord(data);
  store(spec, data);
  keep(spec.tag);
  if (spec.tag == MUIA_NList_Format) columns_ = parseListFormat(text(MUIA_NList_Format));
}

bool NList::filterSet(Tag tag, IPTR& data) {
  if (tag == MUIA_NList_Active && (data < 0 || static_cast<size_t>(data) >= rows().size()))
    data = MUIV_NList_Active_Off;
  if (tag == MUIA_NList_TitleMark) data = markWord(data);
  return true;
}

void NList::afterSet(Tag tag, IPTR data) {
  keep(tag);
  switch (tag) {
    case MUIA_NList_Active:
      rows().active = data >= 0 ? rows().at(static_cast<size_t>(data)) : nullptr;
      followActive();
      changed();
      break;
    case MUIA_NList_Quiet:
      if (data == MUIV_NList_Quiet_None) {
        placePending();
        tree_.purge();
      }
      if (data == MUIV_NList_Quiet_None && dirty_) {
        dirty_ = false;
        ++redraws_;
      }
      break;
    case MUIA_NList_Format:
      columns_ = parseListFormat(text(MUIA_NList_Format));
      changed();
      break;
    case MUIA_NList_Title:
    case MUIA_NList_TitleMark:
    case MUIA_Disabled:
      changed();
      break;
    default:
      break;
  }
}

bool NList::computeGet(Tag tag, IPTR* storage) {
  if (tag == MUIA_NList_Entries) {
    *storage = static_cast<IPTR>(rows().size());
    return true;
  }
  if (tag == MUIA_NList_Active) {
    *storage = activeRow();
    return true;
  }
  return false;
}

void NList::unselectAll() {
  for (long row = rows().nextSelected(-1); row >= 0; row = rows().nextSelected(row))
    rows().setSelected(rows().at(static_cast<size_t>(row)), false);
}

void NList::followActive() {
  if (!singleSelect() || !flag(MUIA_NList_Input)) return;
  unselectAll();
  if (rows().active) rows().setSelected(rows().active, true);
}

void NList::placePending() const {
  if (pendingSorted_.empty()) return;
  std::vector<KeyedEntry> batch;
  batch.swap(pendingSorted_);
  tree_.insertSortedBatch(batch, order());
}

IPTR NList::insert(void* const* entries, IPTR count, IPTR position) {
  Hook* construct = hook(MUIA_NList_ConstructHook);
  const bool sorted = position == MUIV_NList_Insert_Sorted && hook(MUIA_NList_CompareHook);
  // Sorted rows wait for the first use of row numbers: many inserts in a
  // quiet period are then placed together, in one merge. Other rows go in
  // at once, one after the other.
  if (!sorted) placePending();
  size_t at = position >= 0 ? std::min(static_cast<size_t>(position), tree_.size()) : tree_.size();
  IPTR inserted = 0;
  // The entries the list keeps of a sorted batch; their keys are made
  // together once all are there.
  std::vector<void*> kept;
  if (sorted && count > 0) kept.reserve(static_cast<size_t>(count));
  for (IPTR i = 0; entries && (count < 0 ? entries[i] != nullptr : i < count); ++i) {
    if (!entries[i]) continue;
    void* made = construct ? reinterpret_cast<void*>(CallHookPkt(construct, nullptr, entries[i])) : entries[i];
    if (!made) continue;  // the construct hook refused it
    if (sorted)
      kept.push_back(made);
    else
      tree_.insertAt(at++, made);
    ++inserted;
  }
  if (inserted == 0) return 0;
  if (sorted) {
    // A long batch's room at once (still growing by doubling for many short ones).
    if (pendingSorted_.size() + kept.size() > pendingSorted_.capacity())
      pendingSorted_.reserve(std::max(pendingSorted_.size() + kept.size(), 2 * pendingSorted_.capacity()));
    for (const KeyedEntry& e : keyedEntries(kept.data(), kept.size(), order()))
      pendingSorted_.push_back(e);
  }
  if (sorted && !quiet_) placePending();
  changed();
  return inserted;
}

IPTR NList::select(IPTR row, IPTR how, IPTR* result) {
  IPTR answer = 0;
  if (row == MUIV_NList_Select_All) {
    if (how == MUIV_NList_Select_Ask) {
      answer = static_cast<IPTR>(rows().selectedCount());
    } else if (how == MUIV_NList_Select_Off) {
      unselectAll();
      changed();
    } else if (!singleSelect()) {  // a one-row list cannot select them all
      rows().forEach([&](RowTree::Node* n) { rows().setSelected(n, how == MUIV_NList_Select_On || !n->selected); });
      changed();
    }
  } else if (RowTree::Node* node = nodeOf(row)) {
    if (how == MUIV_NList_Select_Ask) {
      answer = node->selected ? 1 : 0;
    } else {
      const bool on = how == MUIV_NList_Select_On || (how == MUIV_NList_Select_Toggle && !node->selected);
      if (on && singleSelect()) unselectAll();
      rows().setSelected(node, on);
      answer = on ? 1 : 0;
      changed();
    }
  }
  if (result) *result = answer;
  return answer;
}

bool NList::dispatch(const IPTR* message, IPTR* result) {
  switch (static_cast<uint32_t>(message[0])) {
    case MUIM_NList_GetEntry: {
      RowTree::Node* node = nodeOf(message[1]);
      void* entry = node ? node->entry : nullptr;
      if (message[2]) *reinterpret_cast<void**>(message[2]) = entry;
      *result = reinterpret_cast<IPTR>(entry);
      return true;
    }
    case MUIM_NList_Insert:
      *result = insert(reinterpret_cast<void* const*>(message[1]), message[2], message[3]);
      return true;
    case MUIM_NList_InsertSingle: {
      void* one[] = {reinterpret_cast<void*>(message[1])};
      *result = insert(one, 1, message[2]);
      return true;
    }
    case MUIM_NList_NextSelected: {
      IPTR* position = reinterpret_cast<IPTR*>(message[1]);
      if (position) *position = rows().nextSelected(*position < 0 ? -1 : *position);
      *result = position ? *position : MUIV_NList_NextSelected_End;
      return true;
    }
    case MUIM_NList_Redraw:
      changed();
      *result = 1;
      return true;
    case MUIM_NList_Remove: {
      RowTree::Node* node = nodeOf(message[1]);
      if (!node) return true;
      // While quiet the node stays until quiet ends: many rows removed one
      // after the other move no other node.
      endEntry(quiet_ ? rows().retire(node) : rows().remove(node));
      changed();
      *result = 1;
      return true;
    }
    case MUIM_NList_Select:
      *result = select(message[1], message[2], reinterpret_cast<IPTR*>(message[3]));
      return true;
    case MUIM_NList_Sort:
      if (hook(MUIA_NList_CompareHook)) {
        rows().sort(order());
        changed();
      }
      *result = 1;
      return true;
    case MUIM_NList_Clear:
      endAllEntries();
      changed();
      *result = 1;
      return true;
    case MUIM_NList_GetPos: {
      IPTR* position = reinterpret_cast<IPTR*>(message[2]);
      IPTR found = MUIV_NList_GetPos_End;
      const size_t count = rows().size();
      for (size_t row = position && *position >= 0 ? static_cast<size_t>(*position) : 0; row < count; ++row)
        if (rows().at(row)->entry == reinterpret_cast<void*>(message[1])) {
          found = static_cast<IPTR>(row);
          break;
        }
      if (position) *position = found;
      *result = found;
      return true;
    }
    case MUIM_List_Jump:
      if (RowTree::Node* node = nodeOf(message[1])) jumped_ = static_cast<long>(rows().rowOf(node));
      *result = 1;
      return true;
    default:
      return Area::dispatch(message, result);
  }
}

void NList::userClickRow(size_t row, RowClick how) {
  RowTree::Node* node = rows().at(row);
  if (!node || !flag(MUIA_NList_Input)) return;
  const uint32_t me = serial;
  if (singleSelect()) {
    set(MUIA_NList_Active, static_cast<IPTR>(row), SET_NOTIFY);  // selects it (followActive)
    return;
  }
  const size_t selectedBefore = rows().selectedCount();
  const bool wasSelected = node->selected;
  if (how == RowClick::Shift) {
    // From the active row (or this one) to this one, added to the selection.
    const long from = rows().active ? activeRow() : static_cast<long>(row);
    const size_t lo = std::min<size_t>(from, row), hi = std::max<size_t>(from, row);
    for (size_t r = lo; r <= hi; ++r) rows().setSelected(rows().at(r), true);
  } else if (how == RowClick::Ctrl || value(MUIA_NList_MultiSelect) == MUIV_NList_MultiSelect_Always) {
    rows().setSelected(node, !node->selected);
  } else {
    unselectAll();
    rows().setSelected(node, true);
  }
  const bool selectionChanged = rows().selectedCount() != selectedBefore || node->selected != wasSelected;
  set(MUIA_NList_Active, static_cast<IPTR>(row), SET_NOTIFY);
  if (selectionChanged && isLive(this, me)) set(MUIA_NList_SelectChange, 1, SET_NOTIFY);
}

void NList::userDoubleClickRow(size_t row) {
  const uint32_t me = serial;
  userClickRow(row, RowClick::Plain);
  // A list without input still tells which row was double-clicked.
  if (isLive(this, me) && row < rows().size()) set(MUIA_NList_DoubleClick, static_cast<IPTR>(row), SET_NOTIFY);
}

void NList::userMoveToRow(size_t row) {
  if (value(MUIA_NList_MultiSelect) != MUIV_NList_MultiSelect_Always) {
    userClickRow(row, RowClick::Plain);
    return;
  }
  if (row < rows().size() && flag(MUIA_NList_Input)) set(MUIA_NList_Active, static_cast<IPTR>(row), SET_NOTIFY);
}

void NList::userClickTitle(size_t column) {
  if (flag(MUIA_NList_Title) && column < columns_.size())
    set(MUIA_NList_TitleClick, static_cast<IPTR>(column), SET_NOTIFY);
}

void NList::describeState(Description& out) const {
  if (!flag(MUIA_NList_Input)) out.prop("readonly");
  if (value(MUIA_NList_MultiSelect) == MUIV_NList_MultiSelect_Default) out.prop("multi");
  if (value(MUIA_NList_MultiSelect) == MUIV_NList_MultiSelect_Always) out.prop("toggle");
  const uint32_t mark = markWord(value(MUIA_NList_TitleMark));
  if (mark != MUIV_NList_TitleMark_None)
    out.prop("mark=" + std::to_string(mark & ~MUIV_NList_TitleMark_Reversed) +
             ((mark & MUIV_NList_TitleMark_Reversed) ? "-rev" : ""));
  if (rows().active) out.prop("active=" + std::to_string(activeRow()));
  if (rows().selectedCount()) {
    std::string selected;
    for (long r = rows().nextSelected(-1); r >= 0; r = rows().nextSelected(r)) {
      if (!selected.empty()) selected += '+';
      selected += std::to_string(r);
    }
    out.prop("sel=" + selected);
  }
  if (value(MUIA_NList_Quiet) != MUIV_NList_Quiet_None) out.prop("quiet");
  // The rows as a person reads them, the title row first when shown.
  std::string shown;
  if (flag(MUIA_NList_Title)) {
    shown += '[';
    shown += joinedByTab(columnTexts(-1));
    shown += ']';
  }
  for (size_t r = 0; r < rows().size(); ++r) {
    if (!shown.empty()) shown += '\n';
    shown += userRowText(r);
  }
  out.show(shown.c_str());
}

const MuiClass nlistClass = makeClass("NList.mcc", "NList", &areaClass, nlistAttrs, nlistMethods,
                                      []() -> Object* { return new NList; });

}  // namespace mui

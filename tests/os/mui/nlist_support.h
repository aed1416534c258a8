// A list of test rows for the NList tests: each row is a Row the test makes;
// the hooks record what the list asks of them, and the destruct hook frees
// the row, so a row ended twice or never shows in the sanitizer's report and
// in the counts.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/os/mui/mui_test_support.h"

struct Row {
  std::string key;  // what the rows are sorted by
  std::string id;   // tells rows with equal keys apart
  int tie = 0;      // orders rows whose keys are equal (all 0: they stand as they came)
};

struct RowHooks {
  Hook construct{}, destruct{}, display{}, compare{};
  // A sort key hook (not given to the list unless a test sets it): the first
  // four bytes of the key, whole when the key has no more; none for a key
  // that begins with "!". The tie word is the tie, whole below 1000 (ties
  // from 1000 on share one word, and the compare hook tells them apart).
  Hook sortKey{};
  // A sort keys hook (not given unless a test sets it): the sort key hook's
  // keys, many at once; none when one of the rows has none.
  Hook sortKeys{};
  size_t batches = 0;
  // A fetch hook (not given unless a test sets it): counts the rows handed,
  // and those among them that were not rows of the list (reading a freed
  // row shows in the sanitizer's report).
  Hook fetch{};
  size_t fetched = 0;
  size_t fetchedNotRows = 0;
  std::set<std::string> rows;            // ids constructed and not yet destructed
  std::vector<std::string> constructed;  // ids, in order
  std::vector<std::string> destructed;   // ids, in order
  std::vector<void*> pools;              // the pool of every construct and destruct call
  std::vector<std::pair<Row*, Row*>> compared;  // (object, message) of every compare call
  bool refuseConstruct = false;
  int (*lie)() = nullptr;  // when set, the compare hook answers this instead

  RowHooks() {
    construct.h_Entry = [](Hook* h, void* pool, void* entry) -> IPTR {
      auto* self = static_cast<RowHooks*>(h->h_Data);
      self->pools.push_back(pool);
      if (self->refuseConstruct) {
        delete static_cast<Row*>(entry);
        return 0;
      }
      self->constructed.push_back(static_cast<Row*>(entry)->id);
      self->rows.insert(self->constructed.back());
      return reinterpret_cast<IPTR>(entry);
    };
    destruct.h_Entry = [](Hook* h, void* pool, void* entry) -> IPTR {
      auto* self = static_cast<RowHooks*>(h->h_Data);
      self->pools.push_back(pool);
      self->destructed.push_back(static_cast<Row*>(entry)->id);
      self->rows.erase(self->destructed.back());
      delete static_cast<Row*>(entry);
      return 0;
    };
    display.h_Entry = [](Hook*, void* columns, void* entry) -> IPTR {
      auto** texts = static_cast<const char**>(columns);
      const Row* row = static_cast<const Row*>(entry);
      texts[0] = row ? row->key.c_str() : "Key";
      texts[1] = row ? row->id.c_str() : "\033bId";
      return 0;
    };
    compare.h_Entry = [](Hook* h, void* entry2, void* entry1) -> IPTR {
      auto* self = static_cast<RowHooks*>(h->h_Data);
      auto* a = static_cast<Row*>(entry1);
      auto* b = static_cast<Row*>(entry2);
      self->compared.push_back({b, a});
      if (self->lie) return self->lie();
      if (a->key != b->key) return a->key < b->key ? -1 : 1;
      return a->tie < b->tie ? -1 : a->tie > b->tie ? 1 : 0;
    };
    sortKey.h_Entry = [](Hook*, void* key, void* entry) -> IPTR {
      const std::string& text = static_cast<Row*>(entry)->key;
      if (!text.empty() && text[0] == '!') return 0;
      auto* made = static_cast<NListSortKey*>(key);
      made->high = 0;
      for (size_t i = 0; i < 4; ++i)
        made->high = made->high << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
      made->low = 0;
      made->whole = text.size() <= 4;
      const int tie = static_cast<Row*>(entry)->tie;
      made->tie = static_cast<uint64_t>(tie < 1000 ? tie : 1000);
      made->tieWhole = tie < 1000;
      return 1;
    };
    sortKeys.h_Entry = [](Hook* h, void* keys, void* message) -> IPTR {
      auto* self = static_cast<RowHooks*>(h->h_Data);
      const auto* batch = static_cast<const NListSortKeys*>(message);
      ++self->batches;
      for (size_t i = 0; i < batch->count; ++i)
        if (CallHookPkt(&self->sortKey, static_cast<NListSortKey*>(keys) + i, batch->entries[i]) == 0) return 0;
      return 1;
    };
    fetch.h_Entry = [](Hook* h, void*, void* entry) -> IPTR {
      auto* self = static_cast<RowHooks*>(h->h_Data);
      ++self->fetched;
      if (!self->rows.count(static_cast<Row*>(entry)->id)) ++self->fetchedNotRows;
      return 0;
    };
    for (Hook* h : {&construct, &destruct, &display, &compare, &sortKey, &sortKeys, &fetch}) h->h_Data = this;
  }
};

// A two-column list ("key", "id") with the hooks, in a list view.
inline Object* makeRowList(RowHooks& hooks, IPTR multiSelect = MUIV_NList_MultiSelect_None, bool title = true) {
  return MUI_NewObject("NListview.mcc", MUIA_NListview_NList,
                       MUI_NewObject("NList.mcc", MUIA_NList_Format, "BAR,BAR P=\"\033r\"", MUIA_NList_MultiSelect,
                                     multiSelect, MUIA_NList_ConstructHook, &hooks.construct,
                                     MUIA_NList_DestructHook, &hooks.destruct, MUIA_NList_DisplayHook,
                                     &hooks.display, MUIA_NList_CompareHook, &hooks.compare, MUIA_NList_Title,
                                     title ? 1 : 0));
}

inline Object* listOfView(Object* view) { return reinterpret_cast<Object*>(attr(view, MUIA_NListview_NList)); }

inline IPTR insertRow(Object* list, const std::string& key, const std::string& id, IPTR position, int tie = 0) {
  return DoMethod(list, MUIM_NList_InsertSingle, new Row{key, id, tie}, position);
}

// The ids of the rows, in order.
inline std::vector<std::string> rowIds(Object* list) {
  std::vector<std::string> ids;
  for (IPTR i = 0; i < attr(list, MUIA_NList_Entries); ++i)
    ids.push_back(reinterpret_cast<Row*>(DoMethod(list, MUIM_NList_GetEntry, i, nullptr))->id);
  return ids;
}

// The selected rows through MUIM_NList_NextSelected.
inline std::vector<IPTR> selectedRows(Object* list) {
  std::vector<IPTR> rows;
  IPTR row = MUIV_NList_NextSelected_Start;
  for (;;) {
    DoMethod(list, MUIM_NList_NextSelected, &row);
    if (row == MUIV_NList_NextSelected_End) return rows;
    rows.push_back(row);
  }
}

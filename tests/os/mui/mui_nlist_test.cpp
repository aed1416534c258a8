// The NList class: its hooks, its rows against a plain model through random
// work, sorting with equal keys and with a comparison that lies, selection
// through the user's clicks, quiet mode, titles and marks, the list view and
// the dump.
#include <algorithm>
#include <random>

#include "os/mui/lists/nlist.h"
#include "tests/os/mui/nlist_support.h"

namespace {

using MuiNList = MuiTest;

TEST_F(MuiNList, HooksGetTheirArgumentsAndEveryEntryIsEndedOnceWhereverItGoes) {
  RowHooks hooks;
  Object* view = makeRowList(hooks);
  Object* list = listOfView(view);
  Row* rows[] = {new Row{"b", "1"}, new Row{"a", "2"}, new Row{"c", "3"}, new Row{"a", "4"}};
  EXPECT_EQ(DoMethod(list, MUIM_NList_Insert, rows, 4, MUIV_NList_Insert_Bottom), 4);
  EXPECT_EQ(hooks.constructed, (std::vector<std::string>{"1", "2", "3", "4"}));
  // The compare hook gets (entry2, entry1) and answers negative when entry1 comes first.
  hooks.compared.clear();
  DoMethod(list, MUIM_NList_Sort);
  EXPECT_EQ(rowIds(list), (std::vector<std::string>{"2", "4", "1", "3"}));
  ASSERT_FALSE(hooks.compared.empty());
  for (auto [object, message] : hooks.compared) EXPECT_NE(object, message);
  // The display hook fills the columns; NIL is the title row. The format's
  // pre-parse codes come first, and a person reads the texts without codes.
  auto* nlist = dynamic_cast<mui::NList*>(list);
  ASSERT_NE(nlist, nullptr);
  EXPECT_EQ(nlist->columnTexts(0), (std::vector<std::string>{"a", "\033r2"}));
  EXPECT_EQ(nlist->columnTexts(-1), (std::vector<std::string>{"Key", "\033r\033bId"}));
  EXPECT_EQ(nlist->userRowText(2), "b\t1");
  EXPECT_EQ(nlist->userColumnCount(), 2u);

  // Remove (a row, the active row), clear and dispose each end their entries once.
  EXPECT_EQ(DoMethod(list, MUIM_NList_Remove, 1), 1);
  EXPECT_EQ(hooks.destructed, (std::vector<std::string>{"4"}));
  SetAttrs(list, MUIA_NList_Active, 0);
  EXPECT_EQ(DoMethod(list, MUIM_NList_Remove, MUIV_NList_Remove_Active), 1);
  EXPECT_EQ(attr(list, MUIA_NList_Active), MUIV_NList_Active_Off);
  EXPECT_EQ(DoMethod(list, MUIM_NList_Remove, 7), 0);  // no such row
  EXPECT_EQ(hooks.destructed, (std::vector<std::string>{"4", "2"}));
  DoMethod(list, MUIM_NList_Clear);
  EXPECT_EQ(hooks.destructed, (std::vector<std::string>{"4", "2", "1", "3"}));
  insertRow(list, "z", "5", 0);
  // Sorted rows of a quiet period are placed when row numbers are next
  // needed; disposed before that, they are ended without being compared.
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  insertRow(list, "y", "6", MUIV_NList_Insert_Sorted);
  insertRow(list, "x", "7", MUIV_NList_Insert_Sorted);
  hooks.compared.clear();
  MUI_DisposeObject(view);
  EXPECT_TRUE(hooks.compared.empty());
  EXPECT_EQ(hooks.destructed, (std::vector<std::string>{"4", "2", "1", "3", "5", "6", "7"}));
  for (void* pool : hooks.pools) EXPECT_EQ(pool, nullptr);

  // A construct hook that refuses an entry: it is not inserted (nor ended).
  RowHooks refusing;
  refusing.refuseConstruct = true;
  view = makeRowList(refusing);
  EXPECT_EQ(insertRow(listOfView(view), "a", "1", MUIV_NList_Insert_Bottom), 0);
  EXPECT_EQ(attr(listOfView(view), MUIA_NList_Entries), 0);
  MUI_DisposeObject(view);
  EXPECT_TRUE(refusing.destructed.empty());
}

// A plain model of the rows: ids in order, selected flags, the active id.
struct ModelRow {
  std::string key, id;
  bool selected;
};

// What the list must show for the model: its ids in order, the selected
// rows, and the active row (the row of activeId, else off).
struct ModelShown {
  std::vector<std::string> ids;
  std::vector<IPTR> selected;
  IPTR active = MUIV_NList_Active_Off;
};
ModelShown shownOf(const std::vector<ModelRow>& model, const std::string& activeId) {
  ModelShown shown;
  for (size_t i = 0; i < model.size(); ++i) {
    shown.ids.push_back(model[i].id);
    if (model[i].selected) shown.selected.push_back(static_cast<IPTR>(i));
    if (model[i].id == activeId) shown.active = static_cast<IPTR>(i);
  }
  return shown;
}

TEST_F(MuiNList, RowsSelectionAndTheActiveRowMatchAPlainModelThroughRandomWork) {
  std::mt19937 random(7);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  RowHooks hooks;
  Object* view = makeRowList(hooks, MUIV_NList_MultiSelect_Default);
  Object* list = listOfView(view);
  std::vector<ModelRow> model;
  std::string activeId;
  int nextId = 0;
  auto sortedPlace = [&](const std::string& key) {
    return std::upper_bound(model.begin(), model.end(), key,
                            [](const std::string& k, const ModelRow& r) { return k < r.key; }) -
           model.begin();
  };
  // A sorted insert is defined on a sorted list: one that is not is sorted first.
  bool sorted = true;
  auto sortBoth = [&]() {
    DoMethod(list, MUIM_NList_Sort);
    std::stable_sort(model.begin(), model.end(), [](const ModelRow& a, const ModelRow& b) { return a.key < b.key; });
    sorted = true;
  };
  for (int step = 0; step < 3000; ++step) {
    const int n = static_cast<int>(model.size());
    const std::string key = "k" + std::to_string(pick(5));  // few keys: many equal ones
    const std::string id = std::to_string(nextId++);
    int op = pick(10);
    if (op <= 2 && n > 80) op = 3;  // a list of some length, never a long one
    switch (op) {
      case 0:
      case 1: {  // at a row (past the end: at the end), at the bottom, or sorted
        const int how = pick(3);
        if (how == 2 && !sorted) sortBoth();
        sorted = sorted && how == 2;
        const IPTR position = how == 0 ? pick(n + 3) : how == 1 ? MUIV_NList_Insert_Bottom : MUIV_NList_Insert_Sorted;
        ASSERT_EQ(insertRow(list, key, id, position), 1);
        const long at = how == 0 ? std::min(static_cast<int>(position), n) : how == 1 ? n : sortedPlace(key);
        model.insert(model.begin() + at, ModelRow{key, id, false});
        break;
      }
      case 2: {  // three at once, keeping their order
        Row* three[] = {new Row{key, id + "a"}, new Row{"k1", id + "b"}, new Row{key, id + "c"}};
        const bool atSortedPlace = pick(2);
        if (atSortedPlace && !sorted) sortBoth();
        sorted = sorted && atSortedPlace;
        const int position = pick(n + 1);
        ASSERT_EQ(DoMethod(list, MUIM_NList_Insert, three, 3, atSortedPlace ? MUIV_NList_Insert_Sorted : position), 3);
        for (int i = 0; i < 3; ++i) {
          const long at = atSortedPlace ? sortedPlace(three[i]->key) : position + i;
          model.insert(model.begin() + at, ModelRow{three[i]->key, three[i]->id, false});
        }
        break;
      }
      case 3:
      case 4:
        if (n) {
          const int row = pick(n);
          ASSERT_EQ(DoMethod(list, MUIM_NList_Remove, row), 1);
          if (model[row].id == activeId) activeId.clear();
          model.erase(model.begin() + row);
        }
        break;
      case 5:
        if (n) {
          const int row = pick(n);
          const IPTR how = pick(3);  // off, on, toggle
          DoMethod(list, MUIM_NList_Select, row, how, nullptr);
          model[row].selected = how == MUIV_NList_Select_Toggle ? !model[row].selected : how == MUIV_NList_Select_On;
        }
        break;
      case 6: {
        const int row = pick(n + 2) - 1;  // -1 .. n: outside the rows is none
        SetAttrs(list, MUIA_NList_Active, row);
        activeId = row >= 0 && row < n ? model[row].id : "";
        break;
      }
      case 7:
        sortBoth();
        break;
      case 8:
        SetAttrs(list, MUIA_NList_Quiet, pick(2) ? MUIV_NList_Quiet_Visual : MUIV_NList_Quiet_None);
        break;
      case 9:
        // As a program walks a list: a row, its neighbours, then a change
        // at the row read last (removed, or a row inserted before it).
        if (n) {
          // Row -1 would be the active row: the walk stops before the first.
          auto idAt = [&](IPTR row) {
            if (row < 0) return std::string("none");
            auto* r = reinterpret_cast<Row*>(DoMethod(list, MUIM_NList_GetEntry, row, nullptr));
            return r ? r->id : std::string("none");
          };
          auto modelAt = [&](int row) { return row >= 0 && row < static_cast<int>(model.size()) ? model[row].id : "none"; };
          int row = pick(n);
          for (const int step : {0, 1, 1, -1, 1}) {
            row += step;
            ASSERT_EQ(idAt(row), modelAt(row)) << "step " << step;
          }
          if (row >= static_cast<int>(model.size())) row = static_cast<int>(model.size()) - 1;
          ASSERT_EQ(idAt(row), modelAt(row));
          if (pick(2)) {
            ASSERT_EQ(DoMethod(list, MUIM_NList_Remove, row), 1);
            if (model[row].id == activeId) activeId.clear();
            model.erase(model.begin() + row);
          } else {
            const bool pastTheEnd = pick(4) == 0;  // lands at the end
            ASSERT_EQ(insertRow(list, key, id, pastTheEnd ? n + 2 : row), 1);
            if (pastTheEnd) row = n;
            model.insert(model.begin() + row, ModelRow{key, id, false});
            sorted = false;
          }
          for (const int near : {row + 2, row + 1, row, row - 1, row, row + 1}) ASSERT_EQ(idAt(near), modelAt(near));
        }
        break;
    }
    const auto [ids, selected, active] = shownOf(model, activeId);
    ASSERT_EQ(rowIds(list), ids) << "step " << step;
    ASSERT_EQ(selectedRows(list), selected) << "step " << step;
    ASSERT_EQ(attr(list, MUIA_NList_Active), active) << "step " << step;
    IPTR count = 0;
    DoMethod(list, MUIM_NList_Select, MUIV_NList_Select_All, MUIV_NList_Select_Ask, &count);
    ASSERT_EQ(count, static_cast<IPTR>(selected.size()));
  }
  const size_t left = model.size();
  MUI_DisposeObject(view);
  EXPECT_EQ(hooks.destructed.size(), hooks.constructed.size());
  EXPECT_GT(left, 0u);
}

TEST_F(MuiNList, AComparisonThatLiesStillLeavesEveryRowOnceAndEnds) {
  // Answers that contradict each other: sorts and sorted inserts end, and
  // the rows are the same rows in some order.
  static std::mt19937 random(11);
  for (int (*lie)() : {+[]() { return static_cast<int>(random() % 3) - 1; }, +[]() { return -1; }, +[]() { return 1; }}) {
    RowHooks hooks;
    Object* view = makeRowList(hooks);
    Object* list = listOfView(view);
    hooks.lie = lie;
    for (int i = 0; i < 300; ++i) insertRow(list, "k", std::to_string(i), i % 2 ? MUIV_NList_Insert_Sorted : 0);
    DoMethod(list, MUIM_NList_Sort);
    std::vector<std::string> ids = rowIds(list);
    std::sort(ids.begin(), ids.end());
    std::vector<std::string> expected = hooks.constructed;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ids, expected);
    MUI_DisposeObject(view);
    EXPECT_EQ(hooks.destructed.size(), 300u);
  }
}

TEST_F(MuiNList, SortsAndSortedBatchesBySortKeysGiveTheCompareHooksOrder) {
  // Keys that tie without being whole, keys that are whole, rows without a
  // key, equal keys told apart by tie words (whole or not): the rows end as
  // a stable sort by the compare hook alone puts them, and where every row
  // has a key most comparisons never reach the hook.
  std::mt19937 random(5);
  auto randomKey = [&](bool allKeyed) {
    std::string key = !allKeyed && random() % 8 == 0 ? "!" : "";
    for (size_t n = 1 + random() % 7; n > 0; --n) key += static_cast<char>('a' + random() % 2);
    return key;
  };
  for (const int variant : {0, 1, 2}) {
    // Every row keyed, or some not; keys one by one, or many at once.
    const bool allKeyed = variant != 1;
    RowHooks hooks;
    Object* view = makeRowList(hooks);
    Object* list = listOfView(view);
    SetAttrs(list, MUIA_NList_SortKeyHook, &hooks.sortKey);
    if (variant == 2) SetAttrs(list, MUIA_NList_SortKeysHook, &hooks.sortKeys);
    std::vector<Row> model;
    auto randomTie = [&] { return random() % 3 ? 0 : static_cast<int>(random() % 3) + (random() % 2 ? 1000 : 0); };
    for (int i = 0; i < 400; ++i) {
      model.push_back(Row{randomKey(allKeyed), std::to_string(i), randomTie()});
      insertRow(list, model.back().key, model.back().id, MUIV_NList_Insert_Bottom, model.back().tie);
    }
    auto byKey = [](const Row& a, const Row& b) { return a.key != b.key ? a.key < b.key : a.tie < b.tie; };
    auto modelIds = [&] {
      std::vector<std::string> ids;
      for (const Row& r : model) ids.push_back(r.id);
      return ids;
    };
    hooks.compared.clear();
    DoMethod(list, MUIM_NList_Sort);
    std::stable_sort(model.begin(), model.end(), byKey);
    EXPECT_EQ(rowIds(list), modelIds()) << variant;
    if (variant == 2) {
      EXPECT_GT(hooks.batches, 0u);
    }
    if (allKeyed) {
      EXPECT_LT(hooks.compared.size(), 400u * 3) << "the keys decide most comparisons";
    }
    // Batches in a quiet period, in order and not, each entry after the
    // equal ones: placed together when the rows are next read.
    for (int round = 0; round < 4; ++round) {
      SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
      std::vector<Row> batch;
      for (int i = 0; i < 300; ++i)
        batch.push_back(Row{randomKey(allKeyed), std::to_string(round) + "." + std::to_string(i), randomTie()});
      if (round % 2) std::stable_sort(batch.begin(), batch.end(), byKey);
      std::vector<Row*> handed;
      for (const Row& r : batch) handed.push_back(new Row(r));
      DoMethod(list, MUIM_NList_Insert, handed.data(), static_cast<IPTR>(handed.size()), MUIV_NList_Insert_Sorted);
      for (const Row& r : batch) model.insert(std::upper_bound(model.begin(), model.end(), r, byKey), r);
      EXPECT_EQ(rowIds(list), modelIds()) << variant << " round " << round;
      SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
    }
    MUI_DisposeObject(view);
    EXPECT_EQ(hooks.destructed.size(), model.size());
  }
}

TEST_F(MuiNList, QuietRemovalsAndSortedBatchesMatchAPlainModel) {
  // As an update walks a long list while quiet: it reads a row, removes it
  // or moves on, selects and activates rows on the way, adds a sorted batch,
  // and reads rows again; then quiet ends. Rows, selection and the active
  // row match a plain vector after each round, and every entry removed is
  // ended at once, exactly once. The fetch hook gets rows of the list only,
  // never one removed.
  std::mt19937 random(3);
  RowHooks hooks;
  Object* view = makeRowList(hooks, MUIV_NList_MultiSelect_Default);
  Object* list = listOfView(view);
  SetAttrs(list, MUIA_NList_SortKeyHook, &hooks.sortKey);
  SetAttrs(list, MUIA_NList_FetchHook, &hooks.fetch);
  std::vector<ModelRow> model;
  std::string activeId;
  int nextId = 0;
  auto newKey = [&] { return std::string(1, static_cast<char>('a' + random() % 20)) + std::to_string(random() % 50); };
  auto byKey = [](const ModelRow& a, const ModelRow& b) { return a.key < b.key; };
  auto idAt = [&](size_t row) {
    auto* r = reinterpret_cast<Row*>(DoMethod(list, MUIM_NList_GetEntry, row, nullptr));
    return r ? r->id : std::string("none");
  };
  for (int round = 0; round < 12; ++round) {
    SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
    // Removals: most rows in some rounds, a few in others.
    const unsigned keepOneIn = round % 3 == 0 ? 10 : round % 3 == 1 ? 2 : 1;
    for (size_t row = 0; row < model.size();) {
      ASSERT_EQ(idAt(row), model[row].id) << "round " << round << " row " << row;
      if (random() % 7 == 0) {
        DoMethod(list, MUIM_NList_Select, row, MUIV_NList_Select_Toggle, nullptr);
        model[row].selected = !model[row].selected;
      }
      if (random() % 97 == 0) {
        SetAttrs(list, MUIA_NList_Active, row);
        activeId = model[row].id;
      }
      if (keepOneIn > 1 && random() % keepOneIn != 0) {
        const size_t ended = hooks.destructed.size();
        ASSERT_EQ(DoMethod(list, MUIM_NList_Remove, row), 1);
        ASSERT_EQ(hooks.destructed.size(), ended + 1);
        ASSERT_EQ(hooks.destructed.back(), model[row].id);
        if (model[row].id == activeId) activeId.clear();
        model.erase(model.begin() + static_cast<long>(row));
        ASSERT_EQ(attr(list, MUIA_NList_Entries), static_cast<IPTR>(model.size()));
      } else {
        ++row;
      }
    }
    // A few rows read back and forth, as a cursor restore walks.
    for (size_t k = 0; k < 20 && !model.empty(); ++k) {
      const size_t row = random() % model.size();
      ASSERT_EQ(idAt(row), model[row].id);
      if (row > 0) {
        ASSERT_EQ(idAt(row - 1), model[row - 1].id);
      }
    }
    // A sorted batch, large or small, then rows read at once.
    const size_t added = round % 2 ? 2000 : 3;
    std::vector<Row*> batch;
    for (size_t k = 0; k < added; ++k) {
      batch.push_back(new Row{newKey(), std::to_string(nextId++)});
      const ModelRow r{batch.back()->key, batch.back()->id, false};
      model.insert(std::upper_bound(model.begin(), model.end(), r, byKey), r);
    }
    DoMethod(list, MUIM_NList_Insert, batch.data(), static_cast<IPTR>(batch.size()), MUIV_NList_Insert_Sorted);
    if (round % 4 == 3) SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
    const auto [ids, selected, active] = shownOf(model, activeId);
    ASSERT_EQ(rowIds(list), ids) << "round " << round;
    ASSERT_EQ(selectedRows(list), selected) << "round " << round;
    ASSERT_EQ(attr(list, MUIA_NList_Active), active) << "round " << round;
    SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
    ASSERT_EQ(rowIds(list), ids) << "round " << round;
  }
  const size_t left = model.size();
  EXPECT_GT(left, 1000u);
  EXPECT_GT(hooks.fetched, left) << "the walks in order ask ahead";
  EXPECT_EQ(hooks.fetchedNotRows, 0u);
  MUI_DisposeObject(view);
  EXPECT_EQ(hooks.destructed.size(), hooks.constructed.size());
}

struct ClickCase {
  const char* name;
  IPTR mode;
  std::vector<std::pair<size_t, mui::RowClick>> clicks;
  std::vector<IPTR> selected;
  IPTR active;
  int selectChanges;  // MUIA_NList_SelectChange notifications
};

TEST_F(MuiNList, ClicksSelectAsEachModeSays) {
  using mui::RowClick;
  const ClickCase cases[] = {
      {"one row", MUIV_NList_MultiSelect_None, {{1, RowClick::Plain}, {3, RowClick::Ctrl}}, {3}, 3, 0},
      {"one row, shift", MUIV_NList_MultiSelect_None, {{0, RowClick::Plain}, {2, RowClick::Shift}}, {2}, 2, 0},
      {"plain alone", MUIV_NList_MultiSelect_Default, {{1, RowClick::Plain}, {3, RowClick::Plain}}, {3}, 3, 2},
      {"ctrl adds and removes", MUIV_NList_MultiSelect_Default,
       {{1, RowClick::Plain}, {3, RowClick::Ctrl}, {4, RowClick::Ctrl}, {1, RowClick::Ctrl}}, {3, 4}, 1, 4},
      {"shift extends", MUIV_NList_MultiSelect_Default, {{4, RowClick::Plain}, {1, RowClick::Shift}}, {1, 2, 3, 4}, 1, 2},
      {"same row twice", MUIV_NList_MultiSelect_Default, {{2, RowClick::Plain}, {2, RowClick::Plain}}, {2}, 2, 1},
      {"every click toggles", MUIV_NList_MultiSelect_Always,
       {{0, RowClick::Plain}, {2, RowClick::Plain}, {0, RowClick::Plain}}, {2}, 0, 3},
  };
  for (const ClickCase& c : cases) {
    RowHooks hooks;
    Object* view = makeRowList(hooks, c.mode);
    Object* list = listOfView(view);
    for (int i = 0; i < 5; ++i) insertRow(list, "k", std::to_string(i), MUIV_NList_Insert_Bottom);
    RecordingHook changes(1), actives(1);
    DoMethod(list, MUIM_Notify, MUIA_NList_SelectChange, 1, list, 3, MUIM_CallHook, &changes.hook, MUIV_TriggerValue);
    DoMethod(list, MUIM_Notify, MUIA_NList_Active, MUIV_EveryTime, list, 3, MUIM_CallHook, &actives.hook,
             MUIV_TriggerValue);
    auto* rows = dynamic_cast<mui::ListUserActions*>(list);
    for (auto [row, how] : c.clicks) rows->userClickRow(row, how);
    EXPECT_EQ(selectedRows(list), c.selected) << c.name;
    EXPECT_EQ(attr(list, MUIA_NList_Active), c.active) << c.name;
    EXPECT_EQ(rows->userActiveRow(), c.active) << c.name;
    EXPECT_EQ(static_cast<int>(changes.calls.size()), c.selectChanges) << c.name;
    ASSERT_EQ(actives.calls.size(), c.clicks.size()) << c.name;
    EXPECT_EQ(actives.calls.back().message[0], c.active) << c.name;
    MUI_DisposeObject(view);
  }
}

TEST_F(MuiNList, DoubleClicksTitleClicksAndMarks) {
  RowHooks hooks;
  Object* view = makeRowList(hooks);
  Object* list = listOfView(view);
  for (int i = 0; i < 3; ++i) insertRow(list, "k" + std::to_string(i), std::to_string(i), MUIV_NList_Insert_Bottom);
  RecordingHook doubles(1), titles(1);
  DoMethod(list, MUIM_Notify, MUIA_NList_DoubleClick, MUIV_EveryTime, list, 3, MUIM_CallHook, &doubles.hook,
           MUIV_TriggerValue);
  DoMethod(list, MUIM_Notify, MUIA_NList_TitleClick, MUIV_EveryTime, list, 3, MUIM_CallHook, &titles.hook,
           MUIV_TriggerValue);
  auto* rows = dynamic_cast<mui::ListUserActions*>(list);
  rows->userDoubleClickRow(2);
  ASSERT_EQ(doubles.calls.size(), 1u);
  EXPECT_EQ(doubles.calls[0].message[0], 2);
  EXPECT_EQ(attr(list, MUIA_NList_Active), 2);
  rows->userClickTitle(1);
  rows->userClickTitle(1);
  rows->userClickTitle(2);  // past the last column: nothing
  ASSERT_EQ(titles.calls.size(), 2u);
  EXPECT_EQ(attr(list, MUIA_NList_TitleClick), 1);

  // The mark: a column with bit 31 for reversed (as a 32-bit word, also
  // when it comes sign-extended), or none.
  const struct {
    IPTR given;
    const char* shown;
  } marks[] = {{1, "mark=1"},
               {static_cast<IPTR>(0x80000000u), "mark=0-rev"},
               {static_cast<IPTR>(static_cast<int32_t>(0x80000001u)), "mark=1-rev"},
               {static_cast<IPTR>(MUIV_NList_TitleMark_None), nullptr}};
  for (const auto& m : marks) {
    SetAttrs(list, MUIA_NList_TitleMark, m.given);
    const std::string dump = ostest::dumpMuiTree(view);
    if (m.shown)
      EXPECT_NE(dump.find(m.shown), std::string::npos) << dump;
    else
      EXPECT_EQ(dump.find("mark="), std::string::npos) << dump;
  }
  EXPECT_EQ(ostest::dumpMuiTree(view),
            "NListview[NList(active=2,sel=2) \"[Key\\tId]\\nk0\\t0\\nk1\\t1\\nk2\\t2\"]");
  MUI_DisposeObject(view);

  // Without a title row a title click does nothing.
  RowHooks plain;
  view = makeRowList(plain, MUIV_NList_MultiSelect_None, false);
  list = listOfView(view);
  RecordingHook none(1);
  DoMethod(list, MUIM_Notify, MUIA_NList_TitleClick, MUIV_EveryTime, list, 3, MUIM_CallHook, &none.hook,
           MUIV_TriggerValue);
  dynamic_cast<mui::ListUserActions*>(list)->userClickTitle(0);
  EXPECT_TRUE(none.calls.empty());
  MUI_DisposeObject(view);
}

TEST_F(MuiNList, QuietModeDrawsOnceWhenItEnds) {
  RowHooks hooks;
  Object* view = makeRowList(hooks);
  Object* list = listOfView(view);
  auto* nlist = dynamic_cast<mui::NList*>(list);
  insertRow(list, "a", "0", MUIV_NList_Insert_Bottom);
  const int before = nlist->redrawCount();
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  for (int i = 1; i < 50; ++i) insertRow(list, "a", std::to_string(i), MUIV_NList_Insert_Sorted);
  for (int i = 0; i < 20; ++i) DoMethod(list, MUIM_NList_Remove, 0);
  DoMethod(list, MUIM_NList_Redraw, MUIV_NList_Redraw_All);
  EXPECT_EQ(nlist->redrawCount(), before);
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  EXPECT_EQ(nlist->redrawCount(), before + 1);
  // A quiet period without changes draws nothing.
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  EXPECT_EQ(nlist->redrawCount(), before + 1);
  DoMethod(list, MUIM_NList_Redraw, 0);
  EXPECT_EQ(nlist->redrawCount(), before + 2);
  EXPECT_EQ(attr(list, MUIA_NList_Entries), 30);
  DoMethod(list, MUIM_List_Jump, 12);
  EXPECT_EQ(nlist->jumpedRow(), 12);
  MUI_DisposeObject(view);
}

TEST_F(MuiNList, TheListViewAndMissingClasses) {
  // A list view made without a list makes its own; a list view whose list
  // class is missing is not made and leaves nothing behind.
  Object* view = MUI_NewObject("NListview.mcc", MUIA_Frame, MUIV_Frame_InputList, MUIA_FrameTitle, "Games");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(ostest::dumpMuiTree(view), "NListview(frame=inputlist,title=\"Games\")[NList \"\"]");
  // Sets on the view reach its list.
  SetAttrs(view, MUIA_Disabled, 1);
  EXPECT_EQ(attr(listOfView(view), MUIA_Disabled), 1);
  MUI_DisposeObject(view);
  for (const char* missing : {"NList.mcc", "NListview.mcc"}) {
    ostest::markMuiClassMissing(missing);
    RowHooks hooks;
    EXPECT_EQ(makeRowList(hooks), nullptr) << missing;
    EXPECT_EQ(MUI_NewObject("NListview.mcc"), nullptr) << missing;
    EXPECT_EQ(ostest::liveMuiObjects(), 0) << missing;
    ostest::restoreMuiClasses();
  }
}

}  // namespace

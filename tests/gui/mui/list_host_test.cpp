// The list host on the hosted NList: what the list shows, its refusals, its
// sorting, its marks, and the update merge checked against a simple model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/arena.h"
#include "core/box.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "gui/mui/lists/gui_list_host.h"
#include "os/mui/mui_lists.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/expect_error.h"

namespace {

char* chainOf(const std::vector<std::string>& texts) {
  StringChain chain;
  for (const std::string& t : texts) chain.append(StrClone(t.c_str()));
  return chain.head;
}

class ListHost : public HostWindowTest {
 protected:
  // A list in a vertical root group; options and entries before the build
  // come from describe.
  cGuiListHost* describeList(int32_t columns, const char* title) {
    window->beginGroupVertical(nullptr);
    auto* l = static_cast<cGuiListHost*>(window->beginList(columns, title));
    return l;
  }
  void buildIt() {
    window->endList();
    window->endGroup();
    window->build(true);
  }
  Object* nlist() { return list->infoNList(); }
  IPTR attr(Tag tag) {
    IPTR v = 0;
    GetAttr(tag, nlist(), &v);
    return v;
  }
  // The labels of every row, and the cursor's row marked with '>'.
  std::string rows() {
    std::string out;
    const int32_t cursor = list->cursor_walkToStart();
    if (cursor < 0) return "";
    int32_t row = 0;
    do {
      out += std::string(out.empty() ? "" : "|") + (row == cursor ? ">" : "") + list->cursor_getLabel();
      ++row;
    } while (list->cursor_gotoNext(1) != 0);
    list->cursor_gotoStart();
    list->cursor_gotoNext(cursor);
    return out;
  }
  void add(const std::vector<std::string>& labels) {
    for (const std::string& l : labels) list->addEntry(StrClone(l.c_str()), false, false, 0, nullptr, false);
  }
  cGuiListHost* list = nullptr;
};

// Yields its entries in order; with failAfter >= 0 it raises instead of
// yielding entry number failAfter.
struct EntrySpec {
  std::string label;
  // Even ids travel as the data value; odd ones in a value box, except those
  // that leave 3 when divided by 4: in a string box, written out longer than
  // an identity word holds (see stringIdentity).
  int32_t id;
  bool altColour = false;
  bool marked = false;
};
std::string stringIdentity(int32_t id) {
  char text[32];
  std::snprintf(text, sizeof text, "entry %08d", static_cast<int>(id));
  return text;
}
class_base* boxOfId(int32_t id) {
  if (id % 4 == 3) return BoxSTRING(StrClone(stringIdentity(id).c_str()));
  return id % 2 ? BoxVALUE(id) : nullptr;
}
// The id a row's data or box holds.
int32_t idOf(class_base* dataBox, int32_t data) {
  if (!dataBox) return data;
  if (dataBox->IsOfClassType("boxSTRING")) return std::atoi(static_cast<boxSTRING*>(dataBox)->string() + 6);
  return static_cast<int32_t>(static_cast<box*>(dataBox)->value);
}

class vectorProducer : public fGuiListEntries {
  LUDEX_CLASS(vectorProducer, fGuiListEntries)
 public:
  static vectorProducer* make(const std::vector<EntrySpec>& specs, int failAfter = -1) {
    auto* f = new vectorProducer;
    f->new_function();
    f->specs = specs;
    f->failAfter = failAfter;
    return f;
  }
  char* call(GuiListEntryMore* more) override {
    if (static_cast<int>(next) == failAfter) Throw("TEST", "producer failed");
    if (next >= specs.size()) return nullptr;
    const EntrySpec& s = specs[next++];
    more->altColour = s.altColour;
    more->marked = s.marked;
    more->data = s.id % 2 ? 0 : s.id;
    more->dataBox = boxOfId(s.id);
    // Every other label lent where the list takes lent ones: a lent label
    // the list disposed or kept would be caught as memory it must not touch.
    if (more->mayLend && next % 2 == 0 && chainAfterFirst.empty()) {
      more->labelLent = true;
      return const_cast<char*>(s.label.c_str());
    }
    char* label = StrClone(s.label.c_str());
    if (next == 1 && !chainAfterFirst.empty()) StrLink(label, chainOf(chainAfterFirst));
    return label;
  }
  std::vector<EntrySpec> specs;
  std::vector<std::string> chainAfterFirst;  // strings chained after the first label
  size_t next = 0;
  int failAfter = -1;
};

void updateWith(cGuiList* list, const std::vector<EntrySpec>& specs, int failAfter = -1) {
  vectorProducer* f = vectorProducer::make(specs, failAfter);
  try {
    list->updateF(f);
  } catch (...) {
    End(f);
    throw;
  }
  End(f);
}

TEST_F(ListHost, BuildShowsColumnsTitlesAlignmentAndPendingEntriesInOrder) {
  list = describeList(3, "Games");
  list->initColumnTitles("Name\tTags\tCount")->initColumnAlignment("lrc")->initSelectableEntries(false, false);
  window->addListEntry("b\tx\t2", false, false, 0, nullptr);
  window->addListEntry("a\ty\t10", true, false, 0, nullptr);
  window->addListEntry("c", false, false, 0, nullptr);              // fewer columns: empty ones
  window->addListEntry("d\t1\t2\t3\t4", false, false, 0, nullptr);  // more: the rest is ignored
  buildIt();
  // Unsorted entries keep the order they were added in.
  EXPECT_EQ(ostest::dumpMuiTree(window->infoRootObject()),
            "Group(V)[NListview(frame=inputlist,title=\"Games\")"
            "[NList \"[Name\\tTags\\tCount]\\nb\\tx\\t2\\na\\ty\\t10\\nc\\t\\t\\nd\\t1\\t2\"]]");
  EXPECT_STREQ(reinterpret_cast<const char*>(attr(MUIA_NList_Format)), "BAR,BAR P=\"\x1br\",BAR P=\"\x1b" "c\"");
  EXPECT_STREQ(list->infoTitleColumns()[0], "\x1b" "bName");
  list->cursor_gotoNext(1);
  entryNode* alt = list->cursor_infoEntry();
  EXPECT_STREQ(alt->columnTexts()[0], "\x1b" "8a");
  EXPECT_STREQ(alt->columnTexts()[2], "\x1b" "810");
  EXPECT_STREQ(alt->label, "a\ty\t10");
  // A chain handed to addEntry gives one entry per string, in order; only
  // the first takes the box.
  list->cursor_gotoEnd();
  list->addEntry(chainOf({"e", "f", "g"}), false, false, 0, BoxVALUE(9), true);
  EXPECT_EQ(rows(), "b\tx\t2|a\ty\t10|c|d\t1\t2\t3\t4|>e|f|g");
  EXPECT_NE(list->cursor_getDataBox(), nullptr);
  list->cursor_gotoNext(1);
  EXPECT_EQ(list->cursor_getDataBox(), nullptr);
}

TEST_F(ListHost, RefusalsBeforeTheBuildAndOnAnEmptyList) {
  list = describeList(2, nullptr);
  struct Case {
    const char* message;
    std::function<void()> action;
  };
  const std::vector<Case> beforeBuild = {
      {"cGuiList.infoSize(); the window must be built first", [&] { list->infoSize(); }},
      {"cGuiList.cursor_gotoStart(); the window must be built first", [&] { list->cursor_gotoStart(); }},
      {"cGuiList.cursor_gotoEnd(); the window must be built first", [&] { list->cursor_gotoEnd(); }},
      {"cGuiList.cursor_gotoNext(); the window must be built first", [&] { list->cursor_gotoNext(1); }},
      {"cGuiList.cursor_gotoPrev(); the window must be built first", [&] { list->cursor_gotoPrev(1); }},
      {"cGuiList.cursor_infoEntry(); the window must be built first", [&] { list->cursor_getLabel(); }},
      {"cGuiList.cursor_infoEntry(); the window must be built first", [&] { list->cursor_setMarked(true); }},
      {"cGuiList.cursor_getState(); the window must be built first", [&] { list->cursor_getState(); }},
      {"cGuiList.cursor_setState(); the window must be built first", [&] { list->cursor_setState(true); }},
      {"cGuiList.cursor_gotoFirstSelected(); the window must be built first", [&] { list->cursor_gotoFirstSelected(); }},
      {"cGuiList.cursor_gotoNextSelected(); the window must be built first", [&] { list->cursor_gotoNextSelected(); }},
      {"cGuiList.infoSelectionCount(); the window must be built first", [&] { list->infoSelectionCount(); }},
      {"cGuiList.infoSingleSelectionEntry(); the window must be built first", [&] { list->infoSingleSelectionEntry(); }},
      {"cGuiList.cursor_beforeInsert(); the window must be built first",
       [&] { list->cursor_beforeInsert(StrClone("x"), false, false, 0, BoxVALUE(1)); }},
      {"cGuiList.cursor_afterInsert(); the window must be built first",
       [&] { list->cursor_afterInsert(StrClone("x"), false, false, 0, nullptr); }},
      {"cGuiList.destroy(); the window must be built first", [&] { list->cursor_destroy(false); }},
      {"cGuiList.cursor_remove(); the window must be built first", [&] { list->cursor_remove(false); }},
      {"cGuiList.marked_setAltColour(); the window must be built first", [&] { list->marked_setAltColour(true); }},
      {"cGuiList.marked_setState(); the window must be built first", [&] { list->marked_setState(true); }},
      {"cGuiList.marked_destroy(); the window must be built first", [&] { list->marked_destroy(false); }},
      {"cGuiList.marked_remove(); the window must be built first", [&] { list->marked_remove(false); }},
      {"cGuiList.setSortByColumn(); column was not a valid value", [&] { list->setSortByColumn(2, false); }},
      {"cGuiList.setSortByUser(); initialColumn was not a valid value", [&] { list->setSortByUser(-1, false); }},
      {"cGuiList.setSortByFunction(); sortFunc=NIL", [&] { list->setSortByFunction(nullptr); }},
  };
  for (const Case& c : beforeBuild) expectError("EMU", c.message, c.action);
  buildIt();
  const std::vector<Case> whenEmpty = {
      {"cGuiList.cursor_getLabel(); list is empty", [&] { list->cursor_getLabel(); }},
      {"cGuiList.cursor_setLabel(); list is empty", [&] { list->cursor_setLabel("x", 0); }},
      {"cGuiList.cursor_getAltColour(); list is empty", [&] { list->cursor_getAltColour(); }},
      {"cGuiList.cursor_setAltColour(); list is empty", [&] { list->cursor_setAltColour(true); }},
      {"cGuiList.cursor_getMarked(); list is empty", [&] { list->cursor_getMarked(); }},
      {"cGuiList.cursor_setMarked(); list is empty", [&] { list->cursor_setMarked(true); }},
      {"cGuiList.cursor_getData(); list is empty", [&] { list->cursor_getData(); }},
      {"cGuiList.cursor_setData(); list is empty", [&] { list->cursor_setData(1); }},
      {"cGuiList.cursor_getDataBox(); list is empty", [&] { list->cursor_getDataBox(); }},
      {"cGuiList.cursor_setDataBox(); list is empty", [&] { list->cursor_setDataBox(BoxVALUE(1)); }},
      {"cGuiList.cursor_remove(); list is empty", [&] { list->cursor_remove(false); }},
      {"cGuiList.cursor_setState(); entries are not selectable", [&] { list->cursor_setState(true); }},
      {"cGuiList.marked_setState(); entries are not selectable", [&] { list->marked_setState(true); }},
      {"cGuiList.infoSingleSelectionEntry(); this does not make sense, as entries are not selectable",
       [&] { list->infoSingleSelectionEntry(); }},
      {"cGuiList.updateF(); list needs to be sorted", [&] { updateWith(list, {}); }},
  };
  for (const Case& c : whenEmpty) expectError("EMU", c.message, c.action);
  // An empty list answers without refusing.
  EXPECT_EQ(list->infoSize(), 0);
  EXPECT_FALSE(list->cursor_gotoStart());
  EXPECT_EQ(list->cursor_gotoNext(3), 0);
  EXPECT_FALSE(list->cursor_destroy(false));
  EXPECT_FALSE(list->cursor_getState());  // no row: not selected
  EXPECT_EQ(list->infoSelectionCount(), 0);
}

TEST_F(ListHost, SelectionRefusalsOfAMultiSelectList) {
  list = describeList(1, nullptr);
  list->initSelectableEntries(true, true);
  buildIt();
  expectError("EMU", "cGuiList.infoSingleSelectionEntry(); this cannot be called when multiSelect=TRUE",
              [&] { list->infoSingleSelectionEntry(); });
  add({"a", "b", "c"});
  list->cursor_gotoNext(1);
  list->cursor_setState(true);
  list->cursor_gotoEnd();
  list->cursor_setState(true);
  EXPECT_EQ(list->infoSelectionCount(), 2);
  ASSERT_TRUE(list->cursor_gotoFirstSelected());
  EXPECT_STREQ(list->cursor_getLabel(), "b");
  ASSERT_TRUE(list->cursor_gotoNextSelected());
  EXPECT_STREQ(list->cursor_getLabel(), "c");
  EXPECT_FALSE(list->cursor_gotoNextSelected());
}

TEST_F(ListHost, ColumnSortTypesAndTheCompareHooksOrder) {
  struct {
    const char* types;
    std::vector<std::string> added;
    const char* sorted;
  } cases[] = {
      // No number counts as 0; the extremes are compared, not subtracted.
      {"N", {"10", "2147483647", "9", "-1", "x", "-2147483647"}, "-2147483647|-1|x|9|10|2147483647"},
      {"I", {"Banana", "apple", "Cherry"}, "apple|Banana|Cherry"},
      {"S", {"Banana", "apple", "Cherry"}, "Banana|Cherry|apple"},
  };
  list = describeList(1, nullptr);
  buildIt();
  for (const auto& c : cases) {
    while (list->infoSize() > 0) list->cursor_destroy(false);
    list->setSortByNone();
    list->initColumnSortType(c.types);
    add(c.added);
    list->cursor_gotoEnd();
    list->cursor_setAltColour(true);  // the colour's pen does not take part
    list->setSortByColumn(0, false);
    list->cursor_walkToStart();
    std::string got;
    do got += std::string(got.empty() ? "" : "|") + list->cursor_getLabel();
    while (list->cursor_gotoNext(1));
    EXPECT_EQ(got, c.sorted) << c.types;
  }
  // NList hands its compare hook (entry2, entry1) and takes a negative
  // answer as "entry1 first".
  list->cursor_gotoStart();
  entryNode* first = list->cursor_infoEntry();
  list->cursor_gotoEnd();
  entryNode* last = list->cursor_infoEntry();
  auto* hook = reinterpret_cast<Hook*>(attr(MUIA_NList_CompareHook));
  EXPECT_LT(static_cast<int32_t>(CallHookPkt(hook, last, first)), 0);
  EXPECT_GT(static_cast<int32_t>(CallHookPkt(hook, first, last)), 0);
  list->setSortByColumn(0, true);
  EXPECT_STREQ(list->cursor_getLabel(), "apple");  // the cursor kept its entry
  EXPECT_TRUE(list->cursor_isAtStart());
}

// Sorting by a column against the column strings the list shows: on random
// labels (both cases, digits, signs, control bytes, the colour's own pen,
// TABs), some in the alternative colour, the rows end in the stable order
// of the column's text without the pen, by its sort type, in both
// directions; entries added afterwards land after the equal ones. The sort
// key the list hands out for a row is the one its comparison makes.
// Rows sort as the list's column comparison orders their labels, which the
// update merge uses too: a pen of a label's own counts, the alternative
// colour's does not; rows it takes as alike go by their labels ignoring case
// (what entries without data stand for), else stand as they came.
TEST_F(ListHost, SortingByAColumnOrdersAsTheListsComparisonThenTheLabels) {
  list = describeList(2, nullptr);
  buildIt();
  std::mt19937 random(5);
  const std::string common = "aAbBzZ09- $%\t";
  const std::string rare = "\x01\x08\x1b" "8";
  auto byte = [&]() { return random() % 12 ? common[random() % common.size()] : rare[random() % rare.size()]; };
  struct Added {
    std::string label;
    bool alt;
  };
  std::vector<Added> added;
  auto addRandom = [&](size_t count) {
    for (size_t i = 0; i < count; ++i) {
      std::string label = random() % 4 ? "" : "\x1b" "8";
      for (size_t k = random() % 20; k > 0; --k) label += byte();
      const bool alt = random() % 3 == 0;
      added.push_back({label, alt});
      list->addEntry(StrClone(label.c_str()), alt, false, 0, nullptr, false);
    }
  };
  addRandom(300);
  for (const char* types : {"SS", "II", "NN", "IS"})
    for (const int32_t column : {0, 1})
      for (const bool reverse : {false, true}) {
        list->initColumnSortType(types);
        list->setSortByColumn(column, reverse);
        if (reverse) addRandom(20);  // at their sorted places
        fGuiListSort* sort = nullptr;
        list->getSortByFunction(&sort);
        auto before = [&](const Added& a, const Added& b) {
          const int r = sort->call(a.label.c_str(), b.label.c_str());
          return (r != 0 ? r : OstrCmpNoCase(a.label.c_str(), b.label.c_str())) > 0;
        };
        // The stable order of the rows as they stood, the new ones last.
        std::vector<Added> expected = added;
        std::stable_sort(expected.begin(), expected.end(), before);
        std::vector<Added> rowsNow;
        list->cursor_walkToStart();
        do rowsNow.push_back({list->cursor_getLabel(), list->cursor_getAltColour()});
        while (list->cursor_gotoNext(1));
        ASSERT_EQ(rowsNow.size(), expected.size());
        for (size_t i = 0; i < rowsNow.size(); ++i)
          ASSERT_TRUE(rowsNow[i].label == expected[i].label && rowsNow[i].alt == expected[i].alt)
              << types << " column " << column << (reverse ? " reversed" : "") << " row " << i << ": "
              << testing::PrintToString(rowsNow[i].label) << " for " << testing::PrintToString(expected[i].label);
        // The key the list hands the update merge is the one its comparison
        // makes of the label, where it hands one at all.
        size_t handed = 0;
        list->cursor_walkToStart();
        do {
          GuiListSortKey kept, made;
          if (!list->cursor_getSortKey(&kept)) continue;
          ++handed;
          ASSERT_TRUE(sort->sortKey(list->cursor_getLabel(), &made));
          ASSERT_TRUE(kept.usable == made.usable && kept.whole == made.whole && kept.high == made.high &&
                      kept.low == made.low)
              << types << " column " << column << (reverse ? " reversed " : " ")
              << testing::PrintToString(std::string(list->cursor_getLabel()));
        } while (list->cursor_gotoNext(1));
        EXPECT_GT(handed, rowsNow.size() / 2);
        added = rowsNow;
      }
}

TEST_F(ListHost, CursorFindMatchesWholeLabelsPrefixesAndEndings) {
  list = describeList(1, nullptr);
  buildIt();
  add({"xab", "AB", "ab", "abc", "b"});
  struct {
    const char* text;
    bool ignoreCase;
    int32_t length;
    bool continueSearch;
    int32_t startRow;  // where the cursor stands before
    const char* found;  // NIL: none
  } cases[] = {
      {"ab", false, 0, false, 0, "ab"},
      {"ab", true, 0, false, 0, "AB"},
      {"ab", false, 2, false, 0, "ab"},
      {"abz", false, 2, false, 3, "ab"},   // a prefix, from the first entry
      {"ab", false, -2, false, 0, "xab"},  // labels that end in ab
      {"zab", false, -2, true, 0, "ab"},   // continuing: never the cursor entry itself
      {"ab", false, 0, true, 2, nullptr},
      {"b", false, -2, false, 0, "b"},     // a label shorter than the ending is compared whole
      {"q", false, 0, false, 0, nullptr},
  };
  for (const auto& c : cases) {
    list->cursor_gotoStart();
    list->cursor_gotoNext(c.startRow);
    const bool found = list->cursor_find(c.text, c.ignoreCase, c.length, c.continueSearch);
    EXPECT_EQ(found, c.found != nullptr) << c.text << " " << c.length;
    if (c.found) {
      EXPECT_STREQ(list->cursor_getLabel(), c.found) << c.text << " " << c.length;
    }
  }
}

TEST_F(ListHost, CursorLabelChangesResortOnlyWhenTheEntryMoves) {
  list = describeList(2, nullptr);
  list->setSortByColumn(0, false);
  buildIt();
  add({"b\t1", "d\t1", "f\t1"});
  list->cursor_gotoNext(1);
  const char* before = list->cursor_getLabel();
  list->cursor_setLabel("D\t2", 0);  // the same place ignoring case
  EXPECT_NE(list->cursor_getLabel(), before);
  EXPECT_EQ(rows(), "b\t1|>D\t2|f\t1");
  list->cursor_setLabel("a\t3", 0);
  EXPECT_EQ(rows(), ">a\t3|b\t1|f\t1");
  list->cursor_setLabel("g", 1);  // moved on, then sorted: the cursor keeps the entry it moved to
  EXPECT_EQ(rows(), ">b\t1|f\t1|g");
}

TEST_F(ListHost, DestroyingAndRemovingMoveTheCursorAndKeepTheMarks) {
  list = describeList(1, nullptr);
  buildIt();
  add({"a", "b", "c", "d", "e"});
  list->cursor_gotoEnd();
  EXPECT_FALSE(list->cursor_destroy(false));  // at the end: the new last entry
  EXPECT_EQ(rows(), "a|b|c|>d");
  bool moved = true;
  char* label = list->cursor_remove(true, &moved);
  EXPECT_STREQ(label, "d");
  EXPECT_TRUE(moved);
  DisposeString(label);
  EXPECT_EQ(rows(), "a|b|>c");
  // Marked: the cursor entry and the one after it; the cursor ends on the
  // first unmarked entry after them.
  add({"d", "e"});
  for (int32_t row : {1, 2}) {
    list->cursor_gotoStart();
    list->cursor_gotoNext(row);
    list->cursor_setMarked(true);
  }
  list->cursor_gotoStart();
  list->cursor_gotoNext(1);
  list->marked_destroy(false);
  EXPECT_EQ(rows(), "a|>d|e");
  EXPECT_EQ(list->infoMarks()->head, nullptr);
  // A marked first row that is the cursor row, moved back: the cursor stays at 0.
  list->cursor_gotoStart();
  list->cursor_setMarked(true);
  list->cursor_gotoEnd();
  list->cursor_setMarked(true);
  list->cursor_gotoStart();
  char* removed = list->marked_remove(true);
  EXPECT_STREQ(removed, "a");
  EXPECT_STREQ(StrNext(removed), "e");  // in list order
  DisposeString(removed);
  EXPECT_EQ(rows(), ">d");
  // Removing one of two marked entries leaves the other marked in the ring.
  add({"f"});
  list->markAll();
  list->cursor_gotoStart();
  list->cursor_destroy(false);
  ASSERT_NE(list->infoMarks()->head, nullptr);
  EXPECT_EQ(list->infoMarks()->head->next, list->infoMarks()->head);
  EXPECT_TRUE(list->cursor_getMarked());
  list->marked_unmark();
  EXPECT_FALSE(list->cursor_getMarked());
}

// Counts how often boxes of this class were ended.
int endedBoxes = 0;
class countedBox : public box {
  LUDEX_CLASS(countedBox, box)
 public:
  void end_class() override {
    ++endedBoxes;
    box::end_class();
  }
};

TEST_F(ListHost, EntriesRemovedWhileQuietLeaveTheMarksAtOnceAndEndOnceWhenDrawingResumes) {
  list = describeList(1, nullptr);
  list->setSortByColumn(0, false);
  buildIt();
  endedBoxes = 0;
  for (const char* label : {"a", "b", "c", "d"})
    list->addEntry(StrClone(label), false, true, 0, new countedBox, false);  // all marked
  list->setAutoUpdate(false);
  list->cursor_gotoStart();
  list->cursor_destroy(false);  // a
  list->cursor_gotoNext(1);
  list->cursor_destroy(false);  // c
  // The removed entries are out of the marks already; the others stay.
  int32_t marked = 0;
  for (markNode* m = list->infoMarks()->head; m; m = m->next == list->infoMarks()->head ? nullptr : m->next) ++marked;
  EXPECT_EQ(marked, 2);
  list->marked_unmark();
  list->markAll();
  EXPECT_EQ(rows(), "b|>d");
  list->setAutoUpdate(true);
  EXPECT_EQ(endedBoxes, 2);
  // Removed while drawing is on: ended at once.
  list->cursor_destroy(false);
  EXPECT_EQ(endedBoxes, 3);
  EXPECT_EQ(rows(), ">b");
}

TEST_F(ListHost, DataAndBoxExcludeEachOtherAndTheSameBoxIsKept) {
  list = describeList(1, nullptr);
  buildIt();
  add({"a"});
  list->cursor_gotoStart();
  box* b = BoxVALUE(5);
  list->cursor_setData(3);
  list->cursor_setDataBox(b);
  EXPECT_EQ(list->cursor_getData(), 0);
  list->cursor_setDataBox(b);  // the box it holds: kept, not ended
  EXPECT_EQ(list->cursor_getDataBox(), b);
  EXPECT_EQ(b->value, 5);
  list->cursor_setData(0);  // 0 leaves the box
  EXPECT_EQ(list->cursor_getDataBox(), b);
  list->cursor_setData(7);
  EXPECT_EQ(list->cursor_getDataBox(), nullptr);
  EXPECT_EQ(list->cursor_getData(), 7);
}

TEST_F(ListHost, SingleSelectionUnselectsOnlyTheCursorRow) {
  list = describeList(1, nullptr);
  list->initSelectableEntries(false, false);
  buildIt();
  add({"a", "b"});
  list->cursor_gotoStart();
  list->cursor_setState(true);
  list->cursor_gotoNext(1);
  list->cursor_setState(false);  // b was not selected: a stays selected
  EXPECT_STREQ(list->infoSingleSelectionEntry(), "a");
  EXPECT_EQ(list->infoSelectionCount(), 1);
  list->cursor_gotoStart();
  list->cursor_setState(false);
  EXPECT_EQ(list->infoSingleSelectionEntry(), nullptr);
  EXPECT_EQ(list->infoSelectionCount(), 0);
}

TEST_F(ListHost, UnsortedBatchesKeepTheirOrderAndInsertsKeepTheCursor) {
  list = describeList(1, nullptr);
  list->addEntry(chainOf({"a", "b"}), false, false, 0, nullptr, false);
  window->addListEntry("c", false, false, 0, nullptr);
  buildIt();
  EXPECT_EQ(rows(), ">a|b|c");
  list->cursor_gotoNext(1);
  list->cursor_beforeInsert(chainOf({"x", "y"}), false, false, 0, nullptr);
  list->cursor_afterInsert(StrClone("z"), false, false, 0, nullptr);
  EXPECT_EQ(rows(), "a|x|y|>b|z|c");
  auto* f = vectorProducer::make({{"p", 2}, {"q", 3}});
  list->addEntryF(f);
  End(f);
  EXPECT_EQ(rows(), "a|x|y|>b|z|c|p|q");
  // A producer's label that heads a chain gives an entry per string.
  f = vectorProducer::make({{"r", 4}, {"u", 5}});
  f->chainAfterFirst = {"s", "t"};
  list->addEntryF(f);
  End(f);
  EXPECT_EQ(rows(), "a|x|y|>b|z|c|p|q|r|s|t|u");
  EXPECT_EQ(list->infoSize(), 12);
  list->setSortByColumn(0, false);
  expectError("EMU", "cGuiList.cursor_beforeInsert(); the list must not be sorted",
              [&] { list->cursor_beforeInsert(StrClone("w"), false, false, 0, BoxVALUE(1)); });
}

TEST_F(ListHost, AMissingListClassStopsTheBuildAndKeepsTheEntriesForTheEnd) {
  ostest::markMuiClassMissing("NList.mcc");
  list = describeList(1, "Games");
  window->addListEntry("a", false, true, 0, BoxVALUE(1));
  window->addListEntry("b", false, false, 0, nullptr);
  window->endList();
  window->endGroup();
  testing::internal::CaptureStdout();
  expectError("ERR", "cGuiWindow.build(); failed to create GUI", [&] { window->build(true); });
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.rfind("ERROR: Missing the NList MCC, please install it for MUI.  You can download it from:\n", 0),
            0u);
  EXPECT_EQ(list->infoNList(), nullptr);
  // Ending the window ends the waiting entries (the sanitizer finds a leak).
}

// An application's comparison that raises: the error is printed, as the
// list's hooks print theirs, and the entry added stays with the list.
class failingSort : public fGuiListSort {
  LUDEX_CLASS(failingSort, fGuiListSort)
 public:
  int8_t call(const char* a, const char* b) override {
    (void)a, (void)b;
    Throw("TEST", "comparison failed");
  }
};

TEST_F(ListHost, AnEntryAddedToAListWhoseComparisonRaisesStaysWithTheList) {
  list = describeList(1, nullptr);
  buildIt();
  add({"a", "b"});
  auto* sort = new failingSort;
  sort->new_fMergeSortCompare();
  testing::internal::CaptureStdout();
  list->setSortByFunction(sort);
  const size_t live = Arena::liveCount();
  list->cursor_gotoStart();
  list->addEntry(StrClone("c"), false, false, 0, BoxVALUE(3), false);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("comparison failed"), std::string::npos);
  EXPECT_EQ(list->infoSize(), 3);
  EXPECT_STREQ(list->cursor_getLabel(), "a");  // the cursor kept its entry
  ASSERT_TRUE(list->cursor_find("c", false, 0, false));
  list->cursor_destroy(false);
  EXPECT_EQ(Arena::liveCount(), live);  // nothing of it left behind
  list->setSortByNone();
  End(sort);
}

// ---------------------------------------------------------------------------
// The update merge

// What a row holds, read through the cursor.
struct Row {
  std::string label;
  int32_t id;
  bool altColour, marked, selected;
  bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << r.label << "#" << r.id << (r.altColour ? "a" : "") << (r.marked ? "m" : "") << (r.selected ? "s" : "");
}

class ListUpdate : public ListHost {
 protected:
  void SetUp() override {
    ListHost::SetUp();
    list = describeList(2, nullptr);
    list->initSelectableEntries(true, true)->setSortByColumn(0, false);
    buildIt();
  }
  std::vector<Row> shown() {
    std::vector<Row> out;
    const int32_t cursor = list->cursor_walkToStart();
    if (cursor < 0) return out;
    do {
      out.push_back({list->cursor_getLabel(), idOf(list->cursor_getDataBox(), list->cursor_getData()),
                     list->cursor_getAltColour(), list->cursor_getMarked(), list->cursor_getState()});
    } while (list->cursor_gotoNext(1));
    list->cursor_gotoStart();
    list->cursor_gotoNext(cursor);
    return out;
  }
  int32_t cursorRow() {
    const int32_t row = list->cursor_walkToStart();
    list->cursor_gotoNext(row);
    return row;
  }
};

// The sort key of the list's sort column (0, ignoring case), compared
// without the list's own comparison.
std::string keyOf(const std::string& label) {
  std::string key = label.substr(0, label.find('\t'));
  for (char& c : key) c = UpperChar(c);
  return key;
}

// The merge in a few lines: the new entries sorted by key, then by what
// each stands for (its id: numbers, as data values or in value boxes, before
// the texts of string boxes), are the rows
// afterwards. A row is selected when the row of the same id was (the
// selection follows the entry, also when its new label sorts elsewhere).
// The cursor stays with its id; when that is gone, it ends on the next
// shown row whose id stays with the same key (row 0 when none does).
struct MergeModel {
  std::vector<Row> rows;
  int32_t cursor = 0;
};
MergeModel expectedMerge(const std::vector<Row>& before, int32_t cursor, std::vector<EntrySpec> fresh) {
  std::stable_sort(fresh.begin(), fresh.end(), [](const EntrySpec& a, const EntrySpec& b) {
    auto standsFor = [](const EntrySpec& e) { return std::pair(e.id % 4 == 3, e.id); };
    return keyOf(a.label) != keyOf(b.label) ? keyOf(a.label) < keyOf(b.label) : standsFor(a) < standsFor(b);
  });
  MergeModel m;
  auto newRowOf = [&](int32_t id) {
    for (size_t j = 0; j < fresh.size(); ++j)
      if (fresh[j].id == id) return static_cast<int32_t>(j);
    return -1;
  };
  for (const EntrySpec& e : fresh) m.rows.push_back({e.label, e.id, e.altColour, e.marked, false});
  for (const Row& r : before)
    if (r.selected && newRowOf(r.id) >= 0) m.rows[static_cast<size_t>(newRowOf(r.id))].selected = true;
  if (cursor < 0) return m;
  const auto at = static_cast<size_t>(cursor);
  if (newRowOf(before[at].id) >= 0) {
    m.cursor = newRowOf(before[at].id);
    return m;
  }
  for (size_t k = at + 1; k < before.size(); ++k) {
    const int32_t j = newRowOf(before[k].id);
    if (j >= 0 && keyOf(fresh[static_cast<size_t>(j)].label) == keyOf(before[k].label)) {
      m.cursor = j;
      break;
    }
  }
  return m;
}

TEST_F(ListUpdate, MergeMatchesTheModelThroughFiltersEditsAndSelections) {
  // Game-like labels whose names collide ignoring case, some byte for byte;
  // ids that stand for games; edits that give a game another label.
  const std::vector<std::string> names = {"alpha", "Alpha", "ALPHA", "beta", "Beta", "gamma", "delta",
                                          "Delta", "eps",   "zeta",  "Zeta", "eta",  "alpha"};
  std::mt19937 random(7);
  auto labelFor = [&](int32_t id) { return names[random() % names.size()] + "\t" + std::to_string(id % 3); };
  std::vector<EntrySpec> universe;
  for (int32_t id = 1; id <= 40; ++id) universe.push_back({labelFor(id), id, id % 5 == 0, id % 7 == 0});
  for (int step = 0; step < 400; ++step) {
    for (EntrySpec& e : universe)
      if (random() % 16 == 0) e.label = labelFor(e.id);
    // The user's selection and the cursor before the update.
    for (int32_t n = list->infoSize() > 0 ? static_cast<int32_t>(random() % 4) : 0; n > 0; --n) {
      list->cursor_gotoStart();
      list->cursor_gotoNext(static_cast<int32_t>(random() % static_cast<unsigned>(list->infoSize())));
      list->cursor_setState(random() % 3 != 0);
    }
    if (list->infoSize() > 0) {
      list->cursor_gotoStart();
      list->cursor_gotoNext(static_cast<int32_t>(random() % static_cast<unsigned>(list->infoSize())));
    }
    const std::vector<Row> before = shown();
    // Selected games and the cursor's are edited more often: their rows
    // follow them when the new labels sort elsewhere.
    const int32_t cursorId = before.empty() ? 0 : before[static_cast<size_t>(cursorRow())].id;
    for (EntrySpec& e : universe)
      for (const Row& r : before)
        if (r.id == e.id && (r.selected || r.id == cursorId) && random() % 2) e.label = labelFor(e.id);
    std::vector<EntrySpec> fresh;
    const int kind = static_cast<int>(random() % 4);  // a filter, all (cleared), none, a small filter
    for (const EntrySpec& e : universe)
      if (kind == 1 || (kind == 0 && random() % 2) || (kind == 3 && random() % 8 == 0)) fresh.push_back(e);
    std::shuffle(fresh.begin(), fresh.end(), random);
    const MergeModel expected = expectedMerge(before, list->infoSize() ? cursorRow() : -1, fresh);
    testing::internal::CaptureStdout();
    updateWith(list, fresh);
    ASSERT_EQ(testing::internal::GetCapturedStdout(), "") << "step " << step;
    ASSERT_EQ(shown(), expected.rows) << "step " << step;
    ASSERT_EQ(cursorRow(), expected.rows.empty() ? -1 : expected.cursor) << "step " << step;
    ASSERT_EQ(attr(MUIA_NList_Quiet), MUIV_NList_Quiet_None);
  }
}

TEST_F(ListUpdate, EntriesTheMergeAddsKeepTheKeysTheListWouldMake) {
  // The merge hands the list the keys it made of the new labels; whatever
  // the sort column, its type and direction, a label's own pen or the
  // alternative colour, each row's key is the one the list makes afresh.
  std::mt19937 random(9);
  const std::vector<std::string> pieces = {"Game", "game", "12", "-3", "\x1b" "8", "\x1b" "8x", "Quest", "", "zz"};
  std::vector<EntrySpec> universe;
  for (int32_t id = 1; id <= 120; ++id) {
    std::string label = pieces[random() % pieces.size()] + pieces[random() % pieces.size()] + "\t" +
                        pieces[random() % pieces.size()] + pieces[random() % pieces.size()];
    universe.push_back({label, id, random() % 3 == 0, false});
  }
  auto* keyHook = reinterpret_cast<Hook*>(attr(MUIA_NList_SortKeyHook));
  ASSERT_NE(keyHook, nullptr);
  auto keysOfRows = [&] {
    std::vector<std::string> keys;
    for (IPTR row = 0; row < attr(MUIA_NList_Entries); ++row) {
      NListSortKey k{};
      const IPTR has = CallHookPkt(keyHook, &k, reinterpret_cast<void*>(DoMethod(nlist(), MUIM_NList_GetEntry, row, nullptr)));
      keys.push_back(has ? std::to_string(k.high) + "/" + std::to_string(k.low) + "/" + std::to_string(k.whole) : "-");
    }
    return keys;
  };
  for (const char* types : {"IS", "SN", "NI"})
    for (const int32_t column : {0, 1})
      for (const bool reverse : {false, true}) {
        list->initColumnSortType(types);
        list->setSortByColumn(column, reverse);
        for (int step = 0; step < 3; ++step) {
          std::vector<EntrySpec> fresh;
          for (const EntrySpec& e : universe)
            if (step != 1 || random() % 4 == 0) fresh.push_back(e);
          std::shuffle(fresh.begin(), fresh.end(), random);
          updateWith(list, fresh);
          const std::vector<std::string> handed = keysOfRows();
          list->initColumnSortType(types);  // every key made again
          ASSERT_EQ(handed, keysOfRows()) << types << " column " << column << (reverse ? " reversed" : "");
        }
      }
}

TEST_F(ListUpdate, EdgeCasesOfTheMerge) {
  // Into an empty list: sorted, the cursor on the first entry.
  updateWith(list, {{"c\t1", 2}, {"a\t1", 4}, {"b\t1", 6}});
  EXPECT_EQ(rows(), ">a\t1|b\t1|c\t1");
  // The same entries: nothing changes, not even a label pointer or a box.
  list->cursor_gotoNext(1);
  const char* kept = list->cursor_getLabel();
  updateWith(list, {{"a\t1", 4}, {"b\t1", 6}, {"c\t1", 2}});
  EXPECT_EQ(list->cursor_getLabel(), kept);
  // A change of letter case only overwrites in place; the cursor stays on the
  // entry, which holds the new label itself (no copy is left over).
  const size_t live = Arena::liveCount();
  updateWith(list, {{"a\t1", 4}, {"B\t1", 6, true, true}, {"c\t1", 2}});
  EXPECT_EQ(rows(), "a\t1|>B\t1|c\t1");
  EXPECT_TRUE(list->cursor_getAltColour());
  EXPECT_TRUE(list->cursor_getMarked());
  EXPECT_EQ(Arena::liveCount(), live);
  // Entries before the cursor entry go and others come: the cursor stays.
  updateWith(list, {{"0\t1", 8}, {"B\t1", 6, true, true}, {"c\t1", 2}});
  EXPECT_EQ(rows(), "0\t1|>B\t1|c\t1");
  // Its label changes where the sort does not look: it stays, and so does
  // the cursor.
  updateWith(list, {{"0\t1", 8}, {"B\t2", 6, true, true}, {"c\t1", 2}});
  EXPECT_EQ(rows(), "0\t1|>B\t2|c\t1");
  // Its new label sorts elsewhere: the cursor follows it.
  updateWith(list, {{"0\t1", 8}, {"d\t2", 6}, {"c\t1", 2}});
  EXPECT_EQ(rows(), "0\t1|c\t1|>d\t2");
  // The cursor entry goes: the cursor ends on the entry that followed it.
  list->cursor_gotoStart();
  updateWith(list, {{"bb\t1", 10}, {"c\t1", 2}, {"d\t2", 6}});
  EXPECT_EQ(rows(), "bb\t1|>c\t1|d\t2");
  // It goes and none follows: the cursor is on the first entry.
  list->cursor_gotoEnd();
  updateWith(list, {{"0\t1", 8}});
  EXPECT_EQ(rows(), ">0\t1");
  // A producer that yields nothing empties the list; one that yields again
  // fills it (the add never waits for an entry that is not there).
  updateWith(list, {});
  EXPECT_EQ(list->infoSize(), 0);
  updateWith(list, {{"x", 2}, {"y", 4}});
  EXPECT_EQ(rows(), ">x|y");
  // update consumes its chain, also when it is refused.
  list->update(chainOf({"q", "p"}));
  EXPECT_EQ(rows(), ">p|q");
  list->setSortByNone();
  const size_t unsortedLive = Arena::liveCount();
  expectError("EMU", "cGuiList.update(); list needs to be sorted", [&] { list->update(chainOf({"r"})); });
  EXPECT_EQ(Arena::liveCount(), unsortedLive);
}

// A label that begins with the alternative colour's pen (its own, not the
// colour's) sorts by the pen too, in the list and in the merge alike: an
// update with the same entries, in either colour, changes nothing, keeps the
// selection and finds the cursor where it was.
TEST_F(ListUpdate, LabelsThatBeginWithThePenSortAlikeInTheListAndTheMerge) {
  const std::string pen = "\x1b" "8";
  const std::vector<EntrySpec> entries = {
      {pen + "ab", 2}, {"aa", 4}, {pen + "b", 6, true}, {"\x1b" "9", 8}, {pen + "aa", 10, true}, {"b", 12}};
  updateWith(list, entries);
  std::vector<entryNode*> before;
  list->cursor_walkToStart();
  do {
    list->cursor_setState(true);
    before.push_back(list->cursor_infoEntry());
  } while (list->cursor_gotoNext(1));
  list->cursor_gotoStart();
  list->cursor_gotoNext(3);
  testing::internal::CaptureStdout();
  updateWith(list, entries);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(cursorRow(), 3);
  std::vector<entryNode*> after;
  list->cursor_walkToStart();
  do {
    EXPECT_TRUE(list->cursor_getState()) << list->cursor_getLabel();
    after.push_back(list->cursor_infoEntry());
  } while (list->cursor_gotoNext(1));
  EXPECT_EQ(after, before);  // not one removed and added again
}

// Two games of the same name in different folders: a row follows the game
// it stands for, never the other one's; a changed colour shows.
TEST_F(ListUpdate, EqualLabelsStandForTheirOwnEntries) {
  updateWith(list, {{"Same\tx", 1}, {"Same\tx", 3}});
  entryNode* first = (list->cursor_gotoStart(), list->cursor_infoEntry());
  class_base* firstBox = first->dataBox;
  list->cursor_gotoNext(1);
  list->cursor_setState(true);  // the one of id 3
  updateWith(list, {{"Same\tx", 1}, {"Same\tx", 5, true}});
  EXPECT_EQ(first->dataBox, firstBox);  // the same value: the row keeps its box
  EXPECT_EQ(shown(), (std::vector<Row>{{"Same\tx", 1, false, false, false}, {"Same\tx", 5, true, false, false}}));
  list->cursor_gotoEnd();
  list->cursor_setState(true);  // the one of id 5
  updateWith(list, {{"Same\tx", 2}, {"Same\tx", 5}});
  EXPECT_EQ(shown(), (std::vector<Row>{{"Same\tx", 2, false, false, false}, {"Same\tx", 5, false, false, true}}));
}

TEST_F(ListUpdate, AFailingProducerLeavesTheListDrawnAndNothingBehind) {
  updateWith(list, {{"a", 2}, {"b", 4}});
  const size_t live = Arena::liveCount();
  expectError("TEST", "producer failed", [&] { updateWith(list, {{"c", 1}, {"d", 3}, {"e", 5}}, 2); });
  EXPECT_EQ(attr(MUIA_NList_Quiet), MUIV_NList_Quiet_None);
  EXPECT_EQ(rows(), ">a|b");
  EXPECT_EQ(Arena::liveCount(), live);
}

}  // namespace

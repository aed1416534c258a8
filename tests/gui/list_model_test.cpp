// The list model without a platform: its options, the column comparison, the
// entry producers, and the refusals of the update on a list that keeps no
// entries (unsorted).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/box.h"
#include "core/strings/string.h"
#include "gui/gui_base_module.h"
#include "gui/lists/gui_list_identity.h"
#include "tests/gui/model_window.h"
#include "tests/support/expect_error.h"

namespace {

class ListModel : public ::testing::Test {
 protected:
  void SetUp() override {
    window->beginGroupVertical(nullptr);
    list = window->beginList(3, "Games");
  }
  void TearDown() override { End(window); }
  modelWindow* window = modelWindow::make();
  cGuiList* list = nullptr;
};

char* chainOf(const std::vector<const char*>& texts) {
  StringChain chain;
  for (const char* t : texts) chain.append(StrClone(t));
  return chain.head;
}

TEST_F(ListModel, OptionsStartAsDocumentedAndTakeOnlyTheirOwnLetters) {
  EXPECT_STREQ(list->infoTitle(), "Games");
  EXPECT_EQ(list->infoColumns(), 3);
  EXPECT_EQ(list->infoColumnTitles(), nullptr);
  EXPECT_STREQ(list->infoColumnAlignment(), "LLL");
  EXPECT_STREQ(list->infoColumnSortType(), "III");
  bool multi = true, mode = true;
  EXPECT_FALSE(list->infoSelectableEntries(&multi, &mode));
  EXPECT_FALSE(multi);
  EXPECT_FALSE(mode);
  EXPECT_EQ(list->infoLabel(), nullptr);  // a list has no label of its own

  struct {
    const char* letters;
    const char* alignment;
    const char* sortTypes;
  } cases[] = {
      {"rx", "RLL", "III"},       // x is no alignment: column 1 stays
      {"cLrR", "CLR", "III"},     // letters past the last column are ignored
      {"nSi", "CLR", "NSI"},      // sort letters are not alignments, and the other way round
      {"", "CLR", "NSI"},
  };
  for (const auto& c : cases) {
    list->initColumnAlignment(c.letters)->initColumnSortType(c.letters);
    EXPECT_STREQ(list->infoColumnAlignment(), c.alignment) << c.letters;
    EXPECT_STREQ(list->infoColumnSortType(), c.sortTypes) << c.letters;
  }
  list->initColumnTitles(nullptr);
  EXPECT_STREQ(list->infoColumnTitles(), "");
  list->initColumnTitles("Name\tTags\tCount");
  EXPECT_STREQ(list->infoColumnTitles(), "Name\tTags\tCount");
  EXPECT_EQ(list->initSelectableEntries(true, false), list);
  EXPECT_TRUE(list->infoSelectableEntries(&multi, &mode));
  EXPECT_TRUE(multi);
  EXPECT_FALSE(mode);
}

// The sign convention of every list comparison: positive when the first
// label comes first.
TEST(ListComparison, ColumnsCompareByTheirSortType) {
  struct {
    const char* types;
    int32_t column;
    bool reverse;
    const char* a;
    const char* b;
    int expected;
  } cases[] = {
      {"N", 0, false, "9", "10", 1},            // 9 first as numbers
      {"S", 0, false, "9", "10", -1},           // 10 first as text
      {"I", 0, false, "9", "10", -1},
      {"N", 0, false, "", "0", 0},              // an empty column counts as 0
      {"N", 0, false, "abc", "-1", -1},         // no number: 0, after -1
      {"N", 0, false, "$10", "%10000", 0},      // 16 both ways
      {"NN", 0, false, "\t5", "0\t1", 0},       // the number after the TAB is not the column's
      {"N", 0, false, "-2147483648", "2147483647", 1},  // compared, not subtracted
      {"N", 0, true, "9", "10", -1},
      {"I", 0, false, "apple", "Banana", 1},
      {"S", 0, false, "apple", "Banana", -1},   // upper case sorts first
      {"I", 0, false, "ABC", "abc", 0},
      {"S", 0, false, "ab", "abc", 1},          // the end of the shorter column sorts first
      {"SS", 0, false, "ab\tz", "ab!\ta", 1},   // the TAB after it too
      {"IIS", 2, false, "x\ty\tb", "a\tb\ta", -1},
      {"IIS", 2, false, "x\ty", "a\tb\ta", 1},  // a missing column is empty
      {"II", 1, false, "z\tSame", "a\tsame", 0},
  };
  for (const auto& c : cases) {
    auto* sort = new fGuiListSortByColumn;
    sort->new_fMergeSortCompare();
    sort->init(c.column, c.reverse, c.types);
    EXPECT_EQ(sort->call(c.a, c.b), c.expected) << c.types << " " << c.a << " | " << c.b;
    EXPECT_EQ(sort->call(c.b, c.a), -c.expected) << "swapped: " << c.a << " | " << c.b;
    End(sort);
  }
  auto* whole = new fGuiListSort;
  whole->new_fMergeSortCompare();
  EXPECT_EQ(whole->call("apple\tz", "APPLE\ta"), -1);
  EXPECT_EQ(whole->call("Apple", "apple"), 0);
  End(whole);
}

class ownSort : public fGuiListSortByColumn {
  LUDEX_CLASS(ownSort, fGuiListSortByColumn)
};

// The sort keys against the comparisons they stand for: on random labels of
// letters in both cases, digits, signs, blanks, control bytes, TABs and
// bytes above 127, standing for numbers, texts, huge numbers or their labels
// (many alike), two keys either answer what the comparison and then what the
// entries stand for answer, or leave it undecided, for every sort type, both
// directions and the whole label; they decide most pairs, and a sort by them
// gives the stable order of the comparison and the identities.
TEST(ListComparison, SortKeysAnswerAsTheComparisonOrLeaveItOpen) {
  std::mt19937 random(11);
  const std::string common = "aAbBzZ09- $%\t\xe9\xc9";
  const std::string rare = "\x01\x08\x1b";
  auto byte = [&]() { return random() % 30 ? common[random() % common.size()] : rare[random() % rare.size()]; };
  std::vector<std::string> labels;
  for (int i = 0; i < 300; ++i) {
    std::string label;
    const size_t length = random() % 24;
    for (size_t k = 0; k < length; ++k) label += byte();
    labels.push_back(label);
    // Near neighbours: the same label in another case, and one byte longer.
    std::string other = label;
    for (char& c : other) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    labels.push_back(other);
    labels.push_back(label + byte());
  }
  labels.push_back("Game 000001 Quest longer than the key");
  labels.push_back("GAME 000001 QUEST LONGER THAN THE KEZ");
  // What each label's entry stands for: its label, a small number, a text
  // (short or longer than a tie word holds) or a number beyond it.
  const std::vector<const char*> texts = {"a", "B", "longer text 1", "longer text 2"};
  std::vector<int32_t> data(labels.size(), 0);
  std::vector<class_base*> boxes(labels.size(), nullptr);
  for (size_t i = 0; i < labels.size(); ++i) {
    switch (random() % 4) {
      case 0: break;
      case 1: data[i] = 1 + static_cast<int32_t>(random() % 4); break;
      case 2: boxes[i] = BoxSTRING(StrClone(texts[random() % texts.size()])); break;
      default: {
        const auto k = static_cast<intptr_t>(random() % 3);
        boxes[i] = BoxVALUE(random() % 2 ? INTPTR_MAX - k : INTPTR_MIN + k);
        break;
      }
    }
  }
  auto identity = [&](size_t i) { return identityOf(labels[i].c_str(), data[i], boxes[i]); };
  auto check = [&](fGuiListSort* sort, const char* what) {
    auto compare = [&](size_t a, size_t b) {
      const int r = sort->call(labels[a].c_str(), labels[b].c_str());
      return r != 0 ? r : compareIdentities(identity(a), identity(b));
    };
    std::vector<GuiListSortKey> keys(labels.size());
    for (size_t i = 0; i < labels.size(); ++i) {
      ASSERT_TRUE(sort->sortKey(labels[i].c_str(), &keys[i])) << what;
      setSortKeyTie(&keys[i], labels[i].c_str(), data[i], boxes[i]);
    }
    size_t decided = 0, pairs = 0;
    for (size_t i = 0; i < labels.size(); ++i)
      for (size_t j = 0; j < labels.size(); j += 7) {
        const int byKeys = compareSortKeys(keys[i], keys[j]);
        ++pairs;
        if (byKeys == SORT_KEYS_UNDECIDED) continue;
        ++decided;
        ASSERT_EQ(byKeys, compare(i, j)) << what << ": \"" << labels[i] << "\" \"" << labels[j] << "\"";
      }
    EXPECT_GT(decided, pairs / 2) << what;
    // Sorted by the keys, ties by the comparison: the stable order the
    // comparison alone gives (where every key is usable).
    std::vector<GuiListKeyedItem> items;
    for (uint32_t i = 0; i < labels.size(); ++i)
      if (keys[i].usable) items.push_back(keyedItem(keys[i], i));
    std::vector<uint32_t> expected;
    for (const GuiListKeyedItem& item : items) expected.push_back(item.index);
    std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) { return compare(a, b) > 0; });
    auto makeTie = [&](uint32_t i, GuiListSortKey* key) { setSortKeyTie(key, labels[i].c_str(), data[i], boxes[i]); };
    ASSERT_TRUE(sortByUsableKeys(items, keys, makeTie, [&](uint32_t a, uint32_t b) { return compare(a, b) > 0; }))
        << what;
    std::vector<uint32_t> got;
    for (const GuiListKeyedItem& item : items) got.push_back(item.index);
    ASSERT_EQ(got, expected) << what;
  };
  for (const char* types : {"S", "I", "N", "SI", "IN", "NS"})
    for (const int32_t column : {0, 1})
      for (const bool reverse : {false, true}) {
        auto* sort = new fGuiListSortByColumn;
        sort->new_fMergeSortCompare();
        sort->init(column, reverse, types);
        check(sort, (std::string(types) + " column " + std::to_string(column) + (reverse ? " reversed" : "")).c_str());
        End(sort);
      }
  auto* whole = new fGuiListSort;
  whole->new_fMergeSortCompare();
  check(whole, "whole labels");
  End(whole);
  // A comparison of the application's own, derived from these, has no keys.
  auto* own = new ownSort;
  own->new_fMergeSortCompare();
  GuiListSortKey key;
  EXPECT_FALSE(own->sortKey("a", &key));
  End(own);
  for (class_base*& b : boxes) End(b);
}

TEST(ListColumns, FindColumnGivesStartAndLength) {
  struct {
    const char* label;
    int32_t n, start, length;
  } cases[] = {
      {"a\tbc\t", 0, 0, 1}, {"a\tbc\t", 1, 2, 2}, {"a\tbc\t", 2, 5, 0}, {"a\tbc\t", 3, 5, 0}, {"", 0, 0, 0},
  };
  for (const auto& c : cases) {
    int32_t length = -1;
    EXPECT_EQ(findColumn(c.label, c.n, &length), c.start) << c.label << " " << c.n;
    EXPECT_EQ(length, c.length) << c.label << " " << c.n;
  }
}

TEST(ListProducers, StringListYieldsItsChainInOrderAndDisposesTheRest) {
  const size_t before = Arena::liveCount();
  auto* f = new fEntriesFromStringList;
  f->new_function();
  f->init(chainOf({"one", "two", "three"}));
  GuiListEntryMore more;
  more.data = 7;
  char* first = f->call(&more);
  EXPECT_STREQ(first, "one");
  EXPECT_EQ(StrNext(first), nullptr);  // detached from the chain
  EXPECT_EQ(more.data, 0);
  EXPECT_EQ(more.dataBox, nullptr);
  DisposeString(first);
  End(f);  // "two" and "three" go with it
  EXPECT_EQ(Arena::liveCount(), before);

  new_cguibase();
  EXPECT_EQ(defaultGuiListEntries->call(&more), nullptr);
  EXPECT_EQ(defaultGuiListSort->call("a", "B"), 1);
  end_cguibase();
  EXPECT_EQ(defaultGuiListSort, nullptr);
}

// A list without a host keeps no entries and is unsorted: the update is
// refused before anything changes, and what it was handed is still disposed.
TEST(ListWithoutHost, UpdateIsRefusedAndWhatItIsHandedIsDisposed) {
  const size_t before = Arena::liveCount();
  auto* list = new cGuiList;
  list->new_cGuiList(nullptr, 1, nullptr);
  expectError("EMU", "cGuiList.update(); list needs to be sorted", [&] { list->update(chainOf({"a", "b"})); });
  auto* f = new fEntriesFromStringList;
  f->new_function();
  f->init(chainOf({"c"}));
  expectError("EMU", "cGuiList.updateF(); list needs to be sorted", [&] { list->updateF(f); });
  list->addEntryF(f);
  End(f);
  list->addEntry(StrClone("x"), false, false, 0, BoxVALUE(1), true);
  list->cursor_setDataBox(BoxVALUE(2));
  list->cursor_afterInsert(StrClone("y"), false, false, 0, BoxVALUE(3));
  EXPECT_EQ(list->cursor_walkToStart(), -1);
  EXPECT_EQ(list->saveCursorEntry(), nullptr);
  EXPECT_FALSE(list->cursor_find("x", false, 0, false));
  End(list);
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace

// Directory entry lists: order ignoring case, duplicates refused, walks by
// kind, a cursor that survives insertion and removal, name searches, copies
// and unused names.
#include "files/objects/dir_entry_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "core/time_count.h"
#include "tests/files/error_text.h"
#include "tests/files/taken_text.h"

namespace {

using Names = std::vector<std::string>;

Names namesOf(const cDirEntryList* list) {
  Names names;
  for (const char* n = list->names; n; n = StrNext(n)) names.push_back(n);
  return names;
}

class DirEntryList : public testing::Test {
 protected:
  void SetUp() override {
    blocks_ = Arena::liveCount();
    list = fresh({});
  }
  void TearDown() override {
    End(list);
    EXPECT_EQ(Arena::liveCount(), blocks_) << "names left";
  }
  static cDirEntryList* fresh(std::initializer_list<const char*> names) {
    auto* l = new cDirEntryList;
    l->new_cDirEntryList();
    for (const char* n : names) EXPECT_TRUE(l->add(n)) << n;
    return l;
  }
  Names walk(int32_t kind) {
    Names seen;
    for (bool on = list->gotoFirst(kind); on; on = list->gotoNext(kind)) seen.push_back(list->infoName());
    return seen;
  }
  cDirEntryList* list = nullptr;

 private:
  size_t blocks_ = 0;
};

TEST_F(DirEntryList, AscendingIgnoringCaseWithoutDuplicates) {
  for (const char* n : {"b", "A/", "a", "Gamesbox", "Games/", "Games", "Games.old"}) EXPECT_TRUE(list->add(n)) << n;
  EXPECT_FALSE(list->add("B"));
  EXPECT_FALSE(list->add("games"));
  EXPECT_FALSE(list->addString(StrClone("GAMESBOX")));  // disposed: the fixture counts
  EXPECT_EQ(namesOf(list), (Names{"a", "A/", "b", "Games", "Games.old", "Games/", "Gamesbox"}));
}

TEST_F(DirEntryList, WalksByKind) {
  for (const char* n : {"d/", "c", "", "b/", "a"}) list->add(n);
  EXPECT_EQ(walk(ENTRY_ANY), (Names{"", "a", "b/", "c", "d/"}));
  EXPECT_EQ(walk(ENTRY_FILE), (Names{"a", "c"}));
  EXPECT_EQ(walk(ENTRY_DIR), (Names{"", "b/", "d/"}));
  EXPECT_STREQ(list->infoName(), "");
  End(list);
  list = fresh({"x", "y"});
  EXPECT_FALSE(list->gotoFirst(ENTRY_DIR));
  EXPECT_STREQ(list->infoName(), "");
  EXPECT_EQ(errorOf([this] { list->remove_cDirEntryList(); }), " EMU cDirEntryList.remove(); not on a list item");
  EXPECT_EQ(errorOf([this] { list->gotoFirst(3); }), " EMU cDirEntryList.gotoFirst(); any0file1dir2 <> 0 or 1 or 2");
  EXPECT_EQ(errorOf([this] { list->gotoNext(-1); }), " EMU cDirEntryList.gotoNext(); any0file1dir2 <> 0 or 1 or 2");
  EXPECT_EQ(errorOf([this] { list->add(nullptr); }), " EMU cDirEntryList.add(); name=NILA");
}

TEST_F(DirEntryList, CursorSurvivesRemovalAndInsertion) {
  for (const char* n : {"a", "c", "e", "g"}) list->add(n);
  ASSERT_TRUE(list->gotoFirst(ENTRY_ANY));
  list->remove_cDirEntryList();  // the second becomes first and current
  EXPECT_STREQ(list->infoName(), "c");
  EXPECT_STREQ(list->names, "c");
  EXPECT_TRUE(list->add("b"));  // before the first, which is current
  EXPECT_TRUE(list->add("d"));  // right after the current one
  list->remove_cDirEntryList();
  EXPECT_STREQ(list->infoName(), "d");
  EXPECT_TRUE(list->add("c2"));  // right before the current entry
  list->remove_cDirEntryList();
  EXPECT_EQ(namesOf(list), (Names{"b", "c2", "e", "g"}));
  ASSERT_TRUE(list->findName("g", false));
  list->remove_cDirEntryList();  // the last: the cursor is on none
  EXPECT_STREQ(list->infoName(), "");
  EXPECT_EQ(namesOf(list), (Names{"b", "c2", "e"}));
}

TEST_F(DirEntryList, FindsNamesOfEitherKind) {
  struct Case {
    std::initializer_list<const char*> entries;
    const char* name;
    bool ignoreKind;
    const char* found;  // "" when not found
  };
  const Case cases[] = {
      {{"Games/"}, "games", true, "Games/"},
      {{"Games/"}, "games", false, ""},
      {{"Games/"}, "GAMES/", false, "Games/"},
      {{"Games"}, "Games/", true, ""},
      {{"Games", "Games/"}, "Games/", true, "Games/"},
      // Names that continue the key with a character below "/" come between.
      {{"Games/", "Games.old", "Games-1", "Games 2"}, "games", true, "Games/"},
      {{"Gamesbox", "Game/"}, "games", true, ""},
      {{}, "x", true, ""},
  };
  for (const Case& c : cases) {
    End(list);
    list = fresh(c.entries);
    EXPECT_EQ(list->findName(c.name, c.ignoreKind), c.found[0] != '\0') << c.name;
    EXPECT_STREQ(list->infoName(), c.found) << c.name;
  }
}

TEST_F(DirEntryList, ClonesAndAddsLists) {
  for (const char* n : {"b", "a/", "c"}) list->add(n);
  ASSERT_TRUE(list->gotoFirst(ENTRY_ANY));
  cDirEntryList* copy = list->clone();
  EXPECT_EQ(namesOf(copy), namesOf(list));
  EXPECT_STREQ(copy->infoName(), "");
  copy->gotoFirst(ENTRY_ANY);
  copy->remove_cDirEntryList();
  EXPECT_EQ(namesOf(list).size(), 3u);
  cDirEntryList* other = fresh({"B", "d", "A/", "e/"});
  EXPECT_EQ(list->addList(other), 2);
  EXPECT_EQ(namesOf(list), (Names{"a/", "b", "c", "d", "e/"}));
  End(other);
  End(copy);
}

// A list in which every name is taken.
class cFullList : public cDirEntryList {
 public:
  int32_t searches = 0;
  bool findName(const char*, bool) override { return ++searches > 0; }
};

TEST_F(DirEntryList, UniqueNames) {
  cPath_randomSeed_cpath_dirbase = 4242;
  EXPECT_TRUE(std::regex_match(take(list->makeUniqueName(2, "x")), std::regex("x[0-9a-f]+/")));
  // Taken also by the other kind: a file drawn from a seed moves the
  // directory name of that seed on.
  cPath_randomSeed_cpath_dirbase = 99;
  char* file = list->makeUniqueName(ENTRY_FILE, nullptr);
  EXPECT_TRUE(std::regex_match(file, std::regex("TMP[0-9a-f]+")));
  const std::string taken = std::string(file) + "/";
  list->addString(file);
  cPath_randomSeed_cpath_dirbase = 99;
  EXPECT_NE(take(list->makeUniqueName(ENTRY_DIR, nullptr)), taken);
  EXPECT_EQ(errorOf([this] { take(list->makeUniqueName(0, "x")); }),
            " EMU cDirEntryList.makeUniqueName(); file1dir2 <> 1 or 2");

  auto* full = new cFullList;
  full->new_cDirEntryList();
  cPath_randomSeed_cpath_dirbase = 0x80000000u;  // the most negative seed is usable
  EXPECT_EQ(errorOf([full] { take(full->makeUniqueName(1, nullptr)); }),
            " BUG cDirEntryList.makeUniqueName(); retry limit exceeded");
  EXPECT_EQ(full->searches, 999);
  End(full);
}

TEST(DirEntryListModule, SeedComesFromTheTimeCount) {
  ostest::restoreTimer();
  new_ptime();
  ostest::fixClock(694224000 + 0x1234, 0);
  new_cpath_dirbase();
  EXPECT_EQ(cPath_randomSeed_cpath_dirbase, 0x1234u);
  end_ptime();
  ostest::restoreTimer();
}

}  // namespace

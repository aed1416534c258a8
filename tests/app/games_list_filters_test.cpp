#include "app/main_window/games_list_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/games/game.h"
#include "core/strings/string.h"

namespace {

struct GameSpec {
  const char* name;
  const char* path;
  const char* tags;
};

const GameSpec shelf[] = {
    {"Super Frog", "Work:/Games/Amiga/SuperFrog/", ",Platform,"},
    {"Racer", "Work:/Games/Amiga/Racer.adf", ",Racing,Favourite,"},
    {"Mario 64", "Work:/Games/N64/mario64.z64", ",Platform,"},
    {"Beta Test", "DH1:/Beta/b.adf", ","},
    {"Frogger 64", "Work:/Games/C64/frogger.d64", ",racing,C64,"},
    {"Q", "Work:/q", ",Q,"},
};

struct FilterCase {
  const char* name;
  const char* path;
  const char* tags;
  std::vector<std::string> shown;
};

const std::vector<std::string> everyGame = {"Super Frog", "Racer", "Mario 64", "Beta Test", "Frogger 64", "Q"};

class GamesListFiltersTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const GameSpec& s : shelf) {
      auto* g = new game;
      g->new_game(StrClone(s.name), StrClone(s.path), StrClone(s.tags), nullptr, 0, 0);
      games.push_back(g);
    }
  }
  void TearDown() override {
    filters.clear();
    for (game*& g : games) End(g);
  }
  std::vector<std::string> shown(const FilterCase& c) {
    filters.set(c.name, c.path, c.tags);
    std::vector<std::string> names;
    for (game* g : games)
      if (filters.passes(g)) names.push_back(g->name);
    return names;
  }
  std::vector<game*> games;
  GamesListFilters filters;
};

TEST_F(GamesListFiltersTest, AnyItemWithinAFilterAllFiltersAcross) {
  const FilterCase cases[] = {
      {"", "", "", everyGame},
      {nullptr, nullptr, nullptr, everyGame},
      // "~" alone has no items: it filters nothing.
      {"~", "~", "~", everyGame},
      {",,  /", "", ",", everyGame},
      // Name items split at blanks, commas and "/"; any one of them matches.
      {"super frog", "", "", {"Super Frog", "Frogger 64"}},
      {"mario 64", "", "", {"Mario 64", "Frogger 64"}},
      {"mario,64", "", "", {"Mario 64", "Frogger 64"}},
      {"MARIO/64", "", "", {"Mario 64", "Frogger 64"}},
      {"~beta", "", "", {"Super Frog", "Racer", "Mario 64", "Frogger 64", "Q"}},
      {"~frog 64", "", "", {"Racer", "Beta Test", "Q"}},
      // A name matches anywhere; a tag only whole.
      {"rac", "", "", {"Racer"}},
      {"", "", "rac", {}},
      {"", "", "racing", {"Racer", "Frogger 64"}},
      {"", "", "RACING", {"Racer", "Frogger 64"}},
      {"", "", "racing,platform", {"Super Frog", "Racer", "Mario 64", "Frogger 64"}},
      {"", "", "~racing", {"Super Frog", "Mario 64", "Beta Test", "Q"}},
      {"", "", "~racing,platform", {"Beta Test", "Q"}},
      {"", "", "q", {"Q"}},
      // The tags text splits only at commas: a blank stays inside the tag.
      {"", "", "racing platform", {}},
      // A game without tags never passes a tags filter, always a negated one.
      {"", "", "favourite", {"Racer"}},
      {"", "", "~favourite", {"Super Frog", "Mario 64", "Beta Test", "Frogger 64", "Q"}},
      // Paths in their canonical form, split like names.
      {"", "amiga", "", {"Super Frog", "Racer"}},
      {"", "n64/c64", "", {"Mario 64", "Frogger 64"}},
      {"", "~games", "", {"Beta Test", "Q"}},
      {"", "dh1:", "", {"Beta Test"}},
      // Across the three filters every one must pass.
      {"frog", "", "platform", {"Super Frog"}},
      {"64", "~n64", "~platform", {"Frogger 64"}},
      {"~", "amiga", "~", {"Super Frog", "Racer"}},
      {"racer", "n64", "", {}},
  };
  for (const FilterCase& c : cases)
    EXPECT_EQ(shown(c), c.shown) << "name \"" << (c.name ? c.name : "NIL") << "\" path \""
                                 << (c.path ? c.path : "NIL") << "\" tags \"" << (c.tags ? c.tags : "NIL") << "\"";
}

TEST_F(GamesListFiltersTest, ItemsAreUpperCaseAndTagItemsKeepTheirCommas) {
  auto chain = [](const char* items) {
    std::string all;
    for (const char* s = items; s; s = StrNext(s)) all += std::string(s) + "|";
    return all;
  };
  filters.set("~a/b c,,dé", "x", "~Racing,,c64");
  EXPECT_TRUE(filters.nameNegated());
  EXPECT_EQ(chain(filters.nameItems()), "A|B|C|Dé|");
  EXPECT_FALSE(filters.pathNegated());
  EXPECT_EQ(chain(filters.pathItems()), "X|");
  EXPECT_TRUE(filters.tagsNegated());
  EXPECT_EQ(chain(filters.tagsItems()), ",RACING,|,C64,|");
  filters.clear();
  EXPECT_TRUE(filters.isOff());
  EXPECT_FALSE(filters.tagsNegated());
}

}  // namespace

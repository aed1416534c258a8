#include "app/games/game_path_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/games/game.h"
#include "app/ludex_module.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "tests/support/dos_sandbox.h"

namespace {

class GamePathIndex : public testing::Test {
 protected:
  void SetUp() override {
    new_ludex();
    games = new cMegaList_class;
    games->new_cMegaList_class(true, nullptr, true);
  }
  void TearDown() override {
    End(games);
    end_ludex();
  }
  // A path of a few names, each letter in either case, so that many paths
  // are equal ignoring case and some only nearly ("Games:/a/b" and "Games:/a/b_").
  std::string randomPath() {
    std::string path = "Games:/";
    for (size_t n = 1 + random() % 3; n > 0; --n) {
      for (size_t k = 1 + random() % 2; k > 0; --k) path += "aAbB_"[random() % 5];
      path += '/';
    }
    path.back() = random() % 4 ? 'x' : 'X';
    return path;
  }
  void addGame(const std::string& path) {
    auto* g = new game;
    g->new_game(StrClone("G"), StrClone(path.c_str()), nullptr, nullptr, 0, 0, true);
    addGameToList(games, g);
  }

  DosSandbox box;
  cMegaList_class* games = nullptr;
  std::mt19937 random{11};
};

TEST_F(GamePathIndex, FindsWhatASearchFromTheListsStartFinds) {
  for (int i = 0; i < 300; ++i) addGame(randomPath());
  auto* index = new cGamePathIndex;
  index->new_cGamePathIndex(games);
  cMegaCursor_class* byIndex = games->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
  cMegaCursor_class* bySearch = games->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
  int found = 0;
  // Games appended while the index lives are found too, past its first size.
  for (int round = 0; round < 3000; ++round) {
    if (round % 2) {
      addGame(randomPath());
      index->addLast();
    }
    const std::string path = randomPath();
    game* g = index->find(path.c_str(), byIndex);
    const bool listed = list_findPath(games, bySearch, path.c_str());
    ASSERT_EQ(g != nullptr, listed) << path;
    if (!listed) continue;
    ++found;
    EXPECT_EQ(g, reinterpret_cast<game*>(bySearch->read_cMegaCursor_class())) << path;
    EXPECT_EQ(reinterpret_cast<game*>(byIndex->read_cMegaCursor_class()), g) << path;
  }
  EXPECT_GT(found, 1000);
  End(byIndex);
  End(bySearch);
  End(index);
}

}  // namespace

// Names of new games made from their file names.
#include "app/games/game_name.h"

#include <gtest/gtest.h>

#include <string>

#include "core/strings/string.h"

namespace {

std::string nameOf(const char* fileName, bool isProgram) {
  char* made = makeGameName(fileName, isProgram);
  std::string name = made;
  DisposeString(made);
  return name;
}

TEST(GameName, FromFileNames) {
  const struct {
    const char* file;
    bool isProgram;
    const char* name;
  } cases[] = {
      {"DOOM.EXE", true, "Doom"},
      {"monkeyIsland2.adf", false, "monkey Island 2"},
      {"zork1.z3", false, "zork 1"},
      {"Super_Frog.adf", false, "Super Frog"},
      {"2048game.nes", false, "2048 game"},
      // Only a program's all-capital name is lowered, and only after its first letter.
      {"DOOM.EXE", false, "DOOM"},
      {"Doom.EXE", true, "Doom"},
      {"README", false, "README"},
      {"X", false, "X"},
      {"_", false, "_"},
      {"_ab_", false, "_ab "},  // a leading underscore stays
      // Endings: any three-character extension, then .ST, .SP (this case
      // only), .Z1 to .Z8; each only while the name is longer than 3.
      {"a.ST", false, "a"},
      {"a.st", false, "a"},
      {"ab.SP", false, "ab"},
      {"ab.sp", false, "ab.sp"},
      {"game.z9", false, "game.z 9"},
      {"game.Z8", false, "game"},
      {"x.SP.ST", false, "x"},
      {"ab.Z5.SP.ST", false, "ab"},
      {".SP.ST", false, ".SP"},  // never cut to nothing
      {"abc", false, "abc"},
      {"abcd.", false, "abcd."},
      {"a.bcd", false, "a"},
      {".bcd", false, ".bcd"},  // not longer than 4: kept
      // Blanks between letters and digits, and before a capital after a small letter.
      {"R2D2", false, "R 2 D 2"},
      {"ABCdef", false, "ABCdef"},
      {"aBcD", false, "a Bc D"},
      {"Lemmings_2_Tribes", false, "Lemmings 2 Tribes"},
      {"über1", false, "über 1"},  // only ASCII letters count
  };
  for (const auto& c : cases) EXPECT_EQ(nameOf(c.file, c.isProgram), c.name) << c.file;
}

}  // namespace

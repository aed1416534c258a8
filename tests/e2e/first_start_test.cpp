// First start with nothing on disk: a folder holding one game of each kind
// the program recognises, a slave with its icon and files that are no games
// is dropped on the window.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/e2e_scenario.h"
#include "tests/support/info_file.h"

namespace {

std::string bytes(const char* text, size_t length, size_t size = 0) {
  std::string b(text, length);
  if (b.size() < size) b.resize(size, '\0');
  return b;
}

std::string megaDriveRom() {
  std::string rom(512, '\0');
  rom.replace(256, 4, "SEGA");
  rom.replace(272, 3, "(C)");
  return rom;
}

// One file of each kind, each with the bytes its kind is told by.
const std::vector<E2eFile> shelf = {
        {"Shelf/Caverns.mzx", "x"},
    {"Shelf/Frog_Hop.adf", bytes("DOS", 3, 1024)},
    {"Shelf/Carrier.msa", bytes("\x0E\x0F\0\x09\0\x01\0\0", 8, 64)},
    {"Shelf/Gates.lnx", bytes("LYNX", 5, 64)},
    {"Shelf/Sonic.bin", megaDriveRom()},
    {"Shelf/Mario.nes", bytes("NES\x1A", 4, 32)},
    {"Shelf/Zelda.sfc", "x"},
    {"Shelf/Elite.t64", bytes("C64", 3, 64)},
    {"Shelf/Manic.tzx", bytes("ZXTape!\x1A\x01", 9, 32)},
    {"Shelf/zork1.z3", bytes("\x03", 1, 64)},
    {"Shelf/Ditch.gam", bytes("TADS2 bin\x0A\x0D\x1A\0", 13, 32)},
    {"Shelf/Ridge.iso",
     bytes("\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\0\0\x02\0\x02\0\0\x08\0\0\0\x08\0", 24, 2352)},
    {"Shelf/Turrican/Turrican.slave", "slave"},
    // No games: text, a disk image without its mark, a ROM without its header.
    {"Shelf/readme.txt", "text"},
    {"Shelf/Blank.adf", bytes("XYZ", 3, 1024)},
    {"Shelf/Broken.nes", bytes("NOPE", 4, 32)},
    // Programs are told only when dropped themselves, never found in a folder.
    {"Shelf/Keen.exe", bytes("MZ", 2, 64)},
    {"Solo/Demo", bytes("\0\0\x03\xF3\0\0\0\0", 8)},
    {"Solo/Keen.exe", bytes("MZ", 2, 64)},
};

// What each game found must become: its name, path and kind tag.
struct Expected {
  const char* name;
  const char* path;
  const char* tag;
};
const Expected inFolder[] = {
    {"Caverns", "Games:Shelf/Caverns.mzx", "Megazeux"},  {"Carrier", "Games:Shelf/Carrier.msa", "AtariST"},
    {"Ditch", "Games:Shelf/Ditch.gam", "TADS"},          {"Elite", "Games:Shelf/Elite.t64", "C64"},
    {"Frog Hop", "Games:Shelf/Frog_Hop.adf", "Floppy"},  {"Gates", "Games:Shelf/Gates.lnx", "AtariLynx"},
    {"Manic", "Games:Shelf/Manic.tzx", "Spectrum"},      {"Mario", "Games:Shelf/Mario.nes", "NES"},
    {"Ridge", "Games:Shelf/Ridge.iso", "PlayStation"},   {"Sonic", "Games:Shelf/Sonic.bin", "MegaDrive"},
    {"Zelda", "Games:Shelf/Zelda.sfc", "SNES"},          {"zork 1", "Games:Shelf/zork1.z3", "Infocom"},
    {"Turrican", "Games:Shelf/Turrican/Turrican", "WHDLoad"},
};
const Expected dropped[] = {{"Demo", "Games:Solo/Demo", "Classic"}, {"Keen", "Games:Solo/Keen.exe", "MSDOS"}};
const char* const notGames[] = {"readme", "Blank", "Broken", "Turrican.slave"};

// The script lines that expect each game shown, and the list lines each is saved as.
void expectShown(const Expected& game, std::string& script, std::vector<std::string>& saved) {
  script += "expect-row Games \"" + std::string(game.name) + "\"\n";
  saved.push_back("\n" + std::string(game.name) + "\n" + game.path + "\n," + game.tag + ",\n\n0\n$0\n");
}

class FirstStart : public E2eOnEachDisplay {};

TEST_P(FirstStart, AFolderOfEveryKindAndTwoProgramsDroppedAreListedTaggedAndSaved) {
  LudexSandbox box;
  InfoFile icon;
  icon.defaultTool = "WHDLoad";
  std::filesystem::create_directories(box.folder() / "games/Shelf/Turrican");
  ASSERT_TRUE(icon.writeTo((box.folder() / "games/Shelf/Turrican/Turrican.info").string()));
  ASSERT_FALSE(box.hasFile("progdir/Ludex.list"));
  ASSERT_FALSE(box.hasFile("home/.config/ludex/ENVARC/Ludex.prefs"));

  E2eStart first{.script = "expect-rows Games 0\ndrop Games:Shelf/\n"};
  first.script += "expect-rows Games " + std::to_string(std::size(inFolder)) + "\n";
  for (const Expected& game : inFolder) expectShown(game, first.script, first.listHas);
  for (const char* name : notGames) first.script += "expect-no-row Games \"" + std::string(name) + "\"\n";
  first.script += "expect-no-row Games Keen\ndrop Games:Solo/Demo Games:Solo/Keen.exe\n";
  first.script += "expect-rows Games " + std::to_string(std::size(inFolder) + std::size(dropped)) + "\n";
  for (const Expected& game : dropped) expectShown(game, first.script, first.listHas);
  first.script += "close\n";
  first.listLacks = {"readme", "Blank", "Broken", ".slave", "Shelf/Keen"};
  playScenario(box, {.display = GetParam(), .files = shelf, .starts = {first}});
  EXPECT_EQ(box.list().substr(0, 2), "5\n");

  // The next start shows the list exactly as saved and leaves it so.
  const std::string saved = box.list();
  E2eStart again{.script = "expect-rows Games " + std::to_string(std::size(inFolder) + std::size(dropped)) + "\n"};
  std::vector<std::string> ignored;
  for (const Expected& game : inFolder) expectShown(game, again.script, ignored);
  for (const Expected& game : dropped) expectShown(game, again.script, ignored);
  again.script += "close\n";
  again.listIs = saved;
  playScenario(box, {.display = GetParam(), .starts = {again}});
}

E2E_ON_EACH_DISPLAY(FirstStart);

}  // namespace

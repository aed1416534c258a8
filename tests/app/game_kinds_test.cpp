#include "app/games/game_kinds.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/dos_sandbox.h"
#include "tests/support/folder_watch.h"
#include "tests/support/info_file.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string padded(const std::string& start, size_t size) {
  std::string s = start;
  s.resize(size, '\0');
  return s;
}

// The tag that the first accepting test gives, as a new game would get it.
std::string kindOf(const std::string& path) {
  const char* tag = gameKindOf(path.c_str());
  return tag ? tag : "";
}

class GameKinds : public testing::Test {
 protected:
  // Writes the file and returns its host path.
  std::string file(const std::string& name, const std::string& contents) {
    box.writeFile(name, contents);
    return "Sandbox:" + name;
  }
  DosSandbox box;
};

TEST_F(GameKinds, EachKindFromContentsOrName) {
  const std::string megaDrive = padded(std::string(256, 'x') + "SEGA MEGA DRIVE " + "(C)SEGA", 512);
  const std::string stBoot = padded(std::string(11, '\0') + bytes({0, 2, 2, 1, 0, 2}), 512);
  const std::string psx = bytes({0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 2, 0, 2, 0, 0, 8, 0, 0, 0, 8, 0});
  const struct {
    const char* name;
    std::string contents;
    const char* kind;
  } cases[] = {
      {"prog", bytes({0, 0, 3, 0xF3, 0, 0, 0, 1}), "Classic"},
      {"game.adf", bytes({0, 0, 3, 0xF3, 0}) + "rest", "Classic"},  // no name rule: tried first
      {"DOOM.EXE", "MZ\x90", "MSDOS"},
      {"setup.bat", "", "MSDOS"},
      {"world.mzx", "", "Megazeux"},
      {"GAME.ADF", padded("DOS", 1024), "Floppy"},
      {"game.Adf", padded("UAE--ADF", 64), "Floppy"},
      {"disk.dms", "", "Floppy"},
      {"disk.msa", bytes({0x0E, 0x0F, 0, 9, 0, 1, 0, 0}), "AtariST"},
      {"Game.St", stBoot, "AtariST"},
      {"rom.lnx", padded("LYNX", 64), "AtariLynx"},
      {"raw.lnx", bytes({0x80, 0x08, 1, 2}), "AtariLynx"},
      {"sonic.bin", megaDrive, "MegaDrive"},
      {"sonic.smd", "", "MegaDrive"},
      {"mario.nes", "NES\x1A....", "NES"},
      {"zelda.sfc", "", "SNES"},
      {"tape.t64", "C64 tape", "C64"},
      {"disk.d64", "", "C64"},
      {"manic.tap", bytes({0x13, 0, 0, 0, 3}), "Spectrum"},
      {"jet.tzx", "ZXTape!\x1A\x01 more", "Spectrum"},
      {"knight.z80", "", "Spectrum"},
      {"zork.dat", bytes({3, 0}), "Infocom"},
      {"story.z3", bytes({3, 0}), "Infocom"},
      {"deep.gam", bytes({'T', 'A', 'D', 'S', '2', ' ', 'b', 'i', 'n', 0x0A, 0x0D, 0x1A, 0}), "TADS"},
      {"disc.iso", psx + "data", "PlayStation"},
  };
  for (const auto& c : cases) EXPECT_EQ(kindOf(file(c.name, c.contents)), c.kind) << c.name;
}

TEST_F(GameKinds, NameWithAContentEndingFailsWhenTheContentsDoNot) {
  const struct {
    const char* name;
    std::string contents;
  } cases[] = {
      {"GAME.IMG", padded("DOS", 1024)},       // right contents, no ".ADF"
      {"fake.adf", padded("NOTADOS", 1024)},
      {"notdos.exe", "ZM"},
      {"short.nes", "NES"},                    // shorter than the header: never matches
      {"story.z3", bytes({5})},
      {"story.z9", bytes({9})},
      {"story.z", bytes({1})},
      {"zork.dat", bytes({9})},
      {"plain.tap", "hello"},
      {"short.bin", std::string(100, 'x')},   // too short to reach the SEGA header
      {"game.st", "tiny"},
      {"anything.lyx.txt", ""},
      {"dot.", ""},                            // a name ending in "." is nothing
  };
  for (const auto& c : cases) EXPECT_EQ(kindOf(file(c.name, c.contents)), "") << c.name;
}

TEST_F(GameKinds, FilesThatCannotBeReadFailWithoutBlocking) {
  EXPECT_FALSE(isSpectrumTape("Sandbox:missing.tap"));
  EXPECT_TRUE(isSpectrumTape("Sandbox:missing.sna"));  // accepted by name, never opened
  EXPECT_TRUE(isSNESrom("Sandbox:nowhere/game.smc"));
  ASSERT_EQ(mkfifo(box.host("pipe.adf").c_str(), 0600), 0);
  EXPECT_FALSE(is68kProg("Sandbox:pipe.adf"));
  EXPECT_FALSE(isAmigaDisk("Sandbox:pipe.adf"));
  box.makeDir("folder.nes");
  EXPECT_FALSE(isNESrom("Sandbox:folder.nes"));
  EXPECT_FALSE(is68kProg("Sandbox:folder.nes"));
}

TEST_F(GameKinds, WHDLoadThroughTheProjectIconsTool) {
  const std::string game = file("Games/Turrican", "slave");
  InfoFile icon;
  icon.defaultTool = "Work:c/whdload";
  ASSERT_TRUE(icon.writeTo(box.host("Games/Turrican.info")));
  EXPECT_TRUE(isWHDLoadProg(game.c_str()));
  EXPECT_EQ(kindOf(game), "WHDLoad");

  const std::string other = file("Games/Other", "x");
  icon.defaultTool = "C:WHDLoadPlus";  // the file part only begins with WHDLoad
  ASSERT_TRUE(icon.writeTo(box.host("Games/Other.info")));
  EXPECT_FALSE(isWHDLoadProg(other.c_str()));

  const std::string tool = file("Games/Tool", "x");
  icon.type = 3;  // a tool icon, not a project
  icon.defaultTool = "WHDLoad";
  ASSERT_TRUE(icon.writeTo(box.host("Games/Tool.info")));
  EXPECT_FALSE(isWHDLoadProg(tool.c_str()));

  // A disk image with a WHDLoad icon stays a disk image.
  const std::string disk = file("Games/Disk.adf", padded("DOS", 64));
  icon.type = 4;
  ASSERT_TRUE(icon.writeTo(box.host("Games/Disk.adf.info")));
  EXPECT_FALSE(isWHDLoadProg(disk.c_str()));
  EXPECT_EQ(kindOf(disk), "Floppy");
  EXPECT_FALSE(isWHDLoadProg("Sandbox:Games/NoIcon"));
}

}  // namespace

TEST_F(GameKinds, RecognisingAFileReadsItOnceAndNeverOpensItForWriting) {
  const struct {
    const char* name;
    std::string contents;
    const char* kind;
  } cases[] = {
      {"GAME.ADF", padded("DOS", 1024), "Floppy"},         // tried by content twice (Classic, Floppy)
      {"sonic.bin", padded(std::string(256, 'x') + "SEGA MEGA DRIVE " + "(C)SEGA", 512), "MegaDrive"},
      {"story.z3", bytes({3, 0}), "Infocom"},
      {"readme.txt", "nothing", ""},                      // every test tried
      {"mario.nes", "NES", ""},                           // shorter than its header
  };
  for (const auto& c : cases) box.writeFile("Scan/" + std::string(c.name), c.contents);
  FolderWatch watch(box.host("Scan"));
  ASSERT_TRUE(watch.ready());
  for (const auto& c : cases) {
    EXPECT_EQ(kindOf("Sandbox:Scan/" + std::string(c.name)), c.kind) << c.name;
    EXPECT_EQ(watch.events(), "open close-read") << c.name;
  }
}

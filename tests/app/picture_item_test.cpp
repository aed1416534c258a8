// The picture area: known pictures drawn at their place (every pixel checked
// against a model of the placement), the order in which picture files are
// looked for, the icon that stands in for them, and the built MUI object.
#include "app/items/gui_native_icon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gui/mui/client/gui_action_hook.h"
#include "imaging/pictures.h"
#include "os/dos/dos_testing.h"
#include "os/icon/icon.h"
#include "os/intuition/screens.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"
#include "tests/support/info_file.h"
#include "tests/support/picture_files.h"

namespace {

constexpr uint32_t OPAQUE = 0xFF000000u;
// The four colours of the test pictures, and a pattern of them that changes
// every four pixels across and down, so that misplaced or misscaled pixels show.
const std::vector<uint32_t> PATTERN_COLOURS = {0x123456, 0xE84A1C, 0x2BC66D, 0x3A5BF7};
uint32_t patternPen(int32_t x, int32_t y) { return uint32_t((x / 4 + y / 4) % 4); }

class PictureItem : public HostWindowTest {
 protected:
  void SetUp() override {
    HostWindowTest::SetUp();
    new_pamigadatatypes();
    new_pamigaicon();
    ostest::resetGraphics();
    bitmaps_ = ostest::liveBitMaps();
    window->beginGroupVertical(nullptr);
  }
  void TearDown() override {
    End(window);
    EXPECT_EQ(ostest::liveBitMaps(), bitmaps_);
    EXPECT_EQ(ostest::pubScreenLocks(), 0);
    end_pamigaicon();
    end_pamigadatatypes();
    HostWindowTest::TearDown();
  }
  void writeIlbm(const std::string& relative, int32_t w, int32_t h, const std::vector<uint32_t>& cmap,
                 const std::function<uint32_t(int32_t, int32_t)>& pen) {
    IlbmFile f;
    f.width = uint16_t(w);
    f.height = uint16_t(h);
    f.planes = 2;
    f.cmap = cmap;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) f.pixels.push_back(pen(x, y));
    writeBytes(box_.host(relative), f.bytes());
  }
  // A picture of one colour.
  void writeSolid(const std::string& relative, uint32_t rgb) {
    writeIlbm(relative, 10, 10, {0, rgb, 0, 0}, [](int32_t, int32_t) { return 1u; });
  }
  // A classic icon of w by h in one pen.
  void writeIcon(const std::string& relative, int16_t w, int16_t h, uint8_t pen) {
    InfoFile f;
    InfoImage im;
    im.width = w;
    im.height = h;
    im.pixels.assign(size_t(w * h), pen);
    f.image = im;
    ASSERT_TRUE(f.writeTo(box_.host(relative)));
  }
  static uint32_t pixel(cGuiNativeIcon* icon, int32_t x, int32_t y) {
    const BitMap* bm = icon->infoBitMap();
    return bm->Pixels[size_t(y) * size_t(bm->Width) + size_t(x)];
  }

  DosSandbox box_;
  size_t bitmaps_ = 0;
};

TEST_F(PictureItem, KnownIlbmsAreDrawnScaledAndCentredPixelForPixel) {
  struct Case {
    int32_t w, h;               // the picture
    int32_t x, y, width, height;  // where it must appear
  } cases[] = {
      {100, 50, 30, 39, 100, 50},  // copied, centred
      {80, 64, 0, 0, 160, 128},    // doubled
      {320, 256, 0, 0, 160, 128},  // shrunk, the height rules
      {640, 200, 0, 39, 160, 50},  // shrunk, the width rules
      {1000, 1, 0, 63, 160, 1},    // a thin picture keeps one row
  };
  box_.makeDir("Games");
  for (const Case& c : cases) {
    const std::string name = std::to_string(c.w) + "x" + std::to_string(c.h);
    writeIlbm("Games/" + name + ".pic", c.w, c.h, PATTERN_COLOURS, patternPen);
    cGuiNativeIcon* icon = addNativeIcon(window, 160, 128);
    ASSERT_TRUE(icon->setState(("Sandbox:/Games/" + name).c_str())) << name;
    ASSERT_EQ(icon->infoBitMap()->Width, 160);
    ASSERT_EQ(icon->infoBitMap()->Height, 128);
    // Nearest-pixel model: area pixel (X, Y) inside the placed rectangle shows
    // picture pixel ((X - x) * w / width, (Y - y) * h / height); the rest is
    // the cleared pen 0.
    int32_t wrong = 0;
    std::string first;
    for (int32_t Y = 0; Y < 128; ++Y)
      for (int32_t X = 0; X < 160; ++X) {
        const bool inside = X >= c.x && X < c.x + c.width && Y >= c.y && Y < c.y + c.height;
        const uint32_t expected =
            inside ? OPAQUE | PATTERN_COLOURS[patternPen((X - c.x) * c.w / c.width, (Y - c.y) * c.h / c.height)]
                   : PEN0_ARGB;
        if (pixel(icon, X, Y) != expected && wrong++ == 0)
          first = "(" + std::to_string(X) + "," + std::to_string(Y) + ")";
      }
    EXPECT_EQ(wrong, 0) << name << ": first wrong pixel at " << first;
  }
}

TEST_F(PictureItem, PictureFilesAreLookedForInOrderAndTheIconStandsInForThem) {
  const uint32_t own = 0xFF0000, ludex = 0x00FF00, folderIffColour = 0x0000FF;
  const uint32_t icon = ICON_PALETTE_ARGB[2];
  enum Own { NONE, GOOD, JUNK, EMPTY, FOLDER };  // what stands at the game's own picture path
  struct Case {
    const char* name;
    Own ownPicture;
    bool ludexPic, folderIff, hasIcon;
    uint32_t shown;  // the colour at the centre; 0: nothing shown
  } cases[] = {
      {"the game's own picture first", GOOD, true, true, true, OPAQUE | own},
      {"then the folder's Ludex.pic", NONE, true, true, true, OPAQUE | ludex},
      {"then the folder's iGame.iff", NONE, false, true, true, OPAQUE | folderIffColour},
      {"a folder named like a picture file is passed over", FOLDER, false, true, false, OPAQUE | folderIffColour},
      {"no picture file: the icon", NONE, false, false, true, icon},
      // The first picture file found is the one tried; when it cannot be
      // loaded the icon is shown, not the next file.
      {"an unreadable picture file: the icon", JUNK, true, false, true, icon},
      {"a picture of no pixels: the icon", EMPTY, true, false, true, icon},
      {"neither picture nor icon", NONE, false, false, false, 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string d = "Case" + std::to_string(++n) + "/";
    box_.writeFile(d + "Fred.adf", "game");
    switch (c.ownPicture) {
      case NONE: break;
      case GOOD: writeSolid(d + "Fred.adf.pic", own); break;
      case JUNK: box_.writeFile(d + "Fred.adf.pic", "FORM????ILBMjunk"); break;
      case EMPTY: writeIlbm(d + "Fred.adf.pic", 0, 0, PATTERN_COLOURS, patternPen); break;
      case FOLDER: box_.makeDir(d + "Fred.adf.pic"); break;
    }
    if (c.ludexPic) writeSolid(d + "Ludex.pic", ludex);
    if (c.folderIff) writeSolid(d + "iGame.iff", folderIffColour);
    if (c.hasIcon) writeIcon(d + "Fred.adf.info", 8, 8, 2);
    const std::string path = "Sandbox:/" + d + "Fred.adf";
    cGuiNativeIcon* item = addNativeIcon(window, 160, 128);
    EXPECT_EQ(item->setState(path.c_str()), c.shown != 0) << c.name;
    if (c.shown == 0) {
      EXPECT_EQ(item->infoBitMap(), nullptr) << c.name;
      EXPECT_EQ(item->getState(), nullptr) << c.name;
      continue;
    }
    EXPECT_STREQ(item->getState(), path.c_str()) << c.name;
    EXPECT_NE(item->getState(), path.c_str());  // a copy
    EXPECT_EQ(pixel(item, 80, 64), c.shown) << c.name;
  }
}

// The icons of people's game collections show their colour pictures, not
// the planar stand-in they carry for older systems.
TEST_F(PictureItem, NewIconsAndPngIconsShowTheirPictures) {
  const uint32_t newIconsColour = 0x20C040, pngColour = 0xC02080;
  InfoFile newIcons;
  newIcons.image = InfoImage{};
  newIcons.image->width = 5;
  newIcons.image->height = 5;  // a blank stand-in
  NewIconsImage image;
  image.width = 36;
  image.height = 40;
  image.palette = {0x000000, newIconsColour};
  image.pens.assign(36 * 40, 1);
  newIcons.toolTypes = newIconsToolTypes(image);
  newIcons.defaultTool = "WHDLoad";
  ASSERT_TRUE(newIcons.writeTo(box_.host("Lemmings.info")));
  writeBytes(box_.host("Zool.info"),
             pngIconFile(46, 46, std::vector<uint32_t>(46 * 46, OPAQUE | pngColour), nullptr, {}));
  struct Case {
    const char* path;
    uint32_t shown;
  };
  for (const Case& c : {Case{"Sandbox:/Lemmings", OPAQUE | newIconsColour}, Case{"Sandbox:/Zool", OPAQUE | pngColour}}) {
    cGuiNativeIcon* item = addNativeIcon(window, 160, 128);
    ASSERT_TRUE(item->setState(c.path)) << c.path;
    EXPECT_EQ(pixel(item, 80, 64), c.shown) << c.path;
  }
}

TEST_F(PictureItem, AnIconOfAtMostTwoByTwoCountsAsNothing) {
  cGuiNativeIcon* icon = addNativeIcon(window, 160, 128);
  writeSolid("Shown.pic", 0x00FF00);
  ASSERT_TRUE(icon->setState("Sandbox:/Shown"));
  const BitMap* shown = icon->infoBitMap();
  struct Case {
    int16_t w, h;
    bool counts;
  } cases[] = {{2, 2, false}, {1, 1, false}, {2, 1, false}, {1, 2, false}, {3, 2, true}, {2, 3, true}};
  for (const Case& c : cases) {
    const std::string name = "Icon" + std::to_string(c.w) + "x" + std::to_string(c.h);
    writeIcon(name + ".info", c.w, c.h, 3);
    const std::string path = "Sandbox:/" + name;
    const bool result = icon->setState(path.c_str());
    EXPECT_EQ(result, c.counts) << name;
    if (!c.counts) {
      // The item keeps what it showed.
      EXPECT_EQ(icon->infoBitMap(), shown) << name;
      EXPECT_STREQ(icon->getState(), "Sandbox:/Shown") << name;
      EXPECT_EQ(pixel(icon, 80, 64), OPAQUE | 0x00FF00u) << name;
    } else {
      EXPECT_STREQ(icon->getState(), path.c_str()) << name;
      EXPECT_EQ(pixel(icon, 80, 64), ICON_PALETTE_ARGB[3]) << name;  // doubled and centred
      ASSERT_TRUE(icon->setState("Sandbox:/Shown"));
      shown = icon->infoBitMap();
    }
  }
  EXPECT_FALSE(icon->setState(nullptr));  // no path, no picture
  EXPECT_STREQ(icon->getState(), "Sandbox:/Shown");
}

TEST_F(PictureItem, TheBuiltAreaShowsEachNewPictureAndLetsGoOfItAtTheEnd) {
  cGuiNativeIcon* icon = addNativeIcon(window, 160, 128);
  window->endGroup();
  EXPECT_EQ(buildAndDump(), "Group(V)[Bitmap(160x128,empty,fixw=160,fixh=128)]");
  Object* object = icon->infoObject();
  EXPECT_EQ(icon->infoLabel(), nullptr);
  cGuiShared* record = sharedOf(icon);
  EXPECT_TRUE(record->infoIsFixedWidth());
  EXPECT_TRUE(record->infoIsFixedHeight());
  EXPECT_FALSE(record->infoUseInCycleChain());

  writeSolid("One.pic", 0x112233);
  writeSolid("Two.pic", 0x445566);
  ostest::recordMuiCalls(true);
  ASSERT_TRUE(icon->setState("Sandbox:/One"));
  ASSERT_TRUE(icon->setState("Sandbox:/Two"));
  ostest::recordMuiCalls(false);
  IPTR shown = 0;
  GetAttr(MUIA_Bitmap_Bitmap, object, &shown);
  EXPECT_EQ(reinterpret_cast<BitMap*>(shown), icon->infoBitMap());
  EXPECT_EQ(pixel(icon, 80, 64), OPAQUE | 0x445566u);
  // Each new bitmap is set, then the object is hidden and shown to be drawn anew.
  std::vector<std::string> calls = ostest::muiCallsOf(object);
  ASSERT_EQ(calls.size(), 6u);
  for (size_t i = 0; i < calls.size(); i += 3) {
    EXPECT_NE(calls[i].find("MUIA_Bitmap_Bitmap"), std::string::npos) << calls[i];
    EXPECT_NE(calls[i + 1].find("MUIA_ShowMe 0"), std::string::npos) << calls[i + 1];
    EXPECT_NE(calls[i + 2].find("MUIA_ShowMe 1"), std::string::npos) << calls[i + 2];
  }
  // The window's end disposes the object before the item frees its bitmap
  // (TearDown checks that no bitmap is left and the sanitizer build that
  // nothing touches the disposed object).
}

// The build puts the program's own picture beside the program, so that the
// picture area always has something to show for the program (and no longer
// shows the last game's picture once no single game is selected).
TEST_F(PictureItem, TheProgramsOwnPictureStandsBesideIt) {
  const char* testRoot = std::getenv("LUDEX_TEST_ROOT");
  if (!testRoot) GTEST_SKIP() << "LUDEX_TEST_ROOT is set by ctest";
  const std::string buildFolder = std::filesystem::path(testRoot).parent_path().string();
  ostest::assignFolders("PROGDIR", {buildFolder.c_str()});
  cGuiNativeIcon* icon = addNativeIcon(window, 160, 128);
  ASSERT_TRUE(icon->setState("PROGDIR:/ludex"));
  // 80 by 64, doubled: the joystick's red ball stands right of the middle, near the top.
  const uint32_t ball = pixel(icon, 93, 22);
  EXPECT_GT((ball >> 16) & 0xFF, 0xA0u) << std::hex << ball;
  EXPECT_LT((ball >> 8) & 0xFF, 0x60u) << std::hex << ball;
  EXPECT_NE(pixel(icon, 80, 100), PEN0_ARGB);  // the base
}

TEST_F(PictureItem, APictureAreaIsAddedOnlyInsideAGroup) {
  window->endGroup();
  expectError("EPU", "addNativeIcon(); must be done inside a group", [&] { addNativeIcon(window, 160, 128); });
  expectError("EPU", "addNativeIcon(); must be done inside a group", [&] { addNativeIcon(nullptr, 160, 128); });
}

}  // namespace

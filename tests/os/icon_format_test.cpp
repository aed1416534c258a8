#include "os/icon/icon_format.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/support/info_file.h"

namespace {

// Frees the icon when the test ends.
struct IconHolder {
  DiskObject* icon;
  explicit IconHolder(DiskObject* d) : icon(d) {}
  ~IconHolder() { FreeDiskObject(icon); }
  DiskObject* operator->() const { return icon; }
};

DiskObject* parse(const std::vector<uint8_t>& bytes) { return parseDiskObject(bytes.data(), bytes.size()); }

// An icon with every optional part present.
InfoFile fullDrawerIcon() {
  InfoFile f;
  f.type = WBDRAWER;
  f.drawerData = true;
  f.defaultTool = "SYS:Utilities/MultiView";
  f.toolTypes = std::vector<std::string>{"DONOTWAIT", "WINDOW=CON:0/0/640/200"};
  f.toolWindow = "CON:0/0/320/100/Out";
  f.image = InfoImage{1, 2, 17, 3, 2, 3, 0, {}};
  for (int i = 0; i < 17 * 3; ++i) f.image->pixels.push_back(static_cast<uint8_t>(i % 4));
  f.selectedImage = InfoImage{0, 0, 5, 1, 3, 7, 0, {7, 6, 5, 4, 3}};
  return f;
}

std::filesystem::path sandbox(const char* name) {
  const char* root = std::getenv("LUDEX_TEST_ROOT");
  std::filesystem::path p = std::filesystem::path(root ? root : "/tmp") / "os-icon" / name;
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p;
}

TEST(IconFormat, ReadsEveryPartOfAFullIcon) {
  IconHolder icon(parse(fullDrawerIcon().bytes()));
  ASSERT_NE(icon.icon, nullptr);
  EXPECT_EQ(icon->do_Magic, WB_DISKMAGIC);
  EXPECT_EQ(icon->do_Version, WB_DISKVERSION);
  EXPECT_EQ(icon->do_Type, WBDRAWER);
  EXPECT_EQ(icon->do_CurrentX, 10);
  EXPECT_EQ(icon->do_CurrentY, 20);
  EXPECT_EQ(icon->do_StackSize, 4096);
  EXPECT_STREQ(icon->do_DefaultTool, "SYS:Utilities/MultiView");
  ASSERT_NE(icon->do_ToolTypes, nullptr);
  EXPECT_STREQ(icon->do_ToolTypes[0], "DONOTWAIT");
  EXPECT_STREQ(icon->do_ToolTypes[1], "WINDOW=CON:0/0/640/200");
  EXPECT_EQ(icon->do_ToolTypes[2], nullptr);
  EXPECT_STREQ(icon->do_ToolWindow, "CON:0/0/320/100/Out");
  EXPECT_EQ(reinterpret_cast<uintptr_t>(icon->do_Gadget.UserData), WB_DISKREVISION);

  ASSERT_NE(icon->do_DrawerData, nullptr);
  const DrawerData& dd = *icon->do_DrawerData;
  EXPECT_EQ(dd.dd_NewWindow.LeftEdge, 50);
  EXPECT_EQ(dd.dd_NewWindow.TopEdge, 60);
  EXPECT_EQ(dd.dd_NewWindow.Width, 300);
  EXPECT_EQ(dd.dd_NewWindow.Height, 200);
  EXPECT_EQ(dd.dd_NewWindow.Flags, 0x0240027Fu);
  EXPECT_EQ(dd.dd_NewWindow.MinWidth, 90);
  EXPECT_EQ(dd.dd_Flags, 2u);
  EXPECT_EQ(dd.dd_ViewModes, 1u);

  const auto* normal = static_cast<const Image*>(icon->do_Gadget.GadgetRender);
  const auto* selected = static_cast<const Image*>(icon->do_Gadget.SelectRender);
  ASSERT_NE(normal, nullptr);
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(normal->LeftEdge, 1);
  EXPECT_EQ(normal->TopEdge, 2);
  EXPECT_EQ(normal->Width, 17);
  EXPECT_EQ(normal->Height, 3);
  EXPECT_EQ(normal->Depth, 2);
  ASSERT_NE(normal->ImageData, nullptr);
  EXPECT_EQ(selected->Depth, 3);
}

TEST(IconFormat, PartsThatAreAbsentStayNil) {
  InfoFile f;  // a project with one image and nothing else
  f.revision = 0;
  IconHolder icon(parse(f.bytes()));
  ASSERT_NE(icon.icon, nullptr);
  EXPECT_EQ(icon->do_Type, WBPROJECT);
  EXPECT_EQ(icon->do_DefaultTool, nullptr);
  EXPECT_EQ(icon->do_ToolTypes, nullptr);
  EXPECT_EQ(icon->do_ToolWindow, nullptr);
  EXPECT_EQ(icon->do_DrawerData, nullptr);
  EXPECT_EQ(icon->do_Gadget.SelectRender, nullptr);
  IconPixels px;
  EXPECT_FALSE(GetIconPixels(icon.icon, true, &px));
}

TEST(IconFormat, AnOldDrawerIconHasNoDrawerExtension) {
  InfoFile f;
  f.type = WBDISK;
  f.drawerData = true;
  f.revision = 0;
  IconHolder icon(parse(f.bytes()));
  ASSERT_NE(icon.icon, nullptr);
  ASSERT_NE(icon->do_DrawerData, nullptr);
  EXPECT_EQ(icon->do_DrawerData->dd_Flags, 0u);
  EXPECT_EQ(icon->do_DrawerData->dd_ViewModes, 0u);
}

TEST(IconFormat, PlanarImagesDecodeToTheFixedPalette) {
  const InfoFile f = fullDrawerIcon();
  IconHolder icon(parse(f.bytes()));
  ASSERT_NE(icon.icon, nullptr);

  IconPixels px;
  ASSERT_TRUE(GetIconPixels(icon.icon, false, &px));
  ASSERT_EQ(px.width, 17);
  ASSERT_EQ(px.height, 3);
  for (int i = 0; i < 17 * 3; ++i) EXPECT_EQ(px.argb[i], ICON_PALETTE_ARGB[i % 4]) << "pixel " << i;
  EXPECT_EQ(ICON_PALETTE_ARGB[0] >> 24, 0u);  // the background is see-through

  ASSERT_TRUE(GetIconPixels(icon.icon, true, &px));
  ASSERT_EQ(px.width, 5);
  const uint8_t expected[] = {7, 6, 5, 4, 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(px.argb[i], ICON_PALETTE_ARGB[expected[i]]);
}

TEST(IconFormat, PlanesThatArePickedTakeDataTheOthersTakePlaneOnOff) {
  InfoFile f;
  // One data plane that goes to plane 1; plane 0 is always set.
  f.image = InfoImage{0, 0, 3, 1, 1, 2, 1, {1, 0, 1}};
  IconHolder icon(parse(f.bytes()));
  ASSERT_NE(icon.icon, nullptr);
  IconPixels px;
  ASSERT_TRUE(GetIconPixels(icon.icon, false, &px));
  EXPECT_EQ(px.argb[0], ICON_PALETTE_ARGB[3]);
  EXPECT_EQ(px.argb[1], ICON_PALETTE_ARGB[1]);
  EXPECT_EQ(px.argb[2], ICON_PALETTE_ARGB[3]);
}

TEST(IconFormat, EveryTruncationGivesNil) {
  const std::vector<uint8_t> whole = fullDrawerIcon().bytes();
  for (size_t n = 0; n < whole.size(); ++n) {
    // A copy of exactly n bytes, so that the sanitizer sees any read past it.
    std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(n));
    DiskObject* icon = parseDiskObject(n ? cut.data() : reinterpret_cast<const uint8_t*>(""), n);
    EXPECT_EQ(icon, nullptr) << "cut at " << n;
    FreeDiskObject(icon);
  }
  DiskObject* icon = parse(whole);
  EXPECT_NE(icon, nullptr);
  FreeDiskObject(icon);
}

TEST(IconFormat, HostileFieldsGiveNil) {
  const std::vector<uint8_t> good = fullDrawerIcon().bytes();
  // Offsets: type 48; the drawer record 78..133; the first image header at 134.
  const size_t image = 78 + 56;
  const size_t imageData = image + 20;
  const size_t firstImageBytes = 2 * 3 * 2 * 2;  // depth 2, height 3, two words a row
  const size_t secondImage = imageData + firstImageBytes;
  const size_t tool = secondImage + 20 + 3 * 1 * 2;
  const size_t toolTypes = tool + 4 + std::strlen("SYS:Utilities/MultiView") + 1;
  struct Case {
    const char* what;
    size_t offset;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"magic", 0, {0xE3, 0x11}},
      {"version", 2, {0x00, 0x02}},
      {"type 0", 48, {0}},
      {"type 9", 48, {9}},
      {"negative width", image + 4, {0xFF, 0xFE}},
      {"wide image", image + 4, {0x04, 0x01}},
      {"tall image", image + 6, {0x7F, 0xFF}},
      {"deep image", image + 8, {0x00, 0x09}},
      {"negative depth", image + 8, {0x80, 0x00}},
      {"tool longer than the file", tool, {0x00, 0x01, 0x00, 0x00}},
      {"tool length -1", tool, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"tool types not a multiple of 4", toolTypes, {0x00, 0x00, 0x00, 0x0D}},
      {"no tool type table", toolTypes, {0x00, 0x00, 0x00, 0x00}},
      {"tool type count past the file", toolTypes, {0x7F, 0xFF, 0xFF, 0xFC}},
      {"tool type count -1", toolTypes, {0xFF, 0xFF, 0xFF, 0xFC}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bad = good;
    ASSERT_LE(c.offset + c.bytes.size(), bad.size()) << c.what;
    std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + static_cast<long>(c.offset));
    DiskObject* icon = parse(bad);
    EXPECT_EQ(icon, nullptr) << c.what;
    FreeDiskObject(icon);
  }
  // The offsets above point where they should.
  EXPECT_EQ(good[image + 5], 17);
  EXPECT_EQ(good[tool + 3], std::strlen("SYS:Utilities/MultiView") + 1);
  EXPECT_EQ(good[toolTypes + 3], 12);
}

// Random damage to a valid icon: whatever comes back is either NIL or an icon
// whose every part can be read in full.
TEST(IconFormat, SurvivesThousandsOfRandomMutations) {
  const std::vector<uint8_t> good = fullDrawerIcon().bytes();
  std::mt19937 random(20240611);
  int parsed = 0;
  for (int round = 0; round < 4000; ++round) {
    std::vector<uint8_t> bytes = good;
    const int kind = round % 4;
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
      const size_t at = random() % bytes.size();
      if (kind == 0) bytes[at] = static_cast<uint8_t>(random());
      if (kind == 1) bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
      if (kind == 2 && at >= 48) bytes[at] = (random() & 1) ? 0xFF : 0x00;  // lengths and counts to extremes
    }
    if (kind == 3) bytes.resize(random() % bytes.size());
    else if (random() % 3 == 0) bytes.resize(bytes.size() - random() % 40);
    std::vector<uint8_t> exact(bytes);  // exactly sized, for the sanitizer
    DiskObject* icon = parseDiskObject(exact.empty() ? good.data() : exact.data(), exact.size());
    if (icon) {
      ++parsed;
      size_t total = 0;
      if (icon->do_DefaultTool) total += std::strlen(icon->do_DefaultTool);
      if (icon->do_ToolWindow) total += std::strlen(icon->do_ToolWindow);
      for (char** t = icon->do_ToolTypes; t && *t; ++t) total += std::strlen(*t);
      for (bool selected : {false, true}) {
        IconPixels px;
        if (GetIconPixels(icon, selected, &px) && px.argb) {
          uint32_t mix = 0;
          for (int32_t i = 0; i < px.width * px.height; ++i) mix ^= px.argb[i];
          total += mix & 1;
        }
      }
      EXPECT_LT(total, good.size() * 64);
    }
    FreeDiskObject(icon);
  }
  EXPECT_GT(parsed, 0);  // some damage (pixels, positions) leaves an icon that still reads
}

TEST(IconFormat, ReadsOnlyWholeRegularFiles) {
  const std::filesystem::path dir = sandbox("files");
  const std::string good = (dir / "Game.info").string();
  ASSERT_TRUE(fullDrawerIcon().writeTo(good));
  DiskObject* icon = readDiskObjectFile(good.c_str());
  EXPECT_NE(icon, nullptr);
  FreeDiskObject(icon);

  const std::string fifo = (dir / "Pipe.info").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = (dir / "Drawer.info").string();
  std::filesystem::create_directory(folder);
  for (const std::string& path : {fifo, folder, (dir / "Missing.info").string(), std::string("/dev/null")})
    EXPECT_EQ(readDiskObjectFile(path.c_str()), nullptr) << path;  // never blocks on the FIFO
  EXPECT_EQ(readDiskObjectFile(nullptr), nullptr);
}

}  // namespace

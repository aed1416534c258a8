// Icons in each form people's collections hold, drawn and compared pixel by
// pixel: the classic planar image, colour images (FORM ICON), NewIcons in the
// tool types, and PNG icons with their icOn chunk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/icon/icon.h"
#include "os/icon/icon_format.h"
#include "tests/support/info_file.h"

namespace {

constexpr uint32_t BACKGROUND = 0xFF203040;

struct Expected {
  int width = 0, height = 0;
  std::vector<uint32_t> argb;  // alpha 0: the background shows
};

// The icon's image drawn borderless at (1, 1) into a deep bitmap filled with
// the background, and the rectangle GetIconRectangleA gives.
struct Drawn {
  Rectangle rect{};
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
};
Drawn draw(const std::vector<uint8_t>& file, uint32_t state, int width, int height) {
  Drawn d;
  DiskObject* icon = parseDiskObject(file.data(), file.size());
  EXPECT_NE(icon, nullptr);
  if (!icon) return d;
  const TagItem borderless[] = {{ICONDRAWA_Borderless, 1}, {TAG_DONE, 0}};
  EXPECT_TRUE(GetIconRectangleA(nullptr, icon, nullptr, &d.rect, borderless));
  d.width = width + 2;
  d.height = height + 2;
  BitMap* bm = AllocBitMap(uint32_t(d.width), uint32_t(d.height), 32, 0, nullptr);
  std::fill(bm->Pixels, bm->Pixels + d.width * d.height, BACKGROUND);
  RastPort rp;
  InitRastPort(&rp);
  rp.BitMap = bm;
  DrawIconStateA(&rp, icon, nullptr, 1, 1, state, borderless);
  d.pixels.assign(bm->Pixels, bm->Pixels + d.width * d.height);
  FreeBitMap(bm);
  FreeDiskObject(icon);
  return d;
}

// What the bitmap should hold: the background, with the image at (1, 1)
// over it (alpha between 0 and 255 mixed channel by channel).
std::vector<uint32_t> composed(const Expected& e) {
  const int w = e.width + 2, h = e.height + 2;
  std::vector<uint32_t> out(size_t(w * h), BACKGROUND);
  for (int y = 0; y < e.height; ++y)
    for (int x = 0; x < e.width; ++x) {
      const uint32_t p = e.argb[size_t(y * e.width + x)];
      const uint32_t a = p >> 24;
      uint32_t v = 0xFF000000u;
      for (int s = 0; s <= 16; s += 8)
        v |= (((p >> s & 0xFF) * a + (BACKGROUND >> s & 0xFF) * (255 - a) + 127) / 255) << s;
      out[size_t((y + 1) * w + x + 1)] = v;
    }
  return out;
}

std::vector<uint32_t> opaque(const std::vector<uint32_t>& palette, const std::vector<uint8_t>& pens, int seeThroughPen) {
  std::vector<uint32_t> out;
  for (uint8_t p : pens) out.push_back(int(p) == seeThroughPen ? 0 : 0xFF000000u | palette[p]);
  return out;
}

// A small planar stand-in, as NewIcons and colour icons carry one.
InfoFile planarStandIn() {
  InfoFile f;
  f.image = InfoImage{};
  f.image->width = 3;
  f.image->height = 2;
  f.image->pixels = {1, 2, 3, 0, 1, 2};
  return f;
}

TEST(IconForms, EachFormIsDrawnAsTheIconLibrariesPickIt) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    Expected normal, selected;
  };
  std::vector<Case> cases;

  {  // The planar image alone, in the fixed palette (pen 0 see-through).
    InfoFile f = planarStandIn();
    std::vector<uint32_t> px;
    for (uint8_t pen : f.image->pixels) px.push_back(pen ? ICON_PALETTE_ARGB[pen] : 0);
    cases.push_back({"planar", f.bytes(), {3, 2, px}, {3, 2, px}});
  }
  // NewIcons: a see-through first image and an opaque second one with a
  // palette of its own; a large one spreads over many lines.
  NewIconsImage first;
  first.width = 4;
  first.height = 3;
  first.palette = {0x000000, 0xFF8000, 0x10E0F0};
  first.pens = {0, 1, 2, 1, 2, 0, 0, 2, 1, 1, 2, 0};
  NewIconsImage second = first;
  second.seeThrough = false;
  second.palette = {0x400000, 0x004000, 0x000040};
  NewIconsImage large;
  large.width = 45;
  large.height = 40;
  for (int i = 0; i < 21; ++i) large.palette.push_back(uint32_t(i * 0x0B0C0D));
  for (int i = 0; i < 45 * 40; ++i) large.pens.push_back(uint8_t(i % 97 < 40 ? 0 : (i * 7) % 21));
  {
    InfoFile f = planarStandIn();
    f.toolTypes = newIconsToolTypes(first, &second);
    f.toolTypes->insert(f.toolTypes->begin(), "SLAVE=Game.slave");
    cases.push_back({"NewIcons", f.bytes(), {4, 3, opaque(first.palette, first.pens, 0)},
                     {4, 3, opaque(second.palette, second.pens, -1)}});
    f.toolTypes = newIconsToolTypes(large);
    const Expected big{45, 40, opaque(large.palette, large.pens, 0)};
    cases.push_back({"NewIcons, one large image", f.bytes(), big, big});
  }
  {  // Colour images win over NewIcons and the planar image.
    InfoFile f = planarStandIn();
    f.toolTypes = newIconsToolTypes(first, &second);
    ColourIconForm form;
    form.width = 2;
    form.height = 1;
    ColourImage image;
    image.pens = {1, 0};
    image.palette = {0x112233, 0x445566};
    form.images = {image};
    f.colourImages = form.bytes();
    const Expected colour{2, 1, {0xFF445566, 0xFF112233}};
    cases.push_back({"colour images", f.bytes(), colour, colour});
  }
  {  // A PNG icon with both states, its alpha blended.
    const std::vector<uint32_t> normal = {0xFFFF0000, 0x8000FF00, 0x00FFFFFF, 0xFF0000FF, 0x40FFFFFF, 0xFF000000};
    const std::vector<uint32_t> selected = {0xFF00FFFF, 0xFF00FFFF, 0xFF00FFFF, 0x00000000, 0x00000000, 0xC0804020};
    cases.push_back({"PNG, two images", pngIconFile(3, 2, normal, &selected, {}), {3, 2, normal}, {3, 2, selected}});
    cases.push_back({"PNG, one image", pngIconFile(3, 2, normal, nullptr, {}), {3, 2, normal}, {3, 2, normal}});
  }
  for (const Case& c : cases) {
    for (uint32_t state : {IDS_NORMAL, IDS_SELECTED}) {
      const Expected& e = state == IDS_NORMAL ? c.normal : c.selected;
      const Drawn d = draw(c.file, state, e.width, e.height);
      EXPECT_EQ(d.rect.MaxX + 1 - d.rect.MinX, c.normal.width) << c.name;
      EXPECT_EQ(d.rect.MaxY + 1 - d.rect.MinY, c.normal.height) << c.name;
      const std::vector<uint32_t> want = composed(e);
      ASSERT_EQ(d.pixels.size(), want.size()) << c.name;
      for (size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(d.pixels[i], want[i]) << c.name << (state ? " selected" : " normal") << " pixel " << i % d.width
                                        << "," << i / d.width;
    }
  }
}

TEST(IconForms, APngIconCarriesTheRecordsOfItsIcOnChunk) {
  const std::vector<uint32_t> px(4, 0xFF123456);
  const std::vector<uint8_t> file =
      pngIconFile(2, 2, px, nullptr,
                  {{0x80001001, 22, ""}, {0x80001002, 4, ""}, {0x80001009, 8192, ""}, {0x8000100F, WBPROJECT, ""},
                   {0x8000100A, 0, "WHDLoad"}, {0x8000100B, 0, "SLAVE=Game.slave"}, {0x8000100B, 0, "PRELOAD"}});
  DiskObject* icon = parseDiskObject(file.data(), file.size());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->do_Type, WBPROJECT);
  EXPECT_STREQ(icon->do_DefaultTool, "WHDLoad");
  ASSERT_NE(icon->do_ToolTypes, nullptr);
  EXPECT_STREQ(icon->do_ToolTypes[0], "SLAVE=Game.slave");
  EXPECT_STREQ(icon->do_ToolTypes[1], "PRELOAD");
  EXPECT_EQ(icon->do_ToolTypes[2], nullptr);
  EXPECT_EQ(icon->do_CurrentX, 22);
  EXPECT_EQ(icon->do_CurrentY, 4);
  EXPECT_EQ(icon->do_StackSize, 8192);
  EXPECT_EQ(icon->do_DrawerData, nullptr);
  FreeDiskObject(icon);

  // A drawer's window, and no place of its own.
  const std::vector<uint8_t> drawer = pngIconFile(
      2, 2, px, nullptr, {{0x8000100F, WBDRAWER, ""}, {0x80001003, 30, ""}, {0x80001005, 320, ""}, {0x80001006, 200, ""}});
  icon = parseDiskObject(drawer.data(), drawer.size());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->do_Type, WBDRAWER);
  EXPECT_EQ(icon->do_CurrentX, NO_ICON_POSITION);
  ASSERT_NE(icon->do_DrawerData, nullptr);
  EXPECT_EQ(icon->do_DrawerData->dd_NewWindow.LeftEdge, 30);
  EXPECT_EQ(icon->do_DrawerData->dd_NewWindow.Width, 320);
  EXPECT_EQ(icon->do_DrawerData->dd_NewWindow.Height, 200);
  FreeDiskObject(icon);
}

// Broken NewIcons or PNG parts: the icon keeps what is sound.
TEST(IconForms, BrokenNewIconsFallBackToThePlanarImageAndBrokenPngsAreNoIcon) {
  NewIconsImage image;
  image.width = 3;
  image.height = 2;
  image.palette = {0xFF0000, 0x00FF00};
  image.pens = {1, 0, 1, 0, 1, 0};
  struct Broken {
    const char* what;
    std::vector<std::string> toolTypes;
  };
  std::vector<std::string> good = newIconsToolTypes(image);
  std::vector<std::string> noPixels(good.begin(), good.end() - 1);
  std::vector<std::string> badHeader = good;
  badHeader[2][4] = 'X';
  std::vector<std::string> badCharacter = good;
  badCharacter.back().insert(4, 1, '\x80');
  std::vector<std::string> noColours = good;
  noColours[2] = "IM1=B$#!!";
  for (const Broken& b : {Broken{"no pixel line", noPixels}, Broken{"bad header", badHeader},
                          Broken{"a character without bits", badCharacter}, Broken{"no colours", noColours}}) {
    InfoFile f = planarStandIn();
    f.toolTypes = b.toolTypes;
    const std::vector<uint8_t> bytes = f.bytes();
    DiskObject* icon = parseDiskObject(bytes.data(), bytes.size());
    ASSERT_NE(icon, nullptr) << b.what;
    IconPixels px;
    ASSERT_TRUE(GetIconPixels(icon, false, &px)) << b.what;
    EXPECT_EQ(px.width, 3) << b.what;
    EXPECT_EQ(px.argb[0], ICON_PALETTE_ARGB[1]) << b.what;  // the planar image
    FreeDiskObject(icon);
  }
  const std::vector<uint8_t> png = pngIconFile(2, 2, std::vector<uint32_t>(4, 0xFF00FF00), nullptr, {{0x8000100A, 0, "Tool"}});
  for (size_t n = 0; n < png.size(); ++n) {
    const std::vector<uint8_t> cut(png.begin(), png.begin() + long(n));
    DiskObject* icon = parseDiskObject(cut.data(), cut.size());
    EXPECT_EQ(icon, nullptr) << "cut at " << n;
    FreeDiskObject(icon);
  }
  EXPECT_EQ(ostest::liveDiskObjects(), 0);
}

}  // namespace

// Pictures as people's collections hold them: 16-bit PNGs, CMYK JPEGs, JPEGs
// libjpeg finishes with a warning, pictures larger than the screen they are
// for, and small files that declare huge pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "os/datatypes/datatypes.h"
#include "os/datatypes/png_codec.h"
#include "os/intuition/screens.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/picture_files.h"

namespace {

struct Shown {
  bool ok = false;
  int width = 0, height = 0;
  std::vector<uint32_t> argb;
};

// The picture at an Amiga path laid out as ARGB, for a screen or none.
Shown show(const char* name, Screen* screen = nullptr) {
  Shown r;
  const TagItem tags[] = {{DTA_GroupID, GID_PICTURE},
                          {PDTA_DestMode, PMODE_V43},
                          {screen ? PDTA_Screen : TAG_IGNORE, reinterpret_cast<intptr_t>(screen)},
                          {TAG_DONE, 0}};
  Object* o = NewDTObjectA(name, tags);
  if (!o) return r;
  gpLayout layout{GM_LAYOUT, nullptr, 1};
  DoDTMethodA(o, nullptr, nullptr, reinterpret_cast<Msg>(&layout));
  BitMapHeader* header = nullptr;
  BitMap* bm = nullptr;
  const TagItem ask[] = {{PDTA_BitMapHeader, reinterpret_cast<intptr_t>(&header)},
                         {PDTA_DestBitMap, reinterpret_cast<intptr_t>(&bm)},
                         {TAG_DONE, 0}};
  GetDTAttrsA(o, ask);
  if (header && bm && bm->Depth > 8) {
    r.ok = true;
    r.width = header->bmh_Width;
    r.height = header->bmh_Height;
    EXPECT_EQ(bm->Width, r.width);
    EXPECT_EQ(bm->Height, r.height);
    r.argb.assign(bm->Pixels, bm->Pixels + size_t(bm->Width) * bm->Height);
  }
  DisposeDTObject(o);
  return r;
}

int channel(uint32_t argb, int shift) { return int(argb >> shift & 0xFF); }

void expectNear(uint32_t got, uint32_t want, int tolerance, const std::string& what) {
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(channel(got, shift), channel(want, shift), tolerance) << what << std::hex << " got " << got
                                                                      << " want " << want;
}

// The pixels of w by h in flat 8 by 8 blocks, one colour a block, row of
// blocks by row of blocks (so that a lossy coder keeps each block's colour).
std::vector<uint32_t> blocks(int w, int h, const std::vector<uint32_t>& colours) {
  std::vector<uint32_t> p;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.push_back(colours[size_t((y / 8) * (w / 8) + x / 8) % colours.size()]);
  return p;
}

TEST(PictureSources, SixteenBitPngsWithoutColourChunksAreShownAsSrgb) {
  DosSandbox box;
  // Samples whose high bytes are what a viewer shows.
  const std::vector<uint16_t> rgb = {0x8080, 0x8080, 0x8080, 0xFFFF, 0x0000, 0x4040,
                                     0x2020, 0xC0C0, 0x0101, 0x0000, 0xFFFF, 0xE0E0};
  writeBytes(box.host("deep.png"), png16File(2, 2, rgb));
  const Shown s = show("Sandbox:deep.png");
  ASSERT_TRUE(s.ok);
  ASSERT_EQ(s.argb.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const uint32_t want = 0xFF000000u | uint32_t(rgb[3 * i] >> 8) << 16 | uint32_t(rgb[3 * i + 1] >> 8) << 8 |
                          uint32_t(rgb[3 * i + 2] >> 8);
    expectNear(s.argb[i], want, 1, "pixel " + std::to_string(i));
  }
}

TEST(PictureSources, CmykJpegsPlainAndInvertedShowTheirColours) {
  DosSandbox box;
  struct Block {
    uint32_t cmyk;  // 0xCCMMYYKK, ink amounts
    uint32_t rgb;
  };
  const Block palette[] = {
      {0x00000000, 0xFFFFFF}, {0xFF000000, 0x00FFFF}, {0x00FF0000, 0xFF00FF}, {0x0000FF00, 0xFFFF00},
      {0x000000FF, 0x000000}, {0x00FFFF00, 0xFF0000}, {0x00000080, 0x7F7F7F}, {0x80000000, 0x7FFFFF},
  };
  std::vector<uint32_t> ink, inverted, rgb;
  for (const Block& b : palette) {
    ink.push_back(b.cmyk);
    inverted.push_back(~b.cmyk);
    rgb.push_back(b.rgb);
  }
  const int w = 64, h = 8;
  // Without an Adobe marker the values are ink amounts; with one (as
  // Photoshop writes them) they are stored inverted.
  writeBytes(box.host("plain.jpg"), cmykJpegFile(w, h, blocks(w, h, ink), false));
  writeBytes(box.host("adobe.jpg"), cmykJpegFile(w, h, blocks(w, h, inverted), true));
  for (const char* name : {"Sandbox:plain.jpg", "Sandbox:adobe.jpg"}) {
    const Shown s = show(name);
    ASSERT_TRUE(s.ok) << name;
    ASSERT_EQ(s.width, w);
    const std::vector<uint32_t> want = blocks(w, h, rgb);
    for (size_t i = 0; i < want.size(); i += 7) expectNear(s.argb[i], want[i], 3, std::string(name) + " pixel " + std::to_string(i));
  }
}

TEST(PictureSources, JpegsThatLibjpegFinishesWithAWarningAreShown) {
  DosSandbox box;
  const int w = 32, h = 16;
  const std::vector<uint32_t> pixels = blocks(w, h, {0x102030, 0xF0E0D0, 0x808080, 0x00FF00});
  const std::vector<uint8_t> good = jpegFile(w, h, pixels);
  writeBytes(box.host("good.jpg"), good);
  const Shown reference = show("Sandbox:good.jpg");
  ASSERT_TRUE(reference.ok);

  // No end marker: the file ends with the last scan's data.
  std::vector<uint8_t> noEnd(good.begin(), good.end() - 2);
  // Stray bytes between two markers (after the JFIF segment).
  std::vector<uint8_t> stray = good;
  const size_t afterApp0 = 4 + (size_t(good[4]) << 8 | good[5]);
  ASSERT_EQ(good[afterApp0], 0xFF);
  stray.insert(stray.begin() + long(afterApp0), {0x00, 0x13, 0x37});
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  for (const Case& c : {Case{"no end marker", noEnd}, Case{"stray bytes", stray}}) {
    writeBytes(box.host("warned.jpg"), c.bytes);
    const Shown s = show("Sandbox:warned.jpg");
    ASSERT_TRUE(s.ok) << c.name;
    EXPECT_EQ(s.argb, reference.argb) << c.name;
  }
  // A file whose scan data stops early is still refused, not shown half grey.
  std::vector<uint8_t> cut(good.begin(), good.begin() + long(good.size() * 2 / 3));
  writeBytes(box.host("cut.jpg"), cut);
  EXPECT_FALSE(show("Sandbox:cut.jpg").ok);
}

// A picture much larger than the screen it is for is decoded reduced: every
// f-th pixel of every f-th row (JPEG: scaled by libjpeg), never below the
// screen's size, and shown whole.
TEST(PictureSources, APictureLargerThanItsScreenIsDecodedReducedAndShownWhole) {
  DosSandbox box;
  Screen small{};
  small.Width = 40;
  small.Height = 30;
  const int w = 400, h = 96;  // reduced by 10: 40 by 10
  std::vector<uint32_t> argb;
  std::vector<uint8_t> pens;
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      pens.push_back(uint8_t((x / 10 + y / 10) % 4));
      argb.push_back(0xFF000000u | palette[pens.back()]);
    }
  writeBytes(box.host("wide.png"), pngFile(w, h, argb));
  writeBytes(box.host("wide.gif"), gifFile(w, h, pens, palette));
  writeBytes(box.host("wide.jpg"), jpegFile(w, h, blocks(w, h, {0xFF0000, 0x0000FF})));
  for (const char* name : {"Sandbox:wide.png", "Sandbox:wide.gif"}) {
    const Shown s = show(name, &small);
    ASSERT_TRUE(s.ok) << name;
    ASSERT_EQ(s.width, 40) << name;
    ASSERT_EQ(s.height, 10) << name;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x)
        ASSERT_EQ(s.argb[size_t(y) * 40 + x], argb[size_t(y * 10) * w + x * 10]) << name << " at " << x << "," << y;
  }
  // libjpeg scales by eighths: 1/8 is no smaller than the picture shown shrunk.
  const Shown jpeg = show("Sandbox:wide.jpg", &small);
  ASSERT_TRUE(jpeg.ok);
  EXPECT_EQ(jpeg.width, 50);
  EXPECT_EQ(jpeg.height, 12);
  expectNear(jpeg.argb[0], 0xFF0000, 8, "first block");
  expectNear(jpeg.argb[1], 0x0000FF, 8, "second block");
  // Without a screen, and on a screen it fits, the picture is decoded whole.
  EXPECT_EQ(show("Sandbox:wide.png").width, w);
  Screen large{};
  large.Width = 640;
  large.Height = 512;
  EXPECT_EQ(show("Sandbox:wide.gif", &large).argb, argb);
}

// How much more memory the process holds at its peak while f runs.
long peakGrowthKb(const std::function<void()>& f) {
  auto field = [](const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind(name, 0) == 0) return std::stol(line.substr(std::strlen(name)));
    return -1L;
  };
  {
    // Resets the peak to what is held now.
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
  }
  const long before = field("VmRSS:");
  f();
  return field("VmHWM:") - before;
}

// Small files that declare a 16384 by 4096 picture: whatever they give, they
// cost neither hundreds of MB nor more than their data can fill.
TEST(PictureSources, ASmallFileDeclaringAHugePictureCostsLittleMemory) {
  {
    std::ofstream probe("/proc/self/clear_refs");
    if (!probe) GTEST_SKIP() << "the peak memory of the process cannot be reset here";
  }
  DosSandbox box;
  // PNG: the header of a 16384 by 4096 RGB picture and a few bytes of data.
  std::vector<uint8_t> ihdr = {0, 0, 0x40, 0, 0, 0, 0x10, 0, 8, 2, 0, 0, 0};
  const std::vector<uint8_t> png = pngOfChunks({pngChunk("IHDR", ihdr),
                                                pngChunk("IDAT", {0x78, 0x9C, 0x63, 0x60, 0x00, 0x00, 0x00, 0x02,
                                                                  0x00, 0x01}),
                                                pngChunk("IEND", {})});
  // GIF: a one-pixel image whose screen and image say 16384 by 4096.
  std::vector<uint8_t> gif = gifFile(1, 1, {1}, {0x000000, 0xFFFFFF});
  auto put16le = [](std::vector<uint8_t>& b, size_t at, int v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
  };
  put16le(gif, 6, 16384);
  put16le(gif, 8, 4096);
  const size_t descriptor = size_t(std::find(gif.begin() + 13, gif.end(), 0x2C) - gif.begin());
  ASSERT_LT(descriptor + 9, gif.size());
  put16le(gif, descriptor + 5, 16384);
  put16le(gif, descriptor + 7, 4096);
  // JPEG: a progressive 16 by 16 picture whose frame says 16384 by 4096.
  std::vector<uint8_t> jpeg = jpegFile(16, 16, std::vector<uint32_t>(256, 0xFF336699), true);
  for (size_t i = 2; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2) {
      jpeg[i + 5] = 0x10, jpeg[i + 6] = 0x00;  // height 4096
      jpeg[i + 7] = 0x40, jpeg[i + 8] = 0x00;  // width 16384
      break;
    }
  // The PNG's header alone gives the size it declares.
  uint32_t declaredWidth = 0, declaredHeight = 0;
  ASSERT_TRUE(PngCodec::readSize(png.data(), png.size(), &declaredWidth, &declaredHeight));
  EXPECT_EQ(declaredWidth, 16384u);
  EXPECT_EQ(declaredHeight, 4096u);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  for (const Case& c : {Case{"PNG", png}, Case{"GIF", gif}, Case{"JPEG", jpeg}}) {
    ASSERT_LT(c.bytes.size(), 1000u) << c.name;
    writeBytes(box.host("huge"), c.bytes);
    const long grownKb = peakGrowthKb([] { show("Sandbox:huge"); });
    EXPECT_LT(grownKb, 32 * 1024) << c.name << " cost " << grownKb / 1024 << " MB";
  }
}

}  // namespace

namespace {

// An 8192 by 8192 ILBM of one plane in 131 KB: every row present, each row
// eight repeat runs of 128 bytes. The run's byte is the pattern below.
constexpr int HUGE_ILBM_SIDE = 8192;
uint8_t hugeIlbmByte(int y, int run) { return uint8_t(y * 37 + run * 101 + (y >> 5)); }
bool hugeIlbmPixel(int x, int y) { return (hugeIlbmByte(y, x / 1024) >> (7 - x % 8)) & 1; }

std::vector<uint8_t> hugeIlbm() {
  IlbmFile f;
  f.width = f.height = HUGE_ILBM_SIDE;
  f.planes = 1;
  f.compression = 1;
  f.cmap = {0x123456, 0xFEDCBA};
  for (int y = 0; y < HUGE_ILBM_SIDE; ++y)
    for (int run = 0; run < 8; ++run) f.body.insert(f.body.end(), {0x81, hugeIlbmByte(y, run)});
  return f.bytes();
}

}  // namespace

// An ILBM far larger than its screen is unpacked a row at a time and keeps
// every f-th pixel of every f-th row: its memory follows the screen, and its
// pixels are those of the whole picture reduced the same way.
TEST(PictureSources, AHugeIlbmIsReducedWhileItsRowsAreUnpacked) {
  {
    std::ofstream probe("/proc/self/clear_refs");
    if (!probe) GTEST_SKIP() << "the peak memory of the process cannot be reset here";
  }
  DosSandbox box;
  const std::vector<uint8_t> file = hugeIlbm();
  ASSERT_LT(file.size(), 140u * 1024);
  writeBytes(box.host("huge.iff"), file);
  Screen screen{};
  screen.Width = 640;
  screen.Height = 512;
  Shown s;
  const long grownKb = peakGrowthKb([&] { s = show("Sandbox:huge.iff", &screen); });
  EXPECT_LT(grownKb, 40 * 1024) << "cost " << grownKb / 1024 << " MB";
  ASSERT_TRUE(s.ok);
  const int f = 16;  // 8192 / 512: no smaller than the picture shown on the screen
  ASSERT_EQ(s.width, HUGE_ILBM_SIDE / f);
  ASSERT_EQ(s.height, HUGE_ILBM_SIDE / f);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      ASSERT_EQ(s.argb[size_t(y * s.width + x)], hugeIlbmPixel(x * f, y * f) ? 0xFFFEDCBAu : 0xFF123456u)
          << "at " << x << "," << y;
}

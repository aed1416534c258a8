#include "os/datatypes/datatypes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "os/datatypes/png_codec.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/picture_files.h"

namespace {

// 32 by 8 pixels of distinct colours.
std::vector<uint32_t> samplePixels(int width, int height) {
  std::vector<uint32_t> p;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.push_back(0xFF000000u | uint32_t(x * 8) << 16 | uint32_t(y * 32) << 8 | 0x40);
  return p;
}

// The pixels of the picture at an Amiga path, laid out as 32-bit ARGB; empty
// when NewDTObjectA refuses it. Checks that nothing is left behind.
struct Opened {
  bool ok = false;
  int32_t ioErr = 0;
  int width = 0, height = 0, depth = 0;
  std::vector<uint32_t> argb;
};
Opened openPicture(const char* name) {
  Opened r;
  const int32_t objectsBefore = ostest::livePictureObjects();
  const size_t bitmapsBefore = ostest::liveBitMaps();
  const TagItem tags[] = {{DTA_GroupID, GID_PICTURE}, {PDTA_DestMode, PMODE_V43}, {TAG_DONE, 0}};
  Object* o = NewDTObjectA(name, tags);
  r.ioErr = IoErr();
  if (o) {
    gpLayout layout{GM_LAYOUT, nullptr, 1};
    EXPECT_EQ(DoDTMethodA(o, nullptr, nullptr, reinterpret_cast<Msg>(&layout)), 1u);
    BitMapHeader* header = nullptr;
    BitMap* bm = nullptr;
    const TagItem ask[] = {{PDTA_BitMapHeader, reinterpret_cast<intptr_t>(&header)},
                           {PDTA_DestBitMap, reinterpret_cast<intptr_t>(&bm)},
                           {TAG_DONE, 0}};
    EXPECT_EQ(GetDTAttrsA(o, ask), 2u);
    if (header && bm) {
      r.ok = true;
      r.width = header->bmh_Width;
      r.height = header->bmh_Height;
      r.depth = header->bmh_Depth;
      EXPECT_EQ(bm->Width, r.width);
      EXPECT_EQ(bm->Depth, 32);
      r.argb.assign(bm->Pixels, bm->Pixels + size_t(bm->Width) * bm->Height);
    }
    DisposeDTObject(o);
  }
  EXPECT_EQ(ostest::livePictureObjects(), objectsBefore);
  EXPECT_EQ(ostest::liveBitMaps(), bitmapsBefore);
  return r;
}

TEST(PictureDataTypes, FilesMadeByTheirLibrariesDecodeWhateverTheirNames) {
  DosSandbox box;
  const int w = 32, h = 8;
  const std::vector<uint32_t> pixels = samplePixels(w, h);
  std::vector<uint8_t> pens;
  for (int i = 0; i < w * h; ++i) pens.push_back(uint8_t(i % 4));
  const std::vector<uint32_t> palette = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF};
  writeBytes(box.host("picture.gif"), pngFile(w, h, pixels));  // the name does not say what it is
  writeBytes(box.host("photo"), jpegFile(w, h, pixels));
  writeBytes(box.host("anim.png"), gifFile(w, h, pens, palette, 3));
  writeBytes(box.host("inter.gif"), gifFile(w, h, pens, palette, -1, true));
  IlbmFile ilbm;
  ilbm.width = 5;
  ilbm.height = 2;
  ilbm.planes = 2;
  ilbm.cmap = palette;
  ilbm.pixels = {0, 1, 2, 3, 0, 3, 2, 1, 0, 3};
  writeBytes(box.host("pic.jpg"), ilbm.bytes());

  Opened png = openPicture("Sandbox:picture.gif");
  ASSERT_TRUE(png.ok);
  EXPECT_EQ(png.argb, pixels);
  EXPECT_EQ(png.depth, 32);  // written with alpha

  Opened jpeg = openPicture("Sandbox:photo");
  ASSERT_TRUE(jpeg.ok);
  ASSERT_EQ(jpeg.argb.size(), pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i)
    for (int shift : {0, 8, 16})  // lossy: near, not equal
      ASSERT_NEAR(int(jpeg.argb[i] >> shift & 0xFF), int(pixels[i] >> shift & 0xFF), 24) << i;

  for (const char* name : {"Sandbox:anim.png", "Sandbox:inter.gif"}) {
    Opened gif = openPicture(name);
    ASSERT_TRUE(gif.ok) << name;
    EXPECT_EQ(gif.depth, 8);
    const bool seeThrough = std::string(name) == "Sandbox:anim.png";
    for (size_t i = 0; i < pens.size(); ++i) {
      const uint32_t expected = pens[i] == 3 && seeThrough ? 0 : 0xFF000000u | palette[pens[i]];
      ASSERT_EQ(gif.argb[i], expected) << name << " pixel " << i;
    }
  }

  Opened iff = openPicture("Sandbox:pic.jpg");
  ASSERT_TRUE(iff.ok);
  EXPECT_EQ(iff.depth, 2);
  EXPECT_EQ(iff.argb[6], 0xFF000000u | palette[2]);
}

TEST(PictureDataTypes, WhatIsNoPictureGivesNilWithTheReason) {
  DosSandbox box;
  box.writeFile("notes.png", "just some text, named like a picture");
  box.makeDir("folder.iff");
  EXPECT_EQ(openPicture("Sandbox:notes.png").ioErr, DTERROR_UNKNOWN_DATATYPE);
  EXPECT_EQ(openPicture("Sandbox:missing.png").ioErr, 205);
  EXPECT_FALSE(openPicture("Sandbox:folder.iff").ok);
  EXPECT_EQ(NewDTObjectA(nullptr, nullptr), nullptr);
  writeBytes(box.host("p.png"), pngFile(2, 2, samplePixels(2, 2)));
  const TagItem sound[] = {{DTA_GroupID, GID_SOUND}, {TAG_DONE, 0}};
  EXPECT_EQ(NewDTObjectA("Sandbox:p.png", sound), nullptr);
}

// Every decoder, for every cut of a good file and for sizes out of bounds.
TEST(PictureDataTypes, TruncatedOrOversizedFilesAreRefusedWithoutLeaks) {
  DosSandbox box;
  const std::vector<uint32_t> pixels = samplePixels(24, 6);
  std::vector<uint8_t> pens(24 * 6, 1);
  const std::vector<uint32_t> palette = {0, 0xFFFFFF};
  struct Kind {
    const char* name;
    std::vector<uint8_t> good;
    std::vector<uint8_t> tooWide;
    std::vector<uint8_t> tooHigh;
    size_t intactTail;  // bytes at the end a reader need not see
  };
  IlbmFile wide;
  wide.width = 16385;
  wide.height = 1;
  wide.compression = 1;
  IlbmFile high;
  high.width = 1;
  high.height = 16385;
  high.compression = 1;
  IlbmFile good;
  good.width = 24;
  good.height = 6;
  good.planes = 2;
  good.compression = 1;
  good.pixels.assign(144, 2);
  const std::vector<Kind> kinds = {
      {"ILBM", good.bytes(), wide.bytes(), high.bytes(), 0},
      {"PNG", pngFile(24, 6, pixels), pngFile(16385, 1, std::vector<uint32_t>(16385)),
       pngFile(1, 16385, std::vector<uint32_t>(16385)), 0},
      // A JPEG whose scan is whole is shown without its end marker.
      {"JPEG", jpegFile(24, 6, pixels), jpegFile(16385, 1, std::vector<uint32_t>(16385)),
       jpegFile(1, 16385, std::vector<uint32_t>(16385)), 2},
      // The trailer byte of a GIF follows the first image; it is not needed.
      {"GIF", gifFile(24, 6, pens, palette), gifFile(16385, 1, std::vector<uint8_t>(16385), palette),
       gifFile(1, 16385, std::vector<uint8_t>(16385), palette), 1},
  };
  for (const Kind& k : kinds) {
    writeBytes(box.host("good"), k.good);
    ASSERT_TRUE(openPicture("Sandbox:good").ok) << k.name;
    writeBytes(box.host("wide"), k.tooWide);
    EXPECT_FALSE(openPicture("Sandbox:wide").ok) << k.name;
    writeBytes(box.host("high"), k.tooHigh);
    EXPECT_FALSE(openPicture("Sandbox:high").ok) << k.name;
    for (size_t n = 0; n + k.intactTail < k.good.size(); ++n) {
      DecodedPicture d;
      const std::vector<uint8_t> cut(k.good.begin(), k.good.begin() + long(n));
      writeBytes(box.host("cut"), cut);
      ASSERT_FALSE(openPicture("Sandbox:cut").ok) << k.name << " cut at " << n << " of " << k.good.size();
    }
  }
}

TEST(PictureDataTypes, LayoutForAScreenWithPensTakesTheNearestPens) {
  DosSandbox box;
  writeBytes(box.host("p.png"), pngFile(3, 1, {0xFF000000, 0xFFFFFFFF, PenARGB(3)}));
  Screen screen{};
  BitMap* screenBitMap = AllocBitMap(16, 16, 8, BMF_CLEAR, nullptr);
  screen.RastPort.BitMap = screenBitMap;
  const TagItem tags[] = {{PDTA_Screen, reinterpret_cast<intptr_t>(&screen)}, {PDTA_UseFriendBitMap, 1}, {TAG_DONE, 0}};
  Object* o = NewDTObjectA("Sandbox:p.png", tags);
  ASSERT_NE(o, nullptr);
  gpLayout layout{GM_LAYOUT, nullptr, 1};
  DoDTMethodA(o, nullptr, nullptr, reinterpret_cast<Msg>(&layout));
  BitMap* bm = nullptr;
  const TagItem ask[] = {{PDTA_DestBitMap, reinterpret_cast<intptr_t>(&bm)}, {TAG_DONE, 0}};
  GetDTAttrsA(o, ask);
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(bm->Depth, 8);
  EXPECT_EQ(PenARGB(bm->Pixels[0]), 0xFF000000u);
  EXPECT_EQ(PenARGB(bm->Pixels[1]), 0xFFFFFFFFu);
  EXPECT_EQ(bm->Pixels[2], 3u);
  DisposeDTObject(o);
  FreeBitMap(screenBitMap);
}

TEST(PictureDataTypes, APictureInMemoryIsWrittenAsAPngThatLibpngReadsBack) {
  DosSandbox box;
  BitMap* deep = AllocBitMap(5, 3, 32, BMF_CLEAR, nullptr);
  for (int i = 0; i < 15; ++i) deep->Pixels[i] = 0xFF000000u | uint32_t(i * 0x010203);
  BitMap* pens = AllocBitMap(2, 1, 4, BMF_CLEAR, nullptr);
  pens->Pixels[0] = 1;
  pens->Pixels[1] = 2;
  ColorMap* colours = GetColorMap(16);
  SetRGB32CM(colours, 2, 0x12000000, 0x34000000, 0x56000000);
  BitMap* mask = AllocBitMap(5, 3, 1, BMF_CLEAR, nullptr);
  for (int i = 0; i < 15; ++i) mask->Pixels[i] = i % 2;

  struct Case {
    BitMap* bm;
    const ColorMap* colours;
    BitMap* mask;
    std::vector<uint32_t> expected;
  };
  std::vector<uint32_t> masked(deep->Pixels, deep->Pixels + 15);
  for (int i = 0; i < 15; i += 2) masked[i] &= 0x00FFFFFF;
  const std::vector<Case> cases = {
      {deep, nullptr, nullptr, std::vector<uint32_t>(deep->Pixels, deep->Pixels + 15)},
      {deep, nullptr, mask, masked},
      {pens, colours, nullptr, {PenARGB(1), 0xFF123456}},
  };
  for (const Case& c : cases) {
    const TagItem tags[] = {{DTA_SourceType, DTST_RAM}, {DTA_GroupID, GID_PICTURE}, {TAG_DONE, 0}};
    Object* o = NewDTObjectA(nullptr, tags);
    ASSERT_NE(o, nullptr);
    const TagItem set[] = {{PDTA_BitMap, reinterpret_cast<intptr_t>(c.bm)},
                           {PDTA_ColorMap, reinterpret_cast<intptr_t>(c.colours)},
                           {PDTA_MaskBitMap, reinterpret_cast<intptr_t>(c.mask)},
                           {TAG_DONE, 0}};
    EXPECT_EQ(SetDTAttrsA(o, nullptr, nullptr, set), 3u);
    BPTR file = Open("Sandbox:out.png", MODE_NEWFILE);
    ASSERT_NE(file, ZERO);
    dtWrite write{DTM_WRITE, nullptr, file, DTWM_RAW, nullptr};
    EXPECT_EQ(DoDTMethodA(o, nullptr, nullptr, reinterpret_cast<Msg>(&write)), 1u);
    Close(file);
    DisposeDTObject(o);
    const std::vector<uint8_t> bytes = readBytes(box.host("out.png"));
    DecodedPicture d;
    ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), &d));
    EXPECT_EQ(d.argb, c.expected);
  }
  FreeBitMap(deep);
  FreeBitMap(pens);
  FreeBitMap(mask);
  FreeColorMap(colours);
}

}  // namespace

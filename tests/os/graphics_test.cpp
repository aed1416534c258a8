#include "os/graphics/graphics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A bitmap whose pixel at (x, y) is x + 16 * y (or that as a colour).
BitMap* numbered(int w, int h, int depth) {
  BitMap* bm = AllocBitMap(uint32_t(w), uint32_t(h), uint32_t(depth), 0, nullptr);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bm->Pixels[y * w + x] = uint32_t(x + 16 * y) | (depth > 8 ? 0xFF000000u : 0);
  return bm;
}

// The bitmap as rows of pixel values, for readable comparisons.
std::vector<std::vector<uint32_t>> rows(const BitMap* bm) {
  std::vector<std::vector<uint32_t>> r;
  for (int y = 0; y < bm->Height; ++y) r.emplace_back(bm->Pixels + y * bm->Width, bm->Pixels + (y + 1) * bm->Width);
  return r;
}

TEST(Graphics, AllocBitMapRefusesWhatItCannotHold) {
  struct Case {
    uint32_t w, h, depth, flags;
    int expectDepth;  // 0: NIL
  };
  const Case cases[] = {
      {1, 1, 1, 0, 1},           {16384, 1, 8, 0, 8},       {0, 5, 8, 0, 0},
      {5, 0, 8, 0, 0},           {16385, 1, 8, 0, 0},       {1, 16385, 8, 0, 0},
      {16384, 16384, 8, 0, 0},  // too many pixels
      {4, 4, 0, 0, 0},           {4, 4, 9, 0, 0},           {4, 4, 24, 0, 24},
      {4, 4, 8, 0xB000093, 32},  {4, 4, 8, 0x9000093, 24},  {4, 4, 16, 0, 0},
  };
  for (const Case& c : cases) {
    BitMap* bm = AllocBitMap(c.w, c.h, c.depth, c.flags, nullptr);
    EXPECT_EQ(GetBitMapAttr(bm, BMA_DEPTH), uint32_t(c.expectDepth)) << c.w << "x" << c.h << "x" << c.depth;
    if (bm) {
      EXPECT_EQ(GetBitMapAttr(bm, BMA_WIDTH), c.w);
      EXPECT_EQ(GetBitMapAttr(bm, BMA_FLAGS), c.flags & ~BMF_CLEAR);
    }
    FreeBitMap(bm);
  }
  ostest::failNextAllocBitMap();
  EXPECT_EQ(AllocBitMap(4, 4, 8, 0, nullptr), nullptr);
  BitMap* ok = AllocBitMap(4, 4, 8, 0, nullptr);
  EXPECT_NE(ok, nullptr);
  FreeBitMap(ok);
  FreeBitMap(nullptr);
}

TEST(Graphics, BltBitMapCopiesOnlyWhatLiesInsideBothBitmaps) {
  struct Case {
    int sx, sy, dx, dy, w, h;
    std::vector<std::vector<uint32_t>> expected;  // the 4 x 3 destination afterwards, 99 untouched
  };
  const std::vector<Case> cases = {
      {0, 0, 0, 0, 2, 2, {{0, 1, 99, 99}, {16, 17, 99, 99}, {99, 99, 99, 99}}},
      {1, 1, 2, 1, 9, 9, {{99, 99, 99, 99}, {99, 99, 17, 18}, {99, 99, 33, 34}}},
      {0, 0, -1, -2, 3, 4, {{33, 34, 99, 99}, {49, 50, 99, 99}, {99, 99, 99, 99}}},
      {-2, 0, 0, 0, 3, 1, {{99, 99, 0, 99}, {99, 99, 99, 99}, {99, 99, 99, 99}}},
      {0, 0, 4, 0, 2, 2, {{99, 99, 99, 99}, {99, 99, 99, 99}, {99, 99, 99, 99}}},
      {0, 0, 0, 0, 0, 5, {{99, 99, 99, 99}, {99, 99, 99, 99}, {99, 99, 99, 99}}},
  };
  BitMap* src = numbered(5, 4, 8);
  for (const Case& c : cases) {
    BitMap* dst = AllocBitMap(4, 3, 8, 0, nullptr);
    for (int i = 0; i < 12; ++i) dst->Pixels[i] = 99;
    BltBitMap(src, c.sx, c.sy, dst, c.dx, c.dy, c.w, c.h, 0xC0, 0xFF, nullptr);
    EXPECT_EQ(rows(dst), c.expected) << c.sx << "," << c.sy << " -> " << c.dx << "," << c.dy;
    FreeBitMap(dst);
  }
  FreeBitMap(src);
}

TEST(Graphics, BltBitMapOverlapsMasksAndRefusesOtherKinds) {
  BitMap* bm = numbered(4, 1, 8);
  BltBitMap(bm, 0, 0, bm, 1, 0, 3, 1, 0xC0, 0xFF, nullptr);  // moves right over itself
  EXPECT_EQ(rows(bm)[0], (std::vector<uint32_t>{0, 0, 1, 2}));
  BltBitMap(bm, 1, 0, bm, 0, 0, 3, 1, 0xC0, 0xFF, nullptr);  // and back left
  EXPECT_EQ(rows(bm)[0], (std::vector<uint32_t>{0, 1, 2, 2}));

  BitMap* dst = AllocBitMap(1, 1, 8, 0, nullptr);
  dst->Pixels[0] = 0xF0;
  BitMap* src = AllocBitMap(1, 1, 8, 0, nullptr);
  src->Pixels[0] = 0x0F;
  EXPECT_EQ(BltBitMap(src, 0, 0, dst, 0, 0, 1, 1, 0xC0, 0x3C, nullptr), 4);  // planes 2..5 only
  EXPECT_EQ(dst->Pixels[0], 0xCCu);
  EXPECT_EQ(BltBitMap(src, 0, 0, dst, 0, 0, 1, 1, 0x30, 0xFF, nullptr), 0);  // unknown minterm
  BitMap* deep = AllocBitMap(1, 1, 32, 0, nullptr);
  EXPECT_EQ(BltBitMap(src, 0, 0, deep, 0, 0, 1, 1, 0xC0, 0xFF, nullptr), 0);
  for (BitMap* b : {bm, dst, src, deep}) FreeBitMap(b);
}

TEST(Graphics, BitMapScaleTakesTheNearestPixelAndClipsEveryWrite) {
  BitMap* src = numbered(2, 2, 8);
  BitMap* dst = AllocBitMap(5, 3, 8, 0, nullptr);
  for (int i = 0; i < 15; ++i) dst->Pixels[i] = 99;
  BitScaleArgs a{};
  a.bsa_SrcWidth = a.bsa_XSrcFactor = 2;
  a.bsa_SrcHeight = a.bsa_YSrcFactor = 2;
  a.bsa_XDestFactor = a.bsa_YDestFactor = 4;
  a.bsa_DestX = 2;
  a.bsa_SrcBitMap = src;
  a.bsa_DestBitMap = dst;
  BitMapScale(&a);
  EXPECT_EQ(a.bsa_DestWidth, 4);
  EXPECT_EQ(a.bsa_DestHeight, 4);
  EXPECT_EQ(rows(dst), (std::vector<std::vector<uint32_t>>{{99, 99, 0, 0, 1}, {99, 99, 0, 0, 1}, {99, 99, 16, 16, 17}}));

  // Pens scaled into a deep bitmap become their colours.
  BitMap* deep = AllocBitMap(2, 1, 32, 0, nullptr);
  a = BitScaleArgs{};
  a.bsa_SrcWidth = a.bsa_XSrcFactor = a.bsa_XDestFactor = 2;
  a.bsa_SrcHeight = a.bsa_YSrcFactor = a.bsa_YDestFactor = 1;
  a.bsa_SrcBitMap = src;
  a.bsa_DestBitMap = deep;
  BitMapScale(&a);
  EXPECT_EQ(rows(deep)[0], (std::vector<uint32_t>{PenARGB(0), PenARGB(1)}));
  for (BitMap* b : {src, dst, deep}) FreeBitMap(b);
}

TEST(Graphics, RastPortsFillDrawTextAndReadPixelsBack) {
  BitMap* bm = AllocBitMap(40, 16, 32, BMF_CLEAR, nullptr);
  EXPECT_EQ(bm->Pixels[0], PEN0_ARGB);  // a cleared deep bitmap is pen 0's grey
  EXPECT_EQ(PenARGB(0), PEN0_ARGB);
  RastPort rp;
  InitRastPort(&rp);
  rp.BitMap = bm;
  SetRast(&rp, 1);
  EXPECT_EQ(bm->Pixels[39], PenARGB(1));
  SetAPen(&rp, 2);
  RectFill(&rp, 38, 14, 100, 100);
  EXPECT_EQ(bm->Pixels[15 * 40 + 39], PenARGB(2));
  EXPECT_EQ(bm->Pixels[13 * 40 + 39], PenARGB(1));

  uint32_t fg = 0;
  const TagItem ask[] = {{RPTAG_FgColor, reinterpret_cast<intptr_t>(&fg)}, {TAG_DONE, 0}};
  GetRPAttrsA(&rp, ask);
  EXPECT_EQ(fg, PenARGB(2));

  // "I" is a bar three dots wide on top and bottom with a one-dot stem.
  EXPECT_EQ(TextLength(&rp, "Ii", 2), 2 * DefaultFont()->tf_XSize);
  SetAPen(&rp, 2);
  SetBPen(&rp, 0);
  Move(&rp, 0, int16_t(rp.TxBaseline));
  Text(&rp, "I", 1);
  EXPECT_EQ(rp.cp_x, DefaultFont()->tf_XSize);
  std::string picture;
  for (int y = 0; y < 10; y += 2) {
    for (int x = 1; x < 7; x += 2) picture += bm->Pixels[y * 40 + x] == PenARGB(2) ? '#' : '.';
    picture += '/';
  }
  EXPECT_EQ(picture, "###/.#./.#./.#./###/");
  EXPECT_EQ(bm->Pixels[11 * 40 + 0], PenARGB(0));  // JAM2 filled the cell with the back pen

  // ARGB pixel arrays, and 8-bit ones through the nearest pen.
  std::vector<uint8_t> argb(3 * 4);
  EXPECT_EQ(ReadPixelArray(argb.data(), 0, 0, 12, &rp, 38, 15, 3, 1, RECTFMT_ARGB), 2u);  // clipped to 2
  EXPECT_EQ(argb[0], 0xFF);
  const uint32_t two = PenARGB(2);
  EXPECT_EQ(argb[1], uint8_t(two >> 16));
  const uint8_t red[8] = {0xFF, 0xFF, 0, 0, 0x80, 0, 0, 0xFF};
  EXPECT_EQ(WritePixelArray(red, 0, 0, 8, &rp, 0, 0, 2, 1, RECTFMT_ARGB), 2u);
  EXPECT_EQ(bm->Pixels[0], 0xFFFF0000u);
  EXPECT_EQ(bm->Pixels[1], 0x800000FFu);
  RastPort temp;
  InitRastPort(&temp);
  uint8_t pens[2];
  EXPECT_EQ(ReadPixelArray8(&rp, 38, 14, 39, 14, pens, &temp), 2);
  EXPECT_EQ(pens[0], 2);
  FreeBitMap(bm);
}

}  // namespace

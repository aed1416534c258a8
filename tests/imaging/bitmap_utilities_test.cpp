#include "imaging/bitmap_utilities.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/pictures.h"
#include "imaging/sound_helpers.h"
#include "os/datatypes/png_codec.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"
#include "tests/support/picture_files.h"

namespace {

class BitmapUtilities : public ::testing::Test {
 protected:
  void SetUp() override { bitmaps_ = ostest::liveBitMaps(); }
  void TearDown() override { EXPECT_EQ(ostest::liveBitMaps(), bitmaps_); }
  size_t bitmaps_ = 0;
};

TEST_F(BitmapUtilities, BltBitMapCrossesDepthsThroughColours) {
  BitMap* pens = AllocBitMap(3, 2, 8, BMF_CLEAR, nullptr);
  for (int i = 0; i < 6; ++i) pens->Pixels[i] = uint32_t(i + 1);
  BitMap* deep = AllocBitMap(4, 4, 32, BMF_CLEAR, nullptr);
  bltBitMap(pens, 1, 0, deep, 2, 3, 5, 5, 0xC0, 0xFF, nullptr);  // clipped to 2 x 1
  EXPECT_EQ(deep->Pixels[3 * 4 + 2], PenARGB(2));
  EXPECT_EQ(deep->Pixels[3 * 4 + 3], PenARGB(3));
  EXPECT_EQ(deep->Pixels[2 * 4 + 2], PEN0_ARGB);
  // Back: the colours become their pens again.
  BitMap* back = AllocBitMap(4, 4, 8, BMF_CLEAR, nullptr);
  bltBitMap(deep, 0, 0, back, 0, 0, 4, 4, 0xC0, 0xFF, nullptr);
  EXPECT_EQ(back->Pixels[3 * 4 + 2], 2u);
  EXPECT_EQ(back->Pixels[3 * 4 + 3], 3u);
  EXPECT_EQ(back->Pixels[0], 0u);
  // Same side of 8 bits: a plain blit.
  BitMap* four = AllocBitMap(3, 2, 4, BMF_CLEAR, nullptr);
  bltBitMap(pens, 0, 0, four, 0, 0, 3, 2, 0xC0, 0xFF, nullptr);
  EXPECT_EQ(four->Pixels[5], 6u);
  for (BitMap* b : {pens, deep, back, four}) FreeBitMap(b);
}

TEST_F(BitmapUtilities, ClonesCopyTheSourceByTheFriendRule) {
  BitMap* src = AllocBitMap(5, 4, 32, BMF_CLEAR, nullptr);
  for (int i = 0; i < 20; ++i) src->Pixels[i] = 0xFF000000u | uint32_t(i);
  BitMap* whole = basicCloneBitMap(src, nullptr, 0, 0, 0, -1, -1, nullptr);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(std::vector<uint32_t>(whole->Pixels, whole->Pixels + 20), std::vector<uint32_t>(src->Pixels, src->Pixels + 20));
  EXPECT_EQ(GetBitMapAttr(whole, BMA_FLAGS), 0xB000092u);
  BitMap* part = rtgCloneBitMap(src, nullptr, 0, 1, 2, 2, 2, nullptr);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(std::vector<uint32_t>(part->Pixels, part->Pixels + 4),
            (std::vector<uint32_t>{0xFF00000B, 0xFF00000C, 0xFF000010, 0xFF000011}));
  BitMap* palette = AllocBitMap(8, 8, 8, BMF_CLEAR, nullptr);
  BitMap* pens = basicCloneBitMap(src, palette, 0, 0, 0, 2, 1, nullptr);  // for a screen with pens
  ASSERT_NE(pens, nullptr);
  EXPECT_EQ(getBitMapDepth(pens), 8);
  RastPort rp;
  InitRastPort(&rp);
  rp.BitMap = palette;
  SetRast(&rp, 5);
  BitMap* fromPort = basicCloneBitMap(src, nullptr, 0, 0, 0, 3, 3, &rp);  // read from the rast port
  ASSERT_NE(fromPort, nullptr);
  EXPECT_EQ(fromPort->Pixels[0], 5u);
  ostest::failNextAllocBitMap();
  EXPECT_EQ(basicCloneBitMap(src, nullptr, 0, 0, 0, -1, -1, nullptr), nullptr);
  for (BitMap* b : {src, whole, part, palette, pens, fromPort}) FreeBitMap(b);
}

TEST_F(BitmapUtilities, SavePictureWritesAPngThatLibpngReadsBackEqual) {
  DosSandbox box;
  BitMap* bm = AllocBitMap(6, 3, 32, BMF_CLEAR, nullptr);
  for (int i = 0; i < 18; ++i) bm->Pixels[i] = 0xFF000000u | uint32_t(i * 0x0A0B0C);
  ASSERT_TRUE(savePicture("Sandbox:shot.png", bm, nullptr, 0, nullptr));
  const std::vector<uint8_t> bytes = readBytes(box.host("shot.png"));
  DecodedPicture d;
  ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), &d));
  EXPECT_EQ(d.argb, std::vector<uint32_t>(bm->Pixels, bm->Pixels + 18));
  EXPECT_FALSE(savePicture("Nowhere:shot.png", bm, nullptr, 0, nullptr));
  EXPECT_FALSE(savePicture("Sandbox:x.png", nullptr, nullptr, 0, nullptr));
  FreeBitMap(bm);
}

TEST_F(BitmapUtilities, PixelArraysMasksAndTheForegroundColour) {
  BitMap* bm = AllocBitMap(20, 3, 8, BMF_CLEAR, nullptr);
  RastPort rp;
  InitRastPort(&rp);
  rp.BitMap = bm;
  const uint8_t pens[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(writePixelArray8(&rp, 17, 1, 19, 2, pens), 6);
  uint8_t back[6] = {};
  EXPECT_EQ(readPixelArray8(&rp, 17, 1, 19, 2, back), 6);
  EXPECT_EQ(std::vector<uint8_t>(back, back + 6), std::vector<uint8_t>(pens, pens + 6));
  EXPECT_EQ(bm->Pixels[2 * 20 + 19], 6u);

  BitMap* deep = AllocBitMap(2, 2, 32, BMF_CLEAR, nullptr);
  rp.BitMap = deep;
  const uint32_t argb[1] = {0x11223344};  // bytes as stored, whatever the machine's order
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(argb);
  EXPECT_EQ(rtgWritePixelArray(&rp, 1, 1, 1, 1, argb), 1u);
  EXPECT_EQ(deep->Pixels[3], (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3]);
  uint32_t read[4] = {};
  EXPECT_EQ(rtgReadPixelArray(&rp, 0, 0, 1, 1, read), 4u);
  EXPECT_EQ(read[3], argb[0]);

  SetAPen(&rp, 3);
  EXPECT_EQ(getRPAttrsFGCOLOR(&rp), PenARGB(3) & 0xFFFFFF);

  BitMap* mask = allocMaskBitMap(9, 2, false);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(getBitMapDepth(mask), 1);
  EXPECT_EQ(allocMaskBitMap(0, 2, true), nullptr);
  freeMaskBitMap(mask);

  expectError("EPU",
              "pAmigaRTG; rtgBltBitMapAlpha(); this should not have been called as rtgAlphaSupported() returns FALSE",
              [&] { rtgBltBitMapAlpha(bm, 0, 0, deep, 0, 0, 1, 1); });
  FreeBitMap(bm);
  FreeBitMap(deep);
}

// An 8SVX file: VHDR with the rate, BODY of `samples` bytes.
std::vector<uint8_t> svxFile(uint32_t samples, uint16_t rate, uint8_t compression = 0) {
  auto put32 = [](std::vector<uint8_t>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
  };
  std::vector<uint8_t> form{'8', 'S', 'V', 'X', 'V', 'H', 'D', 'R'};
  put32(form, 20);
  put32(form, samples);
  put32(form, 0);
  put32(form, 32);
  form.insert(form.end(), {uint8_t(rate >> 8), uint8_t(rate), 1, compression, 0, 1, 0, 0});
  form.insert(form.end(), {'B', 'O', 'D', 'Y'});
  put32(form, samples);
  form.insert(form.end(), samples, 0x40);
  if (samples & 1) form.push_back(0);
  std::vector<uint8_t> out{'F', 'O', 'R', 'M'};
  put32(out, uint32_t(form.size()));
  out.insert(out.end(), form.begin(), form.end());
  return out;
}

TEST_F(BitmapUtilities, SoundLengthsComeFromReal8svxFilesAndARateOfZeroGivesZero) {
  DosSandbox box;
  struct Case {
    uint32_t samples;
    uint16_t rate;
    uint8_t compression;
    int32_t seconds;
  };
  const Case cases[] = {{16000, 8000, 0, 2}, {16001, 8000, 0, 2}, {7999, 8000, 0, 0},
                        {22050, 0, 0, 0},    {8002, 2000, 1, 8}};
  for (const Case& c : cases) {
    writeBytes(box.host("s.8svx"), svxFile(c.samples, c.rate, c.compression));
    const TagItem tags[] = {{DTA_GroupID, GID_SOUND}, {TAG_DONE, 0}};
    Object* sound = NewDTObjectA("Sandbox:s.8svx", tags);
    ASSERT_NE(sound, nullptr) << c.samples;
    EXPECT_EQ(lengthOfSoundDT(sound), c.seconds) << c.samples << " at " << c.rate;
    EXPECT_EQ(bitsPerSampleOfSoundDT(sound), 8);
    DisposeDTObject(sound);
  }
  // A sound is no picture, and a cut sound no sound.
  writeBytes(box.host("s.8svx"), svxFile(100, 8000));
  const TagItem picture[] = {{DTA_GroupID, GID_PICTURE}, {TAG_DONE, 0}};
  EXPECT_EQ(NewDTObjectA("Sandbox:s.8svx", picture), nullptr);
  std::vector<uint8_t> cut = svxFile(100, 8000);
  cut.resize(cut.size() - 10);
  writeBytes(box.host("cut.8svx"), cut);
  EXPECT_EQ(NewDTObjectA("Sandbox:cut.8svx", nullptr), nullptr);
}

}  // namespace

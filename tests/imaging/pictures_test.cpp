#include "imaging/pictures.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/exception.h"
#include "os/exec/exec.h"
#include "platform/system_libraries.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"
#include "tests/support/info_file.h"
#include "tests/support/picture_files.h"

namespace {

class Pictures : public ::testing::Test {
 protected:
  void SetUp() override {
    new_pamigadatatypes();
    new_pamigaicon();
    ostest::resetGraphics();
    bitmaps_ = ostest::liveBitMaps();
    objects_ = ostest::livePictureObjects();
    icons_ = ostest::liveDiskObjects();
    screen_ = LockPubScreen(nullptr);
    paletteScreen_.RastPort.BitMap = AllocBitMap(64, 64, 8, BMF_CLEAR | BMF_DISPLAYABLE, nullptr);
  }
  void TearDown() override {
    FreeBitMap(paletteScreen_.RastPort.BitMap);
    UnlockPubScreen(nullptr, screen_);
    EXPECT_EQ(ostest::liveBitMaps(), bitmaps_);
    EXPECT_EQ(ostest::livePictureObjects(), objects_);
    EXPECT_EQ(ostest::liveDiskObjects(), icons_);
    end_pamigaicon();
    end_pamigadatatypes();
    ostest::restoreLibraries();
  }
  // An ILBM of 2 planes, 6 by 4, pens 0..3 in turn.
  void writeSmallIlbm(const std::string& relative) {
    IlbmFile f;
    f.width = 6;
    f.height = 4;
    f.planes = 2;
    f.cmap = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    for (int i = 0; i < 24; ++i) f.pixels.push_back(uint32_t(i % 4));
    writeBytes(box_.host(relative), f.bytes());
  }

  DosSandbox box_;
  Screen* screen_ = nullptr;
  Screen paletteScreen_{};
  size_t bitmaps_ = 0;
  int32_t objects_ = 0, icons_ = 0;
};

TEST_F(Pictures, APictureIsLaidOutForTheScreenItIsFor) {
  writeSmallIlbm("small.iff");
  writeBytes(box_.host("deep.png"), pngFile(3, 2, std::vector<uint32_t>(6, 0xFF123456)));
  struct Case {
    const char* path;
    Screen* screen;
    bool noRemap;
    int depth;  // of the bitmap made
  };
  const Case cases[] = {
      {"Sandbox:small.iff", nullptr, false, 32},
      {"Sandbox:small.iff", screen_, false, 32},
      {"Sandbox:small.iff", &paletteScreen_, false, 8},
      {"Sandbox:small.iff", &paletteScreen_, true, 8},  // a shallow picture keeps the friend bitmap
      {"Sandbox:deep.png", &paletteScreen_, true, 32},  // a deep one does not
      {"Sandbox:deep.png", &paletteScreen_, false, 8},
  };
  for (const Case& c : cases) {
    PictureResults r;
    Object* o = loadPicture(c.path, c.screen, c.noRemap, &r);
    ASSERT_NE(o, nullptr) << c.path;
    ASSERT_NE(r.bitmap, nullptr);
    ASSERT_NE(r.header, nullptr);
    EXPECT_EQ(getBitMapDepth(r.bitmap), c.depth) << c.path << " noRemap " << c.noRemap;
    EXPECT_EQ(r.bitmap->Width, r.header->bmh_Width);
    if (c.depth == 32 && std::string(c.path) == "Sandbox:small.iff") {
      EXPECT_EQ(r.bitmap->Pixels[5], 0xFFFF0000u);
    }
    DisposeDTObject(o);
  }
}

TEST_F(Pictures, WhatGivesNoPictureGivesNilAndLeavesNothingBehind) {
  writeSmallIlbm("small.iff");
  box_.writeFile("text.iff", "FORM? no");
  const std::vector<std::function<void()>> failures = {
      [] {},
      [] { ostest::nextPictureWithoutDestBitMap(); },
      // The header is missing: it must not be read (the noRemap path reads it first).
      [] { ostest::nextPictureWithoutHeader(); },
      [] { ostest::failNextAllocBitMap(); },
  };
  for (size_t i = 0; i < failures.size(); ++i) {
    for (const char* path : {"Sandbox:small.iff", "Sandbox:text.iff", "Sandbox:none.iff"}) {
      const bool good = std::string(path) == "Sandbox:small.iff";
      failures[i]();
      PictureResults r;
      Object* o = loadPicture(path, &paletteScreen_, true, &r);
      EXPECT_EQ(o != nullptr, good && i == 0) << path << " case " << i;
      EXPECT_EQ(r.bitmap != nullptr, o != nullptr);
      EXPECT_EQ(r.header != nullptr, o != nullptr);
      DisposeDTObject(o);
      ostest::resetGraphics();
      // A hook that was not used up by a file that never became an object
      // must not hit the next case.
      if (!good && i > 0) {
        Object* spent = loadPicture("Sandbox:small.iff", nullptr, false);
        DisposeDTObject(spent);
      }
    }
  }
}

TEST_F(Pictures, AnIconRectangleFromMinusTwoMinusOneGivesA48By42Bitmap) {
  InfoFile f;
  InfoImage im;
  im.left = -2;
  im.top = -1;
  im.width = 48;
  im.height = 42;
  im.depth = 2;
  im.pixels.assign(48 * 42, 1);
  im.pixels[0] = 3;        // the top left corner
  im.pixels[48 + 1] = 0;   // see-through
  f.image = im;
  ASSERT_TRUE(f.writeTo(box_.host("Game.info")));
  IconResults r;
  BitMap* bm = loadIcon("Sandbox:Game", screen_, true, &r);
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(r.width, 48);
  EXPECT_EQ(r.mask, nullptr);
  EXPECT_EQ(GetBitMapAttr(bm, BMA_WIDTH), 48u);
  EXPECT_EQ(GetBitMapAttr(bm, BMA_HEIGHT), 42u);
  EXPECT_EQ(GetBitMapAttr(bm, BMA_FLAGS), 0xB000092u);  // ARGB32, displayable, minimal planes
  EXPECT_EQ(bm->Pixels[0], ICON_PALETTE_ARGB[3]);
  EXPECT_EQ(bm->Pixels[1], ICON_PALETTE_ARGB[1]);
  EXPECT_EQ(bm->Pixels[48 + 1], PEN0_ARGB);  // the cleared bitmap shows through
  EXPECT_EQ(ostest::bitMapAllocation(ostest::bitMapAllocationCount() - 1).friendBitMap, screen_->RastPort.BitMap);
  FreeBitMap(bm);
}

TEST_F(Pictures, AColourIconDrawsItsColourImageOnAScreenOfEitherKind) {
  InfoFile f;
  ColourIconForm form;
  form.width = 3;
  form.height = 1;
  ColourImage im;
  im.pens = {1, 0, 2};
  im.palette = {0x000000, 0xFFFFFF, 0x0000FF};
  im.transparent = 0;
  im.depth = 2;
  form.images = {im};
  f.colourImages = form.bytes();
  ASSERT_TRUE(f.writeTo(box_.host("Colour.info")));
  IconResults r;
  BitMap* deep = loadIcon("Sandbox:Colour", screen_, false, &r);
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(r.width, 3);
  EXPECT_EQ(std::vector<uint32_t>(deep->Pixels, deep->Pixels + 3),
            (std::vector<uint32_t>{0xFFFFFFFF, PEN0_ARGB, 0xFF0000FF}));
  BitMap* pens = loadIcon("Sandbox:Colour", &paletteScreen_, false);
  ASSERT_NE(pens, nullptr);
  EXPECT_EQ(getBitMapDepth(pens), 8);
  EXPECT_EQ(GetBitMapAttr(pens, BMA_FLAGS), BMF_DISPLAYABLE);
  EXPECT_EQ(std::vector<uint32_t>(pens->Pixels, pens->Pixels + 3),
            (std::vector<uint32_t>{NearestPen(0xFFFFFFFF, 8), 0u, NearestPen(0xFF0000FF, 8)}));
  FreeBitMap(deep);
  FreeBitMap(pens);
}

TEST_F(Pictures, AnErrorWhileDrawingAnIconFreesTheIconToo) {
  InfoFile f;
  ASSERT_TRUE(f.writeTo(box_.host("Game.info")));
  expectError("EPU", "pAmigaIcon; icon2bitmap(); screen=NIL", [] { loadIcon("Sandbox:Game", nullptr, false); });
  // TearDown checks that no icon, bitmap or object is left.
}

TEST_F(Pictures, NoIconOrNoIconLibraryGivesNil) {
  InfoFile f;
  ASSERT_TRUE(f.writeTo(box_.host("Game.info")));
  IconResults r{7, nullptr};
  EXPECT_EQ(loadIcon("Sandbox:Nothing", screen_, false, &r), nullptr);
  EXPECT_EQ(r.width, 0);
  end_pamigaicon();
  Library* saved = IconBase;
  IconBase = nullptr;
  EXPECT_EQ(loadIcon("Sandbox:Game", screen_, false), nullptr);
  IconBase = saved;
}

TEST_F(Pictures, ScalingWithDyZeroNeedsNoTemporaryBitmapWithDyFiveOneOfDwByDh) {
  BitMap* src = AllocBitMap(4, 4, 8, BMF_CLEAR, nullptr);
  for (int i = 0; i < 16; ++i) src->Pixels[i] = uint32_t(i);
  BitMap* dst = AllocBitMap(20, 20, 8, BMF_CLEAR | BMF_DISPLAYABLE, nullptr);
  ostest::resetGraphics();
  bitMapScale(src, 0, 0, 4, 4, dst, 3, 0, 8, 8, 8, false);
  EXPECT_EQ(ostest::bitMapAllocationCount(), 0u);
  EXPECT_EQ(dst->Pixels[0 * 20 + 3], 0u);
  EXPECT_EQ(dst->Pixels[7 * 20 + 10], 15u);

  bitMapScale(src, 0, 0, 4, 4, dst, 2, 5, 6, 7, 8, false);
  ASSERT_EQ(ostest::bitMapAllocationCount(), 1u);
  const ostest::BitMapAllocation temporary = ostest::bitMapAllocation(0);
  EXPECT_EQ(temporary.width, 6u);
  EXPECT_EQ(temporary.height, 7u);
  EXPECT_EQ(temporary.depth, 8u);
  EXPECT_EQ(temporary.flags, BMF_MINPLANES);  // the destination's, not displayable
  EXPECT_EQ(temporary.friendBitMap, dst);
  EXPECT_EQ(dst->Pixels[5 * 20 + 2], 0u);
  EXPECT_EQ(dst->Pixels[11 * 20 + 7], 15u);

  // A deep source is scaled straight in, whatever dy.
  BitMap* deepSrc = AllocBitMap(2, 2, 32, 0, nullptr);
  BitMap* deepDst = AllocBitMap(8, 8, 32, 0xB000093, nullptr);
  ostest::resetGraphics();
  bitMapScale(deepSrc, 0, 0, 2, 2, deepDst, 0, 5, 2, 2, 32, true);
  EXPECT_EQ(ostest::bitMapAllocationCount(), 0u);
  bitMapScaleClassic_pamigartg(deepSrc, 0, 0, 2, 2, deepDst, 0, 5, 2, 2, 32);
  ASSERT_EQ(ostest::bitMapAllocationCount(), 1u);
  EXPECT_EQ(ostest::bitMapAllocation(0).flags, 0xB000090u);
  for (BitMap* b : {src, dst, deepSrc, deepDst}) FreeBitMap(b);
}

TEST_F(Pictures, TheFriendBitmapRuleByScreenDepth) {
  BitMap* friend24 = AllocBitMap(4, 4, 24, BMF_DISPLAYABLE | BMF_INTERLEAVED, nullptr);
  struct Case {
    int depth;
    BitMap* friendBitMap;
    uint32_t flags;
  };
  const Case cases[] = {
      {4, nullptr, BMF_CLEAR | BMF_DISPLAYABLE},
      {8, friend24, BMF_CLEAR | BMF_DISPLAYABLE},
      {32, friend24, 0xB000093},
      {24, nullptr, 0x9000093},
      {24, friend24, BMF_DISPLAYABLE | BMF_INTERLEAVED | BMF_CLEAR | BMF_MINPLANES},
  };
  for (const Case& c : cases) {
    ostest::resetGraphics();
    BitMap* bm = allocFriendBitMap(10, 5, c.depth, c.friendBitMap);
    ASSERT_NE(bm, nullptr) << c.depth;
    const ostest::BitMapAllocation a = ostest::bitMapAllocation(0);
    EXPECT_EQ(a.flags, c.flags) << c.depth;
    EXPECT_EQ(a.depth, uint32_t(c.depth));
    EXPECT_EQ(a.friendBitMap, c.friendBitMap);
    FreeBitMap(bm);
  }
  EXPECT_EQ(allocFriendBitMap(0, 5, 8, nullptr), nullptr);
  freeMaskBitMap(nullptr);
  FreeBitMap(friend24);
}

TEST_F(Pictures, WithoutDataTypesStartUpEndsWithReturnCodeTen) {
  end_pamigadatatypes();
  Library* saved = DataTypesBase;
  DataTypesBase = nullptr;
  ostest::markLibraryMissing("datatypes.library");
  try {
    new_pamigadatatypes();
    ADD_FAILURE() << "start-up went on";
  } catch (const Exception& e) {
    EXPECT_EQ(e.id(), ORDERLY_EXIT_ID);
    EXPECT_EQ(e.exitCode(), 10);
  }
  DataTypesBase = saved;
}

}  // namespace

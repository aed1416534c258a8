#include "os/icon/colour_icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "os/icon/icon_format.h"
#include "tests/support/info_file.h"

namespace {

ColourIconForm twoImages(bool packed) {
  ColourIconForm form;
  form.width = 3;
  form.height = 2;
  ColourImage normal;
  normal.pens = {0, 1, 2, 2, 2, 3};
  normal.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  normal.transparent = 0;
  normal.depth = 2;
  normal.packed = packed;
  ColourImage selected;  // no palette: the normal image's
  selected.pens = {3, 3, 3, 1, 1, 1};
  selected.depth = 2;
  selected.packed = packed;
  form.images = {normal, selected};
  return form;
}

TEST(ColourIcon, ImagesUnpackToTheirPalettesPackedOrNot) {
  for (bool packed : {true, false}) {
    const std::vector<uint8_t> bytes = twoImages(packed).bytes();
    ColourIcon icon;
    ASSERT_TRUE(ColourIconReader::read(bytes.data(), bytes.size(), &icon)) << packed;
    EXPECT_EQ(icon.width, 3);
    EXPECT_EQ(icon.height, 2);
    EXPECT_EQ(icon.imageCount, 2);
    EXPECT_EQ(icon.argb[0], (std::vector<uint32_t>{0x00000000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00, 0xFF00FF00,
                                                   0xFF0000FF}));
    EXPECT_EQ(icon.argb[1], (std::vector<uint32_t>{0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000, 0xFFFF0000,
                                                   0xFFFF0000}));
  }
}

TEST(ColourIcon, TheColourImagesOfAClassicIconWinOverItsPlanarOnes) {
  InfoFile f;
  f.defaultTool = "Tool";
  f.colourImages = twoImages(true).bytes();
  const std::vector<uint8_t> bytes = f.bytes();
  DiskObject* icon = parseDiskObject(bytes.data(), bytes.size());
  ASSERT_NE(icon, nullptr);
  IconPixels px;
  ASSERT_TRUE(GetIconPixels(icon, true, &px));
  EXPECT_EQ(px.width, 3);
  EXPECT_EQ(px.argb[0], 0xFF0000FFu);
  FreeDiskObject(icon);

  // A broken colour part leaves the classic icon as it is.
  f.colourImages.resize(f.colourImages.size() - 3);
  const std::vector<uint8_t> cut = f.bytes();
  icon = parseDiskObject(cut.data(), cut.size());
  ASSERT_NE(icon, nullptr);
  EXPECT_STREQ(icon->do_DefaultTool, "Tool");
  ASSERT_TRUE(GetIconPixels(icon, false, &px));
  EXPECT_EQ(px.width, f.image->width);
  FreeDiskObject(icon);
}

TEST(ColourIcon, EveryTruncationAndHostileFieldIsRefused) {
  const std::vector<uint8_t> good = twoImages(true).bytes();
  for (size_t n = 0; n < good.size(); ++n) {
    ColourIcon icon;
    ASSERT_FALSE(ColourIconReader::read(good.data(), n, &icon)) << "cut at " << n;
  }
  struct Case {
    const char* what;
    size_t at;  // offset of the byte to change
    uint8_t value;
  };
  // FORM(12) FACE(8 + 6) IMAG(8): transparent, colours, flags, image packing,
  // palette packing, depth, image bytes (2), palette bytes (2).
  const size_t imag = 12 + 14 + 8;
  const Case cases[] = {
      {"depth 0", imag + 5, 0},          {"depth 9", imag + 5, 9},
      {"packing 2", imag + 3, 2},        {"image bytes past the chunk", imag + 6, 0x40},
      {"palette bytes past the chunk", imag + 8, 0x40},
      {"no palette at all", imag + 2, 0},
      {"FACE too short", 12 + 7, 5},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    bytes[c.at] = c.value;
    ColourIcon icon;
    EXPECT_FALSE(ColourIconReader::read(bytes.data(), bytes.size(), &icon)) << c.what;
  }
  // A second FACE between the images would give them two sizes.
  {
    std::vector<uint8_t> twoFaces = good;
    const std::vector<uint8_t> face(good.begin() + 12, good.begin() + 26);
    std::vector<uint8_t> bigger = face;
    bigger[8] = 0;  // 1 by 1: the second image's data would be enough for it
    bigger[9] = 0;
    const char* imagId = "IMAG";
    const auto first = std::search(good.begin(), good.end(), imagId, imagId + 4);
    const auto second = std::search(first + 4, good.end(), imagId, imagId + 4);
    twoFaces.insert(twoFaces.begin() + (second - good.begin()), bigger.begin(), bigger.end());
    const uint32_t form = uint32_t(twoFaces.size() - 8);
    for (int i = 0; i < 4; ++i) twoFaces[4 + i] = uint8_t(form >> (24 - 8 * i));
    ColourIcon icon;
    EXPECT_FALSE(ColourIconReader::read(twoFaces.data(), twoFaces.size(), &icon));
  }
  // A packed image whose data ends before its last pixel.
  ColourIconForm shortData = twoImages(true);
  shortData.images.resize(1);
  shortData.images[0].pens = std::vector<uint8_t>(6, 1);
  std::vector<uint8_t> bytes = shortData.bytes();
  ColourIcon icon;
  ASSERT_TRUE(ColourIconReader::read(bytes.data(), bytes.size(), &icon));
  shortData.height = 3;  // now 9 pixels are wanted from data for 6
  bytes = shortData.bytes();
  EXPECT_FALSE(ColourIconReader::read(bytes.data(), bytes.size(), &icon));
}

}  // namespace

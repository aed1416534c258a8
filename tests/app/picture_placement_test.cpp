// Where pictures of every shape land in the 160 by 128 picture area.
#include "app/items/picture_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(PicturePlacement, PicturesAreShrunkDoubledOrCentredInTheArea) {
  struct Case {
    const char* name;
    int32_t w, h;
    PictureDrawing drawing;
    int32_t x, y, width, height;
  } cases[] = {
      {"80x64 is doubled and fills the area", 80, 64, PictureDrawing::Double, 0, 0, 160, 128},
      {"100x50 is copied, centred", 100, 50, PictureDrawing::Copy, 30, 39, 100, 50},
      {"320x256: equal ratios, the height rules", 320, 256, PictureDrawing::Shrink, 0, 0, 160, 128},
      {"640x200: the width rules", 640, 200, PictureDrawing::Shrink, 0, 39, 160, 50},
      {"200x640: the height rules", 200, 640, PictureDrawing::Shrink, 60, 0, 40, 128},
      {"the area's own size is copied", 160, 128, PictureDrawing::Copy, 0, 0, 160, 128},
      {"one pixel too wide is shrunk", 161, 128, PictureDrawing::Shrink, 0, 0, 160, 127},
      {"a factor of 3 is held at 2", 40, 30, PictureDrawing::Double, 40, 34, 80, 60},
      {"one pixel is doubled", 1, 1, PictureDrawing::Double, 79, 63, 2, 2},
      // A very thin picture keeps a row (or column) of at least one pixel.
      {"1000x1 keeps one row", 1000, 1, PictureDrawing::Shrink, 0, 63, 160, 1},
      {"1x1000 keeps one column", 1, 1000, PictureDrawing::Shrink, 79, 0, 1, 128},
  };
  for (const Case& c : cases) {
    PicturePlacement p;
    ASSERT_TRUE(placePicture(c.w, c.h, 160, 128, &p)) << c.name;
    EXPECT_EQ(p.drawing, c.drawing) << c.name;
    EXPECT_EQ(p.x, c.x) << c.name;
    EXPECT_EQ(p.y, c.y) << c.name;
    EXPECT_EQ(p.width, c.width) << c.name;
    EXPECT_EQ(p.height, c.height) << c.name;
  }
}

TEST(PicturePlacement, NothingIsPlacedWithoutPixelsOrRoom) {
  const int32_t sizes[][4] = {{0, 50, 160, 128}, {50, 0, 160, 128}, {0, 0, 160, 128}, {-5, 10, 160, 128},
                              {10, 10, 0, 128},  {10, 10, 160, 0}};
  for (const auto& s : sizes) {
    PicturePlacement p;
    p.x = 77;
    EXPECT_FALSE(placePicture(s[0], s[1], s[2], s[3], &p)) << s[0] << "x" << s[1] << " in " << s[2] << "x" << s[3];
    EXPECT_EQ(p.x, 77);  // untouched
  }
}

}  // namespace

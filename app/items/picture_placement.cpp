#include "app/items/picture_placement.h"

#include <algorithm>

bool placePicture(int32_t width, int32_t height, int32_t areaWidth, int32_t areaHeight, PicturePlacement* placement) {
  if (width < 1 || height < 1 || areaWidth < 1 || areaHeight < 1) return false;
  PicturePlacement p;
  if (width > areaWidth || height > areaHeight) {
    // The side with the larger ratio fills the area; the other is cut to the
    // same scale (single precision, truncated) and kept at least one pixel.
    const float rx = float(width) / float(areaWidth);
    const float ry = float(height) / float(areaHeight);
    p.drawing = PictureDrawing::Shrink;
    if (rx <= ry) {
      p.height = areaHeight;
      p.width = std::clamp(static_cast<int32_t>(float(width) / ry), int32_t{1}, areaWidth);
      p.x = (areaWidth - p.width) / 2;
    } else {
      p.width = areaWidth;
      p.height = std::clamp(static_cast<int32_t>(float(height) / rx), int32_t{1}, areaHeight);
      p.y = (areaHeight - p.height) / 2;
    }
  } else {
    const int32_t factor = std::min({areaWidth / width, areaHeight / height, int32_t{2}});
    p.drawing = factor == 2 ? PictureDrawing::Double : PictureDrawing::Copy;
    p.width = width * factor;
    p.height = height * factor;
    p.x = (areaWidth - p.width) / 2;
    p.y = (areaHeight - p.height) / 2;
  }
  *placement = p;
  return true;
}

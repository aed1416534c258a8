// Where a picture goes in the fixed-size picture area: a picture larger than
// the area is shrunk keeping its aspect ratio and centred across; a smaller
// one is doubled when twice its size still fits, else shown at its own size;
// either is centred.
#pragma once
#include <cstdint>

enum class PictureDrawing { Shrink, Double, Copy };

struct PicturePlacement {
  int32_t x = 0, y = 0;           // the picture's top left corner in the area
  int32_t width = 0, height = 0;  // the size it is drawn at, never below 1
  PictureDrawing drawing = PictureDrawing::Copy;
};

// The placement of a picture of width by height in an area of areaWidth by
// areaHeight. FALSE (and *placement untouched) when the picture or the area
// has a side below 1: there is nothing to show or nowhere to show it.
bool placePicture(int32_t width, int32_t height, int32_t areaWidth, int32_t areaHeight, PicturePlacement* placement);

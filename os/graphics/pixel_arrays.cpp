#include <algorithm>

#include "os/graphics/graphics.h"
#include "os/graphics/pixel_conversion.h"

namespace {

// The part of a width by height rectangle at (x, y) that lies inside the bitmap.
bool insideRows(const BitMap* bm, int64_t x, int64_t y, int64_t& width, int64_t& height) {
  if (!bm || x >= bm->Width || y >= bm->Height) return false;
  width = std::min<int64_t>(width, bm->Width - x);
  height = std::min<int64_t>(height, bm->Height - y);
  return width > 0 && height > 0;
}

uint32_t loadARGB(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
void storeARGB(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24);
  p[1] = uint8_t(v >> 16);
  p[2] = uint8_t(v >> 8);
  p[3] = uint8_t(v);
}

}  // namespace

uint32_t ReadPixelArray(void* dst, uint16_t dstX, uint16_t dstY, uint16_t dstMod, RastPort* rp, uint16_t x,
                        uint16_t y, uint16_t width, uint16_t height, uint8_t format) {
  if (!dst || !rp || format != RECTFMT_ARGB) return 0;
  const BitMap* bm = rp->BitMap;
  int64_t w = width, h = height;
  if (!insideRows(bm, x, y, w, h)) return 0;
  PixelConversion toColour(bm->Depth, 32);
  for (int64_t row = 0; row < h; ++row) {
    uint8_t* out = static_cast<uint8_t*>(dst) + size_t(dstY + row) * dstMod + size_t(dstX) * 4;
    const uint32_t* in = bm->Pixels + size_t(y + row) * bm->Width + x;
    for (int64_t i = 0; i < w; ++i) storeARGB(out + 4 * i, toColour(in[i]));
  }
  return static_cast<uint32_t>(w * h);
}

uint32_t WritePixelArray(const void* src, uint16_t srcX, uint16_t srcY, uint16_t srcMod, RastPort* rp,
                         uint16_t x, uint16_t y, uint16_t width, uint16_t height, uint8_t format) {
  if (!src || !rp || format != RECTFMT_ARGB) return 0;
  BitMap* bm = rp->BitMap;
  int64_t w = width, h = height;
  if (!insideRows(bm, x, y, w, h)) return 0;
  PixelConversion fromColour(32, bm->Depth);
  for (int64_t row = 0; row < h; ++row) {
    const uint8_t* in = static_cast<const uint8_t*>(src) + size_t(srcY + row) * srcMod + size_t(srcX) * 4;
    uint32_t* out = bm->Pixels + size_t(y + row) * bm->Width + x;
    for (int64_t i = 0; i < w; ++i) out[i] = fromColour(loadARGB(in + 4 * i));
  }
  return static_cast<uint32_t>(w * h);
}

int32_t ReadPixelArray8(RastPort* rp, uint32_t xStart, uint32_t yStart, uint32_t xStop, uint32_t yStop,
                        uint8_t* array, RastPort* tempRP) {
  if (!rp || !array || !tempRP || xStop < xStart || yStop < yStart) return 0;
  const BitMap* bm = rp->BitMap;
  int64_t w = int64_t(xStop) - xStart + 1, h = int64_t(yStop) - yStart + 1;
  const int64_t rowLength = w;
  if (!insideRows(bm, xStart, yStart, w, h)) return 0;
  PixelConversion toPen(bm->Depth, 8);
  for (int64_t row = 0; row < h; ++row) {
    const uint32_t* in = bm->Pixels + size_t(yStart + row) * bm->Width + xStart;
    for (int64_t i = 0; i < w; ++i) array[row * rowLength + i] = static_cast<uint8_t>(toPen(in[i]));
  }
  return static_cast<int32_t>(w * h);
}

int32_t WritePixelArray8(RastPort* rp, uint32_t xStart, uint32_t yStart, uint32_t xStop, uint32_t yStop,
                         const uint8_t* array, RastPort* tempRP) {
  if (!rp || !array || !tempRP || xStop < xStart || yStop < yStart) return 0;
  BitMap* bm = rp->BitMap;
  int64_t w = int64_t(xStop) - xStart + 1, h = int64_t(yStop) - yStart + 1;
  const int64_t rowLength = w;
  if (!insideRows(bm, xStart, yStart, w, h)) return 0;
  PixelConversion fromPen(8, bm->Depth);
  for (int64_t row = 0; row < h; ++row) {
    uint32_t* out = bm->Pixels + size_t(yStart + row) * bm->Width + xStart;
    for (int64_t i = 0; i < w; ++i) out[i] = fromPen(array[row * rowLength + i]);
  }
  return static_cast<int32_t>(w * h);
}

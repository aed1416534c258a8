#include <algorithm>

#include "os/graphics/graphics.h"
#include "os/graphics/pixel_conversion.h"

namespace {

constexpr uint8_t MINTERM_COPY = 0xC0;

// Narrows a rectangle at (x, y) of size w by h to the part inside 0..limit,
// moving the other side's origin (*other) along with it.
void clipAxis(int32_t& x, int32_t& other, int32_t& w, int32_t limit) {
  if (x < 0) {
    w += x;
    other -= x;
    x = 0;
  }
  if (x + static_cast<int64_t>(w) > limit) w = limit - x;
}

}  // namespace

int32_t BltBitMap(const BitMap* src, int32_t srcX, int32_t srcY, BitMap* dst, int32_t dstX, int32_t dstY,
                  int32_t width, int32_t height, uint8_t minterm, uint8_t mask, void*) {
  if (!src || !dst || minterm != MINTERM_COPY || width <= 0 || height <= 0) return 0;
  if ((src->Depth > 8) != (dst->Depth > 8)) return 0;
  clipAxis(srcX, dstX, width, src->Width);
  clipAxis(srcY, dstY, height, src->Height);
  clipAxis(dstX, srcX, width, dst->Width);
  clipAxis(dstY, srcY, height, dst->Height);
  if (width <= 0 || height <= 0) return 0;
  const bool deep = dst->Depth > 8;
  const uint32_t planes = deep ? 0xFFFFFFFFu : (mask & ((1u << dst->Depth) - 1));
  // Rows are copied front to back or back to front so that an overlapping
  // copy inside one bitmap reads nothing it already wrote.
  const bool backwards = src == dst && (dstY > srcY || (dstY == srcY && dstX > srcX));
  for (int32_t i = 0; i < height; ++i) {
    const int32_t row = backwards ? height - 1 - i : i;
    const uint32_t* from = src->Pixels + size_t(srcY + row) * src->Width + srcX;
    uint32_t* to = dst->Pixels + size_t(dstY + row) * dst->Width + dstX;
    for (int32_t k = 0; k < width; ++k) {
      const int32_t x = backwards ? width - 1 - k : k;
      to[x] = (from[x] & planes) | (to[x] & ~planes);
    }
  }
  return deep ? dst->Depth : __builtin_popcount(planes);
}

void BitMapScale(BitScaleArgs* a) {
  if (!a || !a->bsa_SrcBitMap || !a->bsa_DestBitMap) return;
  a->bsa_DestWidth = 0;
  a->bsa_DestHeight = 0;
  if (!a->bsa_XSrcFactor || !a->bsa_YSrcFactor || !a->bsa_XDestFactor || !a->bsa_YDestFactor) return;
  const BitMap* src = a->bsa_SrcBitMap;
  BitMap* dst = a->bsa_DestBitMap;
  const int64_t dw = int64_t(a->bsa_SrcWidth) * a->bsa_XDestFactor / a->bsa_XSrcFactor;
  const int64_t dh = int64_t(a->bsa_SrcHeight) * a->bsa_YDestFactor / a->bsa_YSrcFactor;
  a->bsa_DestWidth = static_cast<uint16_t>(std::min<int64_t>(dw, 0xFFFF));
  a->bsa_DestHeight = static_cast<uint16_t>(std::min<int64_t>(dh, 0xFFFF));
  PixelConversion convert(src->Depth, dst->Depth);
  for (int64_t y = 0; y < a->bsa_DestHeight; ++y) {
    const int64_t ty = a->bsa_DestY + y;
    if (ty >= dst->Height) break;
    const int64_t sy = a->bsa_SrcY + y * a->bsa_YSrcFactor / a->bsa_YDestFactor;
    if (sy >= src->Height) break;
    uint32_t* to = dst->Pixels + size_t(ty) * dst->Width;
    const uint32_t* from = src->Pixels + size_t(sy) * src->Width;
    for (int64_t x = 0; x < a->bsa_DestWidth; ++x) {
      const int64_t tx = a->bsa_DestX + x;
      if (tx >= dst->Width) break;
      const int64_t sx = a->bsa_SrcX + x * a->bsa_XSrcFactor / a->bsa_XDestFactor;
      if (sx >= src->Width) break;
      to[tx] = convert(from[sx]);
    }
  }
}

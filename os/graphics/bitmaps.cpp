#include <algorithm>
#include <array>
#include <vector>

#include "os/graphics/graphics.h"

namespace {

struct GraphicsState {
  bool failNextAlloc = false;
  std::vector<ostest::BitMapAllocation> allocations;
  size_t live = 0;
};

GraphicsState& state() {
  static GraphicsState s;
  return s;
}

// The hosted display's 256 pens: the four Workbench colours and four more
// first, then a grey ramp, a 6 x 6 x 6 colour cube and a second grey ramp.
std::array<uint32_t, 256> makePalette() {
  std::array<uint32_t, 256> p{};
  const uint32_t first[8] = {PEN0_ARGB,  0xFF000000, 0xFFFFFFFF, 0xFF6688BB,
                             0xFF999999, 0xFFBBBBBB, 0xFFBBAA99, 0xFFFFBBAA};
  for (int i = 0; i < 8; ++i) p[i] = first[i];
  auto grey = [](uint32_t v) { return 0xFF000000u | (v << 16) | (v << 8) | v; };
  for (int i = 8; i < 16; ++i) p[i] = grey(static_cast<uint32_t>((i - 8) * 255 / 7));
  for (int i = 16; i < 232; ++i) {
    const uint32_t c = static_cast<uint32_t>(i - 16);
    const uint32_t r = c / 36 * 51, g = c / 6 % 6 * 51, b = c % 6 * 51;
    p[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
  for (int i = 232; i < 256; ++i) p[i] = grey(static_cast<uint32_t>(8 + (i - 232) * 10));
  return p;
}

const std::array<uint32_t, 256>& palette() {
  static const std::array<uint32_t, 256> p = makePalette();
  return p;
}

}  // namespace

uint32_t PenARGB(uint32_t pen) { return palette()[pen & 0xFF]; }

uint8_t NearestPen(uint32_t argb, uint32_t depth) {
  const uint32_t pens = depth >= 8 ? 256 : (1u << depth);
  uint32_t best = 0, bestDistance = UINT32_MAX;
  for (uint32_t pen = 0; pen < pens; ++pen) {
    const uint32_t c = palette()[pen];
    uint32_t d = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int diff = static_cast<int>((argb >> shift) & 0xFF) - static_cast<int>((c >> shift) & 0xFF);
      d += static_cast<uint32_t>(diff * diff);
    }
    if (d < bestDistance) {
      bestDistance = d;
      best = pen;
    }
  }
  return static_cast<uint8_t>(best);
}

BitMap* AllocBitMap(uint32_t width, uint32_t height, uint32_t depth, uint32_t flags, const BitMap* friendBitMap) {
  GraphicsState& s = state();
  // The log is for tests; a long run keeps only its recent part.
  if (s.allocations.size() >= 4096) s.allocations.erase(s.allocations.begin(), s.allocations.begin() + 2048);
  s.allocations.push_back({width, height, depth, flags, friendBitMap});
  if (s.failNextAlloc) {
    s.failNextAlloc = false;
    return nullptr;
  }
  if (flags & BMF_SPECIALFMT) {
    const uint32_t format = flags >> 24;
    if (format == PIXFMT_ARGB32) depth = 32;
    else if (format == PIXFMT_RGB24) depth = 24;
  } else if (depth > 8 && friendBitMap && friendBitMap->Depth > 8) {
    depth = friendBitMap->Depth;
  }
  if (width < 1 || height < 1 || width > MAX_BITMAP_SIDE || height > MAX_BITMAP_SIDE) return nullptr;
  if (int64_t(width) * height > MAX_BITMAP_PIXELS) return nullptr;
  if (!((depth >= 1 && depth <= 8) || depth == 24 || depth == 32)) return nullptr;
  const size_t count = size_t(width) * height;
  auto* bm = new BitMap{static_cast<int32_t>(width), static_cast<int32_t>(height), static_cast<uint8_t>(depth),
                        flags & ~BMF_CLEAR, new uint32_t[count]};
  // Fresh memory is never handed out unfilled: a bitmap starts as pen 0
  // whether or not BMF_CLEAR was asked for.
  std::fill_n(bm->Pixels, count, depth > 8 ? PEN0_ARGB : 0u);
  ++s.live;
  return bm;
}

void FreeBitMap(BitMap* bm) {
  if (!bm) return;
  delete[] bm->Pixels;
  delete bm;
  --state().live;
}

uint32_t GetBitMapAttr(const BitMap* bm, uint32_t attribute) {
  if (!bm) return 0;
  switch (attribute) {
    case BMA_HEIGHT: return static_cast<uint32_t>(bm->Height);
    case BMA_DEPTH: return bm->Depth;
    case BMA_WIDTH: return static_cast<uint32_t>(bm->Width);
    case BMA_FLAGS: return bm->Flags;
    default: return 0;
  }
}

ColorMap* GetColorMap(int32_t count) {
  if (count < 1 || count > 256) return nullptr;
  auto* map = new ColorMap{static_cast<uint16_t>(count), new uint32_t[static_cast<size_t>(count)]};
  for (int32_t i = 0; i < count; ++i) map->ColorTable[i] = PenARGB(static_cast<uint32_t>(i));
  return map;
}

void FreeColorMap(ColorMap* map) {
  if (!map) return;
  delete[] map->ColorTable;
  delete map;
}

void SetRGB32CM(ColorMap* map, uint32_t n, uint32_t red, uint32_t green, uint32_t blue) {
  if (!map || n >= map->Count) return;
  map->ColorTable[n] = 0xFF000000u | ((red >> 24) << 16) | ((green >> 24) << 8) | (blue >> 24);
}

void ostest::failNextAllocBitMap() { state().failNextAlloc = true; }
size_t ostest::bitMapAllocationCount() { return state().allocations.size(); }
ostest::BitMapAllocation ostest::bitMapAllocation(size_t index) { return state().allocations.at(index); }
size_t ostest::liveBitMaps() { return state().live; }
void ostest::resetGraphics() {
  state().failNextAlloc = false;
  state().allocations.clear();
}

#include <algorithm>

#include "os/graphics/fixed_font.h"
#include "os/graphics/graphics.h"

namespace {

TextFont defaultFont{"fixed.font", FixedFont::CELL_HEIGHT, FixedFont::CELL_WIDTH, FixedFont::BASELINE};

// The value a pen leaves in the bitmap: the pen itself, or its colour.
uint32_t penValue(const BitMap* bm, uint32_t pen) {
  return bm->Depth > 8 ? PenARGB(pen) : pen & ((1u << bm->Depth) - 1);
}

void fillClipped(BitMap* bm, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t value) {
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, bm->Width - 1);
  y1 = std::min<int64_t>(y1, bm->Height - 1);
  for (int64_t y = y0; y <= y1; ++y)
    for (int64_t x = x0; x <= x1; ++x) bm->Pixels[size_t(y) * bm->Width + size_t(x)] = value;
}

}  // namespace

TextFont* DefaultFont() { return &defaultFont; }

void InitRastPort(RastPort* rp) {
  if (!rp) return;
  *rp = RastPort{};
  rp->DrawMode = JAM2;
  rp->FgPen = 1;
  SetFont(rp, &defaultFont);
}

void SetFont(RastPort* rp, TextFont* font) {
  if (!rp || !font) return;
  rp->Font = font;
  rp->TxHeight = font->tf_YSize;
  rp->TxWidth = font->tf_XSize;
  rp->TxBaseline = font->tf_Baseline;
}

void SetAPen(RastPort* rp, uint32_t pen) {
  if (rp) rp->FgPen = static_cast<uint8_t>(pen);
}
void SetBPen(RastPort* rp, uint32_t pen) {
  if (rp) rp->BgPen = static_cast<uint8_t>(pen);
}
void SetDrMd(RastPort* rp, uint32_t mode) {
  if (rp) rp->DrawMode = static_cast<uint8_t>(mode);
}
void Move(RastPort* rp, int16_t x, int16_t y) {
  if (!rp) return;
  rp->cp_x = x;
  rp->cp_y = y;
}

void SetRast(RastPort* rp, uint32_t pen) {
  if (!rp || !rp->BitMap) return;
  BitMap* bm = rp->BitMap;
  std::fill_n(bm->Pixels, size_t(bm->Width) * bm->Height, penValue(bm, pen));
}

void RectFill(RastPort* rp, int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
  if (!rp || !rp->BitMap) return;
  fillClipped(rp->BitMap, xMin, yMin, xMax, yMax, penValue(rp->BitMap, rp->FgPen));
}

int16_t TextLength(RastPort* rp, const char* text, uint32_t count) {
  if (!rp || !text) return 0;
  const int64_t width = int64_t(count) * (rp->Font ? rp->Font->tf_XSize : defaultFont.tf_XSize);
  return static_cast<int16_t>(std::min<int64_t>(width, INT16_MAX));
}

void Text(RastPort* rp, const char* text, uint32_t count) {
  if (!rp || !text) return;
  const int64_t top = int64_t(rp->cp_y) - FixedFont::BASELINE;
  int64_t x = rp->cp_x;
  for (uint32_t i = 0; i < count; ++i, x += FixedFont::CELL_WIDTH) {
    if (!rp->BitMap) continue;
    BitMap* bm = rp->BitMap;
    if (rp->DrawMode == JAM2)
      fillClipped(bm, x, top, x + FixedFont::CELL_WIDTH - 1, top + FixedFont::CELL_HEIGHT - 1,
                  penValue(bm, rp->BgPen));
    const unsigned char c = static_cast<unsigned char>(text[i]);
    for (int row = 0; row < FixedFont::GLYPH_ROWS; ++row)
      for (int column = 0; column < FixedFont::GLYPH_COLUMNS; ++column)
        if (FixedFont::dot(c, column, row)) {
          const int64_t px = x + 1 + column * FixedFont::DOT_SIZE, py = top + row * FixedFont::DOT_SIZE;
          fillClipped(bm, px, py, px + FixedFont::DOT_SIZE - 1, py + FixedFont::DOT_SIZE - 1,
                      penValue(bm, rp->FgPen));
        }
  }
  rp->cp_x = static_cast<int16_t>(std::clamp<int64_t>(x, INT16_MIN, INT16_MAX));
}

void GetRPAttrsA(RastPort* rp, const TagItem* tags) {
  if (!rp) return;
  TagItem* state = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&state)) {
    auto* out = reinterpret_cast<uint32_t*>(item->ti_Data);
    if (!out) continue;
    switch (item->ti_Tag) {
      case RPTAG_Font: *reinterpret_cast<TextFont**>(item->ti_Data) = rp->Font; break;
      case RPTAG_APen: *out = rp->FgPen; break;
      case RPTAG_BPen: *out = rp->BgPen; break;
      case RPTAG_DrMd: *out = rp->DrawMode; break;
      case RPTAG_FgColor: *out = PenARGB(rp->FgPen); break;
      case RPTAG_BgColor: *out = PenARGB(rp->BgPen); break;
      default: break;
    }
  }
}

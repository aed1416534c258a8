#include <algorithm>
#include <cstring>

#include "os/graphics/pixel_conversion.h"
#include "os/icon/icon.h"

namespace {

bool framed(const TagItem* tags) {
  return !GetTagData(ICONDRAWA_Borderless, 0, tags) && !GetTagData(ICONDRAWA_Frameless, 0, tags);
}

// A partly see-through colour over a pixel of a bitmap: the mix by its
// alpha, as the bitmap holds it (deep: opaque ARGB; with pens: the nearest).
uint32_t blendOnto(uint32_t pixel, uint32_t argb, uint8_t depth) {
  const bool deep = depth > 8;
  const uint32_t under = deep ? pixel : PenARGB(pixel);
  const uint32_t a = argb >> 24;
  uint32_t mixed = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t top = (argb >> shift) & 0xFF, bottom = (under >> shift) & 0xFF;
    mixed |= ((top * a + bottom * (255 - a) + 127) / 255) << shift;
  }
  return deep ? mixed : NearestPen(mixed, depth);
}

int32_t labelLength(RastPort* rp, const char* label) {
  return label ? TextLength(rp, label, static_cast<uint32_t>(std::strlen(label))) : 0;
}

// The image rectangle alone, and the whole rectangle with frame and label.
bool iconRectangles(RastPort* rp, const DiskObject* icon, bool selected, const char* label, const TagItem* tags,
                    IconPixels* px, Rectangle* image, Rectangle* whole) {
  if (!GetIconPixels(icon, selected, px) && !GetIconPixels(icon, false, px)) return false;
  *image = Rectangle{int16_t(px->left), int16_t(px->top), int16_t(px->left + px->width - 1),
                     int16_t(px->top + px->height - 1)};
  *whole = *image;
  if (framed(tags)) {
    whole->MinX -= ICON_FRAME;
    whole->MinY -= ICON_FRAME;
    whole->MaxX += ICON_FRAME;
    whole->MaxY += ICON_FRAME;
  }
  if (label && rp) {
    // The label stands centred below the icon, one pixel away.
    const int32_t width = labelLength(rp, label);
    const int32_t centre = (whole->MinX + whole->MaxX + 1) / 2;
    whole->MinX = int16_t(std::min<int32_t>(whole->MinX, centre - width / 2));
    whole->MaxX = int16_t(std::max<int32_t>(whole->MaxX, centre - width / 2 + width - 1));
    whole->MaxY = int16_t(whole->MaxY + 1 + rp->TxHeight);
  }
  return true;
}

}  // namespace

DiskObject* GetIconTagList(const char* name, const TagItem*) { return GetDiskObject(name); }

bool GetIconRectangleA(RastPort* rp, const DiskObject* icon, const char* label, Rectangle* rect,
                       const TagItem* tags) {
  if (!icon || !rect) return false;
  IconPixels px;
  Rectangle image;
  return iconRectangles(rp, icon, false, label, tags, &px, &image, rect);
}

void DrawIconStateA(RastPort* rp, const DiskObject* icon, const char* label, int32_t left, int32_t top,
                    uint32_t state, const TagItem* tags) {
  if (!rp || !rp->BitMap || !icon) return;
  BitMap* bm = rp->BitMap;
  IconPixels px;
  Rectangle image, whole;
  if (!iconRectangles(rp, icon, state == IDS_SELECTED, label, tags, &px, &image, &whole)) return;
  const uint8_t savedPen = rp->FgPen;
  if (GetTagData(ICONDRAWA_EraseBackground, 0, tags)) {
    SetAPen(rp, 0);
    RectFill(rp, left + whole.MinX, top + whole.MinY, left + whole.MaxX, top + whole.MaxY);
  }
  if (framed(tags)) {
    // A raised frame: light top and left, dark bottom and right.
    const int32_t x0 = left + image.MinX - ICON_FRAME, y0 = top + image.MinY - ICON_FRAME;
    const int32_t x1 = left + image.MaxX + ICON_FRAME, y1 = top + image.MaxY + ICON_FRAME;
    SetAPen(rp, 2);
    RectFill(rp, x0, y0, x1, y0);
    RectFill(rp, x0, y0, x0, y1);
    SetAPen(rp, 1);
    RectFill(rp, x0, y1, x1, y1);
    RectFill(rp, x1, y0, x1, y1);
  }
  if (px.argb) {
    PixelConversion convert(32, bm->Depth);
    for (int32_t y = 0; y < px.height; ++y) {
      const int64_t ty = int64_t(top) + px.top + y;
      if (ty < 0 || ty >= bm->Height) continue;
      for (int32_t x = 0; x < px.width; ++x) {
        const int64_t tx = int64_t(left) + px.left + x;
        if (tx < 0 || tx >= bm->Width) continue;
        const uint32_t argb = px.argb[size_t(y) * px.width + x];
        uint32_t& target = bm->Pixels[size_t(ty) * bm->Width + size_t(tx)];
        if (argb >> 24 == 0xFF) target = convert(argb);
        else if (argb >> 24) target = blendOnto(target, argb, bm->Depth);
      }
    }
  }
  if (label) {
    SetAPen(rp, 1);
    const uint8_t savedMode = rp->DrawMode;
    SetDrMd(rp, JAM1);
    const int32_t width = labelLength(rp, label);
    const int32_t centre = left + (image.MinX + image.MaxX + 1) / 2;
    const int32_t labelTop = top + image.MaxY + (framed(tags) ? ICON_FRAME : 0) + 2;
    Move(rp, int16_t(centre - width / 2), int16_t(labelTop + rp->TxBaseline));
    Text(rp, label, static_cast<uint32_t>(std::strlen(label)));
    SetDrMd(rp, savedMode);
  }
  SetAPen(rp, savedPen);
}

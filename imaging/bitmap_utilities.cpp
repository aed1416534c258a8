#include "imaging/bitmap_utilities.h"

#include "core/exception.h"
#include "imaging/pictures.h"
#include "os/datatypes/datatypes.h"
#include "os/dos/dos.h"

namespace {

// A rast port on a bitmap, for the pixel array calls.
RastPort portOn(BitMap* bm) {
  RastPort rp;
  InitRastPort(&rp);
  rp.BitMap = bm;
  return rp;
}

// Copies through 32-bit pixels: read as colours, written as colours (a
// bitmap with pens takes the nearest ones).
void copyThroughColours(BitMap* src, int32_t sx, int32_t sy, BitMap* dst, int32_t dx, int32_t dy, int32_t width,
                        int32_t height) {
  // Clip to the source first, so that the array holds only pixels read.
  if (sx < 0) { width += sx; dx -= sx; sx = 0; }
  if (sy < 0) { height += sy; dy -= sy; sy = 0; }
  if (dx < 0) { width += dx; sx -= dx; dx = 0; }
  if (dy < 0) { height += dy; sy -= dy; dy = 0; }
  if (width > src->Width - sx) width = src->Width - sx;
  if (height > src->Height - sy) height = src->Height - sy;
  if (width <= 0 || height <= 0 || dx >= dst->Width || dy >= dst->Height) return;
  RastPort from = portOn(src), to = portOn(dst);
  uint8_t* row = new uint8_t[size_t(width) * 4];
  for (int32_t y = 0; y < height; ++y) {
    ReadPixelArray(row, 0, 0, uint16_t(width * 4), &from, uint16_t(sx), uint16_t(sy + y), uint16_t(width), 1,
                   RECTFMT_ARGB);
    WritePixelArray(row, 0, 0, uint16_t(width * 4), &to, uint16_t(dx), uint16_t(dy + y), uint16_t(width), 1,
                    RECTFMT_ARGB);
  }
  delete[] row;
}

BitMap* cloneBitMap(BitMap* src, BitMap* friendBitMap, int32_t x, int32_t y, int32_t width, int32_t height,
                    RastPort* rp) {
  BitMap* from = rp && rp->BitMap ? rp->BitMap : src;
  if (!from) return nullptr;
  if (width == -1) width = from->Width;
  if (height == -1) height = from->Height;
  const int32_t depth = getBitMapDepth(friendBitMap ? friendBitMap : from);
  BitMap* copy = allocFriendBitMap(width, height, depth, friendBitMap);
  if (!copy) return nullptr;
  bltBitMap(from, x, y, copy, 0, 0, width, height, 0xC0, 0xFF, nullptr);
  return copy;
}

}  // namespace

void bltBitMap(BitMap* src, int32_t sx, int32_t sy, BitMap* dst, int32_t dx, int32_t dy, int32_t width,
               int32_t height, uint8_t minterm, uint8_t mask, void* tempBuffer) {
  if (!src || !dst) return;
  const int32_t srcDepth = getBitMapDepth(src), dstDepth = getBitMapDepth(dst);
  if (srcDepth == dstDepth || (srcDepth > 8) == (dstDepth > 8))
    BltBitMap(src, sx, sy, dst, dx, dy, width, height, minterm, mask, tempBuffer);
  else
    copyThroughColours(src, sx, sy, dst, dx, dy, width, height);
}

BitMap* basicCloneBitMap(BitMap* src, BitMap* friendBitMap, uint32_t, int32_t x, int32_t y, int32_t width,
                         int32_t height, RastPort* rp) {
  return cloneBitMap(src, friendBitMap, x, y, width, height, rp);
}

BitMap* rtgCloneBitMap(BitMap* src, BitMap* friendBitMap, uint32_t, int32_t x, int32_t y, int32_t width,
                       int32_t height, RastPort* rp) {
  return cloneBitMap(src, friendBitMap, x, y, width, height, rp);
}

bool savePicture(const char* path, BitMap* bm, ColorMap* colours, uint32_t, BitMap* mask) {
  if (!path || !bm) return false;
  const TagItem tags[] = {{DTA_SourceType, DTST_RAM},
                          {DTA_GroupID, GID_PICTURE},
                          {DTA_BaseName, reinterpret_cast<intptr_t>("png")},
                          {TAG_DONE, 0}};
  Object* o = NewDTObjectA(nullptr, tags);
  if (!o) return false;
  BPTR file = ZERO;
  bool written = false;
  try {
    const TagItem picture[] = {{PDTA_BitMap, reinterpret_cast<intptr_t>(bm)},
                               {PDTA_ColorMap, reinterpret_cast<intptr_t>(colours)},
                               {PDTA_MaskBitMap, reinterpret_cast<intptr_t>(mask)},
                               {TAG_DONE, 0}};
    SetDTAttrsA(o, nullptr, nullptr, picture);
    file = Open(path, MODE_NEWFILE);
    if (file) {
      dtWrite write{DTM_WRITE, nullptr, file, DTWM_RAW, nullptr};
      written = DoDTMethodA(o, nullptr, nullptr, reinterpret_cast<Msg>(&write)) != 0;
    }
  } catch (...) {
    if (file) Close(file);
    DisposeDTObject(o);
    throw;
  }
  if (file) {
    written = Close(file) && written;
    // Half a picture is no picture: it does not stay behind.
    if (!written) DeleteFile(path);
  }
  DisposeDTObject(o);
  return written;
}

int32_t readPixelArray8(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t* array) {
  if (!rp || !array || x1 < x0 || y1 < y0) return 0;
  BitMap* line = allocMaskBitMap(((x1 - x0 + 16) >> 4) << 4, 1, false);
  if (!line) return 0;
  RastPort temp = portOn(line);
  const int32_t n = ReadPixelArray8(rp, uint32_t(x0), uint32_t(y0), uint32_t(x1), uint32_t(y1), array, &temp);
  FreeBitMap(line);
  return n;
}

int32_t writePixelArray8(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const uint8_t* array) {
  if (!rp || !array || x1 < x0 || y1 < y0) return 0;
  BitMap* line = allocMaskBitMap(((x1 - x0 + 16) >> 4) << 4, 1, false);
  if (!line) return 0;
  RastPort temp = portOn(line);
  const int32_t n = WritePixelArray8(rp, uint32_t(x0), uint32_t(y0), uint32_t(x1), uint32_t(y1), array, &temp);
  FreeBitMap(line);
  return n;
}

uint32_t rtgReadPixelArray(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t* array) {
  if (!rp || !array || x1 < x0 || y1 < y0 || x0 < 0 || y0 < 0) return 0;
  const int32_t width = x1 - x0 + 1;
  return ReadPixelArray(array, 0, 0, uint16_t(4 * width), rp, uint16_t(x0), uint16_t(y0), uint16_t(width),
                        uint16_t(y1 - y0 + 1), RECTFMT_ARGB);
}

uint32_t rtgWritePixelArray(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const uint32_t* array) {
  if (!rp || !array || x1 < x0 || y1 < y0 || x0 < 0 || y0 < 0) return 0;
  const int32_t width = x1 - x0 + 1;
  return WritePixelArray(array, 0, 0, uint16_t(4 * width), rp, uint16_t(x0), uint16_t(y0), uint16_t(width),
                         uint16_t(y1 - y0 + 1), RECTFMT_ARGB);
}

BitMap* allocMaskBitMap(int32_t width, int32_t height, bool keep) {
  if (width < 1 || height < 1) return nullptr;
  return AllocBitMap(uint32_t(width), uint32_t(height), 1, keep ? 0 : BMF_CLEAR, nullptr);
}

uint32_t getRPAttrsFGCOLOR(RastPort* rp) {
  uint32_t colour = 0;
  const TagItem tags[] = {{RPTAG_FgColor, reinterpret_cast<intptr_t>(&colour)}, {TAG_DONE, 0}};
  GetRPAttrsA(rp, tags);
  return colour & 0xFFFFFF;
}

void rtgBltBitMapAlpha(BitMap*, int32_t, int32_t, BitMap*, int32_t, int32_t, int32_t, int32_t) {
  Throw("EPU",
        "pAmigaRTG; rtgBltBitMapAlpha(); this should not have been called as rtgAlphaSupported() returns FALSE");
}

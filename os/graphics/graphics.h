// graphics.library, hosted: bitmaps, blitting and scaling, rast ports with
// pens and one fixed font, and pixel arrays.
//
// A hosted bitmap holds chunky pixels. Up to 8 planes deep each pixel is a pen
// number (0 .. 2^depth - 1); deeper bitmaps hold 32-bit ARGB colours. The pens
// stand for the colours of the hosted display's palette (PenARGB). The hosted
// screen is 32 bits deep.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/utility/tags.h"

// AllocBitMap flags.
constexpr uint32_t BMF_CLEAR = 0x01;
constexpr uint32_t BMF_DISPLAYABLE = 0x02;
constexpr uint32_t BMF_INTERLEAVED = 0x04;
constexpr uint32_t BMF_STANDARD = 0x08;
constexpr uint32_t BMF_MINPLANES = 0x10;
constexpr uint32_t BMF_SPECIALFMT = 0x80;  // the pixel format sits in the top byte
constexpr uint32_t PIXFMT_RGB24 = 9;
constexpr uint32_t PIXFMT_ARGB32 = 11;
constexpr uint32_t SHIFT_PIXFMT(uint32_t format) { return format << 24; }

// GetBitMapAttr attributes.
constexpr uint32_t BMA_HEIGHT = 0;
constexpr uint32_t BMA_DEPTH = 4;
constexpr uint32_t BMA_WIDTH = 8;
constexpr uint32_t BMA_FLAGS = 12;

// The largest bitmap side and pixel count the hosted system allocates.
constexpr int32_t MAX_BITMAP_SIDE = 16384;
constexpr int64_t MAX_BITMAP_PIXELS = int64_t(1) << 26;

struct BitMap {
  int32_t Width;
  int32_t Height;
  uint8_t Depth;    // 1..8: pens; 24 or 32: ARGB
  uint32_t Flags;   // as allocated, BMF_CLEAR left out
  uint32_t* Pixels; // Width * Height, row by row
};

// A bitmap of width by height pixels, or NIL when a side is not 1 ..
// MAX_BITMAP_SIDE, the pixel count is too large, or the depth is not 1..8, 24
// or 32. With BMF_SPECIALFMT the pixel format gives the depth (RGB24: 24,
// ARGB32: 32). A depth above 8 with a friend of depth above 8 takes the
// friend's depth. BMF_CLEAR: every pixel pen 0 (or its colour).
BitMap* AllocBitMap(uint32_t width, uint32_t height, uint32_t depth, uint32_t flags, const BitMap* friendBitMap);
// NIL is ignored.
void FreeBitMap(BitMap* bm);
// Height, depth, width or the allocation flags; 0 for NIL or another attribute.
uint32_t GetBitMapAttr(const BitMap* bm, uint32_t attribute);

// The colour of a pen of the hosted display, opaque. Pen 0, the colour of a
// cleared bitmap, is grey.
uint32_t PenARGB(uint32_t pen);
constexpr uint32_t PEN0_ARGB = 0xFFAAAAAA;
// The pen (below 2^depth) whose colour is nearest.
uint8_t NearestPen(uint32_t argb, uint32_t depth);

// Copies width by height pixels from (srcX, srcY) of one bitmap to (dstX,
// dstY) of another, clipped to both. Only minterm 0xC0 (copy) is known.
// mask selects the planes written when the destination has pens. Both bitmaps
// must be on the same side of 8 bits deep. Returns the number of planes
// written (0 when nothing was).
int32_t BltBitMap(const BitMap* src, int32_t srcX, int32_t srcY, BitMap* dst, int32_t dstX, int32_t dstY,
                  int32_t width, int32_t height, uint8_t minterm, uint8_t mask, void* tempA);

struct BitScaleArgs {
  uint16_t bsa_SrcX, bsa_SrcY;
  uint16_t bsa_SrcWidth, bsa_SrcHeight;
  uint16_t bsa_XSrcFactor, bsa_YSrcFactor;
  uint16_t bsa_DestX, bsa_DestY;
  uint16_t bsa_DestWidth, bsa_DestHeight;  // set by BitMapScale
  uint16_t bsa_XDestFactor, bsa_YDestFactor;
  BitMap* bsa_SrcBitMap;
  BitMap* bsa_DestBitMap;
  uint32_t bsa_Flags;
};
// Scales the source rectangle by XDestFactor / XSrcFactor (and the same for
// y) into the destination at (DestX, DestY), nearest pixel; the size written
// is stored in bsa_DestWidth and bsa_DestHeight. Every write is clipped to the
// destination; pens become colours in a deep destination and the nearest pen
// in one with pens.
void BitMapScale(BitScaleArgs* args);

struct Rectangle {
  int16_t MinX, MinY, MaxX, MaxY;
};

// ---------------------------------------------------------------------------
// Fonts and rast ports

struct TextFont {
  const char* tf_Name;
  uint16_t tf_YSize;     // height of a line
  uint16_t tf_XSize;     // width of every character
  uint16_t tf_Baseline;  // rows above the baseline row
};
// The hosted system's one font, fixed width.
TextFont* DefaultFont();

constexpr uint8_t JAM1 = 0;  // text: only the foreground pen is drawn
constexpr uint8_t JAM2 = 1;  // text: the cell is filled with the background pen

struct RastPort {
  ::BitMap* BitMap;
  TextFont* Font;
  uint8_t FgPen, BgPen, DrawMode;
  int16_t cp_x, cp_y;  // the pen position; text stands on cp_y
  uint16_t TxHeight, TxWidth, TxBaseline;
};

// No bitmap, the default font, pen 1 on pen 0, JAM2.
void InitRastPort(RastPort* rp);
void SetFont(RastPort* rp, TextFont* font);
void SetAPen(RastPort* rp, uint32_t pen);
void SetBPen(RastPort* rp, uint32_t pen);
void SetDrMd(RastPort* rp, uint32_t mode);
void Move(RastPort* rp, int16_t x, int16_t y);
// Fills the whole bitmap with a pen.
void SetRast(RastPort* rp, uint32_t pen);
// Fills a rectangle (corners included) with the foreground pen, clipped.
void RectFill(RastPort* rp, int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
// The width in pixels of count characters of text.
int16_t TextLength(RastPort* rp, const char* text, uint32_t count);
// Draws count characters at the pen position and moves it past them.
void Text(RastPort* rp, const char* text, uint32_t count);

constexpr Tag RPTAG_Font = 0x80000000u;
constexpr Tag RPTAG_APen = 0x80000002u;
constexpr Tag RPTAG_BPen = 0x80000003u;
constexpr Tag RPTAG_DrMd = 0x80000004u;
constexpr Tag RPTAG_FgColor = 0x80000005u;  // the foreground colour, 0xAARRGGBB
constexpr Tag RPTAG_BgColor = 0x80000006u;
// Stores each asked attribute at the uint32_t (or TextFont*) ti_Data points at.
void GetRPAttrsA(RastPort* rp, const TagItem* tags);

// ---------------------------------------------------------------------------
// Pixel arrays

constexpr uint32_t RECTFMT_ARGB = 4;  // 4 bytes a pixel: A, R, G, B in memory order

// Reads width by height pixels at (x, y) of the rast port's bitmap into the
// array at (dstX, dstY), dstMod bytes a row, as A, R, G, B bytes; pens give
// their colours. Returns the pixels read (the part inside the bitmap).
uint32_t ReadPixelArray(void* dst, uint16_t dstX, uint16_t dstY, uint16_t dstMod, RastPort* rp, uint16_t x,
                        uint16_t y, uint16_t width, uint16_t height, uint8_t format);
// The reverse: a bitmap with pens takes the nearest pen.
uint32_t WritePixelArray(const void* src, uint16_t srcX, uint16_t srcY, uint16_t srcMod, RastPort* rp,
                         uint16_t x, uint16_t y, uint16_t width, uint16_t height, uint8_t format);
// Pens of the rectangle (corners included) into array, one byte each, row by
// row; a deep bitmap gives the nearest pen. tempRP must be given (a rast port
// on a one-line bitmap at least as wide). Returns the pixels read.
int32_t ReadPixelArray8(RastPort* rp, uint32_t xStart, uint32_t yStart, uint32_t xStop, uint32_t yStop,
                        uint8_t* array, RastPort* tempRP);
// The reverse; a deep bitmap takes the pens' colours. Returns the pixels written.
int32_t WritePixelArray8(RastPort* rp, uint32_t xStart, uint32_t yStart, uint32_t xStop, uint32_t yStop,
                         const uint8_t* array, RastPort* tempRP);

// ---------------------------------------------------------------------------
// Colour maps

struct ColorMap {
  uint16_t Count;
  uint32_t* ColorTable;  // ARGB, opaque
};
// A colour map of count entries holding the display's pen colours.
ColorMap* GetColorMap(int32_t count);
void FreeColorMap(ColorMap* map);
// Sets entry n from 32-bit components (the top byte of each counts).
void SetRGB32CM(ColorMap* map, uint32_t n, uint32_t red, uint32_t green, uint32_t blue);

// ---------------------------------------------------------------------------
// Test hooks

namespace ostest {
// The next AllocBitMap call fails (gives NIL).
void failNextAllocBitMap();
// AllocBitMap calls since the last reset, with their sizes.
struct BitMapAllocation {
  uint32_t width, height, depth, flags;
  const BitMap* friendBitMap;
};
size_t bitMapAllocationCount();
BitMapAllocation bitMapAllocation(size_t index);
// Bitmaps allocated and not yet freed.
size_t liveBitMaps();
void resetGraphics();
}  // namespace ostest

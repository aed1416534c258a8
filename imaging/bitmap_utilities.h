// Bitmap helpers across depths: copying and cloning, pixel arrays, mask
// bitmaps, the foreground colour, saving a bitmap as a PNG file, and the
// alpha blit this platform does not have.
#pragma once
#include <cstdint>

#include "os/graphics/graphics.h"

// Copies a rectangle between bitmaps of any depths: through BltBitMap when
// both are on the same side of 8 bits; otherwise pens become their colours
// with full alpha, or colours the nearest pens. Every write is clipped.
void bltBitMap(BitMap* src, int32_t sx, int32_t sy, BitMap* dst, int32_t dx, int32_t dy, int32_t width,
               int32_t height, uint8_t minterm, uint8_t mask, void* tempBuffer);

// A new bitmap holding a copy of (x, y, width, height) of the source (-1: the
// source's width or height), allocated by the friend bitmap rule for the
// friend's depth (the source's without a friend). With a rast port the
// pixels are read from its bitmap instead. flags are not needed by the
// hosted display. NIL when it cannot be allocated.
BitMap* basicCloneBitMap(BitMap* src, BitMap* friendBitMap, uint32_t flags, int32_t x, int32_t y, int32_t width,
                         int32_t height, RastPort* rp);
// The same for deep bitmaps.
BitMap* rtgCloneBitMap(BitMap* src, BitMap* friendBitMap, uint32_t flags, int32_t x, int32_t y, int32_t width,
                       int32_t height, RastPort* rp);

// Saves the bitmap as a PNG file at a host path: pens through the colour map
// (NIL: the display's), pixels where the mask (NIL: none) is 0 see-through.
// TRUE when the whole file was written; a file that could not be finished is
// deleted. flags are not used.
bool savePicture(const char* path, BitMap* bm, ColorMap* colours, uint32_t flags, BitMap* mask);

// Pens of the rectangle (corners included) into a byte array, row by row,
// through a one-line temporary mask bitmap; returns the pixels read.
int32_t readPixelArray8(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t* array);
int32_t writePixelArray8(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const uint8_t* array);
// 32-bit pixels, each as the bytes A, R, G, B, row after row.
uint32_t rtgReadPixelArray(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t* array);
uint32_t rtgWritePixelArray(RastPort* rp, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const uint32_t* array);

// A one-plane bitmap, cleared unless keep is set.
BitMap* allocMaskBitMap(int32_t width, int32_t height, bool keep);
// The foreground colour as 0xRRGGBB.
uint32_t getRPAttrsFGCOLOR(RastPort* rp);
// Not supported on this platform: raises EPU.
[[noreturn]] void rtgBltBitMapAlpha(BitMap* src, int32_t sx, int32_t sy, BitMap* dst, int32_t dx, int32_t dy,
                                    int32_t width, int32_t height);

// How one pixel value moves between bitmaps of different kinds: pens become
// their colours in a deep bitmap, colours the nearest pen in one with pens.
#pragma once
#include <cstdint>

#include "os/graphics/graphics.h"

class PixelConversion {
 public:
  PixelConversion(uint8_t srcDepth, uint8_t dstDepth) : srcDeep_(srcDepth > 8), dst_(dstDepth) {}
  uint32_t operator()(uint32_t v) {
    const bool dstDeep = dst_ > 8;
    if (srcDeep_ == dstDeep) return dstDeep ? v : v & ((1u << dst_) - 1);
    if (dstDeep) return PenARGB(v);
    // The same colour comes in runs: remember the last answer.
    if (!hasLast_ || v != lastColour_) {
      lastColour_ = v;
      lastPen_ = NearestPen(v, dst_);
      hasLast_ = true;
    }
    return lastPen_;
  }

 private:
  bool srcDeep_;
  uint8_t dst_;
  bool hasLast_ = false;
  uint32_t lastColour_ = 0;
  uint32_t lastPen_ = 0;
};

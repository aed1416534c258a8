// NewIcons: the images an icon carries in its tool types, as text. The lines
// of the first image begin "IM1=", those of the second (selected) image
// "IM2=". The first line of each gives, after the "IM1=", whether colour 0
// is see-through ("B") or not ("C"), the width and height (each plus 0x21)
// and the number of colours (two characters, each less 0x21, as six bits
// each), then the palette as red, green and blue bytes; the pixels follow
// on the next lines, each the bits a colour number needs (chunky, row by
// row). Each character carries seven bits: 0x20-0x6F the values 0x00-0x4F,
// 0xA1-0xD0 the values 0x50-0x7F, and 0xD1-0xFF stand for 1 to 47 times
// seven zero bits. Every line ends its bits: what is left over is padding.
#pragma once
#include <cstdint>

#include "os/icon/icon_image.h"

// The largest colour count an image may give (eight bits a pixel).
constexpr int32_t NEW_ICONS_MAX_COLOURS = 256;

class NewIconsReader {
 public:
  // Reads the images held in NIL-terminated tool types (NIL: none) into
  // images[0] and images[1]; returns how many were read: 0 when there is no
  // first image or it is broken (a bad header, a character that carries no
  // bits, lines that end before the palette or the pixels are complete),
  // 1 when only the first is good. Never reads outside a string.
  static int32_t read(const char* const* toolTypes, IconImage images[2]);
};

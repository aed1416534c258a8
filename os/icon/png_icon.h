// PNG icons: an icon file that is a PNG picture, with a second PNG (the
// selected image) following the first one's IEND chunk when there is one.
// What a classic icon keeps in its records is an "icOn" chunk there: a list
// of 32-bit tags, each followed by a 32-bit value, or, for the default tool,
// a tool type and the tool window, by a NUL-terminated string.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "os/icon/icon_image.h"

// Tags of the icOn chunk.
constexpr uint32_t ICON_ATTR_ICONX = 0x80001001;
constexpr uint32_t ICON_ATTR_ICONY = 0x80001002;
constexpr uint32_t ICON_ATTR_DRAWERX = 0x80001003;
constexpr uint32_t ICON_ATTR_DRAWERY = 0x80001004;
constexpr uint32_t ICON_ATTR_DRAWERWIDTH = 0x80001005;
constexpr uint32_t ICON_ATTR_DRAWERHEIGHT = 0x80001006;
constexpr uint32_t ICON_ATTR_DRAWERFLAGS = 0x80001007;
constexpr uint32_t ICON_ATTR_TOOLWINDOW = 0x80001008;  // a string
constexpr uint32_t ICON_ATTR_STACKSIZE = 0x80001009;
constexpr uint32_t ICON_ATTR_DEFAULTTOOL = 0x8000100A;  // a string
constexpr uint32_t ICON_ATTR_TOOLTYPE = 0x8000100B;     // a string, one tag per tool type
constexpr uint32_t ICON_ATTR_VIEWMODES = 0x8000100C;
constexpr uint32_t ICON_ATTR_DD_CURRENTX = 0x8000100D;
constexpr uint32_t ICON_ATTR_DD_CURRENTY = 0x8000100E;
constexpr uint32_t ICON_ATTR_TYPE = 0x8000100F;
constexpr uint32_t ICON_ATTR_FRAMELESS = 0x80001010;

// The largest side of a PNG icon's image.
constexpr int32_t PNG_ICON_MAX_SIDE = 1024;

struct PngIcon {
  IconImage images[2];
  int32_t imageCount = 0;  // 1 or 2
  // What the icOn chunk gave: each tag's last value, the strings in order.
  std::vector<std::pair<uint32_t, uint32_t>> values;
  std::optional<std::string> defaultTool;
  std::optional<std::string> toolWindow;
  std::vector<std::string> toolTypes;

  // The value of a tag, when the chunk gave one.
  std::optional<uint32_t> value(uint32_t tag) const;
};

class PngIconReader {
 public:
  // Whether the bytes begin with the PNG signature.
  static bool recognises(const uint8_t* bytes, size_t size);
  // Reads the icon; false when the first image is not a whole PNG that
  // libpng reads, or a side is larger than PNG_ICON_MAX_SIDE. A second
  // image that cannot be read is left out; an icOn chunk that ends in the
  // middle of a tag keeps the tags before it. Never reads outside the bytes.
  static bool read(const uint8_t* bytes, size_t size, PngIcon* out);
};

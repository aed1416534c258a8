// libFuzzer target: the reader of an icon's colour images (FORM ICON).
#include <cstddef>
#include <cstdint>

#include "os/icon/colour_icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ColourIcon icon;
  if (ColourIconReader::read(data, size, &icon)) {
    for (int i = 0; i < icon.imageCount; ++i)
      if (icon.argb[i].size() != size_t(icon.width) * size_t(icon.height)) __builtin_trap();
  }
  return 0;
}

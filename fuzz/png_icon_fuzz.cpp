// libFuzzer target: the reader of PNG icons, alone and as the icon reader
// takes them.
#include <cstddef>
#include <cstdint>

#include "os/icon/icon_format.h"
#include "os/icon/png_icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PngIcon icon;
  if (PngIconReader::read(data, size, &icon)) {
    if (icon.imageCount < 1 || icon.imageCount > 2) __builtin_trap();
    for (int32_t i = 0; i < icon.imageCount; ++i)
      if (icon.images[i].argb.size() != size_t(icon.images[i].width) * size_t(icon.images[i].height))
        __builtin_trap();
  }
  if (DiskObject* object = parseDiskObject(data, size)) {
    IconPixels pixels;
    if (GetIconPixels(object, true, &pixels) && pixels.width > 0 && !pixels.argb) __builtin_trap();
    FreeDiskObject(object);
  }
  return 0;
}

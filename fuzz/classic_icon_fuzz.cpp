// libFuzzer target: the ".info" icon reader, then measuring and drawing the
// icon it gives, both states, into a small bitmap.
#include <cstddef>
#include <cstdint>

#include "os/graphics/graphics.h"
#include "os/icon/icon_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DiskObject* icon = parseDiskObject(data, size);
  if (!icon) return 0;
  BitMap* bm = AllocBitMap(64, 48, 32, BMF_CLEAR, nullptr);
  RastPort rp;
  InitRastPort(&rp);
  rp.BitMap = bm;
  Rectangle r;
  const TagItem tags[] = {{TAG_DONE, 0}};
  if (GetIconRectangleA(&rp, icon, "Label", &r, tags)) {
    DrawIconStateA(&rp, icon, "Label", -r.MinX, -r.MinY, IDS_NORMAL, tags);
    DrawIconStateA(&rp, icon, nullptr, 5, -3, IDS_SELECTED, tags);
  }
  FreeBitMap(bm);
  FreeDiskObject(icon);
  return 0;
}

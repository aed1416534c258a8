#include "imaging/pictures.h"

#include "core/exception.h"
#include "platform/system_libraries.h"

TagItem pictureTagsWithoutScreen[4];
TagItem friendBitMapOnTags[2];
gpLayout pictureLayoutMessage;
TagItem iconMeasureTags[2];
TagItem iconDrawTags[2];

namespace {

bool openedDataTypes = false;
bool openedIcon = false;

constexpr uint16_t DATATYPES_V43 = 43;
constexpr uint8_t MINTERM_COPY = 0xC0;

intptr_t tagPointer(const void* p) { return reinterpret_cast<intptr_t>(p); }

BitMapHeader* headerOf(Object* o) {
  BitMapHeader* header = nullptr;
  const TagItem ask[] = {{PDTA_BitMapHeader, tagPointer(&header)}, {TAG_DONE, 0}};
  GetDTAttrsA(o, ask);
  return header;
}

// Lays the object out and takes its header and bitmap; false when the class
// gives either of them not.
bool layOut(Object* o, Screen* screen, bool noRemap, PictureResults* r) {
  if (noRemap && screen) {
    // The header may be missing: it is looked at only when it is there.
    const BitMapHeader* header = headerOf(o);
    if (header && header->bmh_Depth <= 8) SetDTAttrsA(o, nullptr, nullptr, friendBitMapOnTags);
  }
  r->header = headerOf(o);
  DoDTMethodA(o, nullptr, nullptr, reinterpret_cast<Msg>(&pictureLayoutMessage));
  const TagItem ask[] = {{PDTA_DestBitMap, tagPointer(&r->bitmap)}, {TAG_DONE, 0}};
  GetDTAttrsA(o, ask);
  return r->header && r->bitmap;
}

[[noreturn]] void screenMissing(const char* procedure) {
  ThrowF("EPU", "pAmigaIcon; %s(); screen=NIL", procedure);
}

}  // namespace

Object* loadPicture(const char* path, Screen* screen, bool noRemap, PictureResults* more) {
  PictureResults results;
  if (more) *more = results;
  if (!DataTypesBase) return nullptr;
  TagItem tags[6];
  const TagItem* use = tags;
  if (DataTypesBase->lib_Version < DATATYPES_V43) {
    int n = 0;
    tags[n++] = {DTA_GroupID, GID_PICTURE};
    tags[n++] = {PDTA_Remap, screen ? 1 : 0};
    if (screen) tags[n++] = {PDTA_Screen, tagPointer(screen)};
    tags[n] = {TAG_DONE, 0};
  } else if (!screen) {
    use = pictureTagsWithoutScreen;
  } else {
    tags[0] = {DTA_GroupID, GID_PICTURE};
    tags[1] = {PDTA_DestMode, PMODE_V43};
    tags[2] = {PDTA_Screen, tagPointer(screen)};
    tags[3] = {PDTA_UseFriendBitMap, noRemap ? 0 : 1};
    tags[4] = {TAG_DONE, 0};
  }
  Object* o = NewDTObjectA(path, use);
  if (!o) return nullptr;
  bool complete;
  try {
    complete = layOut(o, screen, noRemap, &results);
  } catch (...) {
    DisposeDTObject(o);
    throw;
  }
  if (!complete) {
    DisposeDTObject(o);
    return nullptr;
  }
  if (more) *more = results;
  return o;
}

BitMap* loadIcon(const char* path, Screen* screen, bool noRemap, IconResults* more) {
  if (more) *more = IconResults{};
  if (!IconBase) return nullptr;
  const TagItem tags[] = {
      {ICONGETA_RemapIcon, noRemap ? 0 : 1}, {ICONGETA_Screen, tagPointer(screen)}, {TAG_DONE, 0}};
  DiskObject* icon = GetIconTagList(path, tags);
  if (!icon) return nullptr;
  IconResults results;
  BitMap* bitmap = nullptr;
  try {
    bitmap = icon2bitmap(icon, screen, &results);
  } catch (...) {
    FreeBitMap(bitmap);
    freeMaskBitMap(results.mask);
    FreeDiskObject(icon);
    throw;
  }
  FreeDiskObject(icon);
  if (more) *more = results;
  return bitmap;
}

BitMap* icon2bitmap(const DiskObject* icon, Screen* screen, IconResults* more) {
  if (more) *more = IconResults{};
  if (!screen) screenMissing("icon2bitmap");
  if (!icon) return nullptr;
  BitMap* screenBitMap = screen->RastPort.BitMap;
  const int32_t depth = getBitMapDepth(screenBitMap);
  RastPort rp;
  InitRastPort(&rp);
  Rectangle r;
  if (!GetIconRectangleA(&rp, icon, nullptr, &r, iconMeasureTags)) return nullptr;
  const int32_t width = r.MaxX + 1 - r.MinX;
  const int32_t height = r.MaxY + 1 - r.MinY;
  BitMap* bm = allocFriendBitMap(width, height, depth, screenBitMap);
  if (!bm) return nullptr;
  rp.BitMap = bm;
  DrawIconStateA(&rp, icon, nullptr, -r.MinX, -r.MinY, IDS_NORMAL, iconDrawTags);
  if (more) more->width = width;
  return bm;
}

BitMap* allocFriendBitMap(int32_t width, int32_t height, int32_t depth, BitMap* friendBitMap) {
  if (width < 1 || height < 1) return nullptr;
  uint32_t flags;
  if (depth <= 8) flags = BMF_CLEAR | BMF_DISPLAYABLE;
  else if (depth == 32) flags = 0xB000093;
  else if (!friendBitMap) flags = 0x9000093;
  else flags = GetBitMapAttr(friendBitMap, BMA_FLAGS) | BMF_CLEAR | BMF_DISPLAYABLE | BMF_MINPLANES;
  return AllocBitMap(uint32_t(width), uint32_t(height), uint32_t(depth), flags, friendBitMap);
}

void bitMapScale(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst, int32_t dx, int32_t dy,
                 int32_t dw, int32_t dh, int32_t depthHint, bool shrink) {
  if (getBitMapDepth(src) > 8) rtgScale(src, sx, sy, sw, sh, dst, dx, dy, dw, dh, depthHint, shrink);
  else bitMapScaleClassic_pamigartg(src, sx, sy, sw, sh, dst, dx, dy, dw, dh, depthHint);
}

void bitMapScaleClassic_pamigartg(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst,
                                  int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t depthHint) {
  if (dy == 0) {
    bitMapScaleClassic(src, sx, sy, sw, sh, dst, dx, dy, dw, dh, depthHint);
    return;
  }
  const uint32_t depth = dst ? GetBitMapAttr(dst, BMA_DEPTH) : 0;
  uint32_t flags;
  if (!dst) flags = depth <= 8 ? 0x10 : 0x9000090;
  else if (depth == 32) flags = 0xB000090;
  else flags = (GetBitMapAttr(dst, BMA_FLAGS) & ~BMF_DISPLAYABLE) | BMF_MINPLANES;
  if (dw < 1 || dh < 1) return;
  BitMap* temporary = AllocBitMap(uint32_t(dw), uint32_t(dh), depth, flags, dst);
  if (!temporary) return;  // nothing can be drawn
  try {
    bitMapScaleClassic(src, sx, sy, sw, sh, temporary, 0, 0, dw, dh, depthHint);
    BltBitMap(temporary, 0, 0, dst, dx, dy, dw, dh, MINTERM_COPY, 0xFF, nullptr);
  } catch (...) {
    FreeBitMap(temporary);
    throw;
  }
  FreeBitMap(temporary);
}

void bitMapScaleClassic(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst, int32_t dx,
                        int32_t dy, int32_t dw, int32_t dh, int32_t) {
  BitScaleArgs args{};
  args.bsa_SrcX = uint16_t(sx);
  args.bsa_SrcY = uint16_t(sy);
  args.bsa_SrcWidth = uint16_t(sw);
  args.bsa_SrcHeight = uint16_t(sh);
  args.bsa_XSrcFactor = uint16_t(sw);
  args.bsa_YSrcFactor = uint16_t(sh);
  args.bsa_DestX = uint16_t(dx);
  args.bsa_DestY = uint16_t(dy);
  args.bsa_DestWidth = uint16_t(dw);
  args.bsa_DestHeight = uint16_t(dh);
  args.bsa_XDestFactor = uint16_t(dw);
  args.bsa_YDestFactor = uint16_t(dh);
  args.bsa_SrcBitMap = src;
  args.bsa_DestBitMap = dst;
  BitMapScale(&args);
}

void rtgScale(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst, int32_t dx, int32_t dy,
              int32_t dw, int32_t dh, int32_t depthHint, bool) {
  bitMapScaleClassic(src, sx, sy, sw, sh, dst, dx, dy, dw, dh, depthHint);
}

int32_t getBitMapDepth(const BitMap* bm) { return static_cast<int32_t>(GetBitMapAttr(bm, BMA_DEPTH)); }

void freeMaskBitMap(BitMap* mask) {
  if (mask) FreeBitMap(mask);
}

void new_pamigadatatypes() {
  pictureTagsWithoutScreen[0] = {DTA_GroupID, GID_PICTURE};
  pictureTagsWithoutScreen[1] = {PDTA_DestMode, PMODE_V43};
  pictureTagsWithoutScreen[2] = {PDTA_Remap, 0};
  pictureTagsWithoutScreen[3] = {TAG_DONE, 0};
  friendBitMapOnTags[0] = {PDTA_UseFriendBitMap, 1};
  friendBitMapOnTags[1] = {TAG_DONE, 0};
  pictureLayoutMessage = gpLayout{GM_LAYOUT, nullptr, 1};
  if (!DataTypesBase) {
    DataTypesBase = OpenRequiredLibrary("datatypes.library", 0);
    openedDataTypes = true;
  }
}

void end_pamigadatatypes() {
  if (!openedDataTypes) return;
  CloseLibrary(DataTypesBase);
  DataTypesBase = nullptr;
  openedDataTypes = false;
}

void new_pamigaicon() {
  iconMeasureTags[0] = {ICONDRAWA_Borderless, 1};
  iconMeasureTags[1] = {TAG_DONE, 0};
  iconDrawTags[0] = {ICONDRAWA_Borderless, 1};
  iconDrawTags[1] = {TAG_DONE, 0};
  if (!IconBase) {
    IconBase = OpenLibrary("icon.library", 0);
    openedIcon = IconBase != nullptr;
  }
}

void end_pamigaicon() {
  if (!openedIcon) return;
  CloseLibrary(IconBase);
  IconBase = nullptr;
  openedIcon = false;
}

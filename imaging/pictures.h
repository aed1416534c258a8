// Loading a picture file or a file's icon into a bitmap that suits a screen,
// and scaling a rectangle of one bitmap into another.
#pragma once
#include <cstdint>

#include "os/datatypes/datatypes.h"
#include "os/graphics/graphics.h"
#include "os/icon/icon.h"
#include "os/intuition/screens.h"

// loadPicture's further results.
struct PictureResults {
  BitMap* bitmap = nullptr;        // the picture's bitmap, owned by the object
  BitMapHeader* header = nullptr;  // its header, owned by the object
};
// The picture at a host path as a datatype object laid out for the screen
// (NIL: none); NIL (and every result NIL) when there is no such picture or
// its class gives no header or bitmap. Dispose the object with
// DisposeDTObject when the bitmap is no longer needed.
Object* loadPicture(const char* path, Screen* screen, bool noRemap, PictureResults* more = nullptr);

// loadIcon's and icon2bitmap's further results.
struct IconResults {
  int32_t width = 0;
  BitMap* mask = nullptr;  // always NIL in this build
};
// The icon of a host path drawn into a new bitmap for the screen; NIL when
// icon.library is not open or there is no icon. Raises EPU for a NIL screen.
BitMap* loadIcon(const char* path, Screen* screen, bool noRemap, IconResults* more = nullptr);
// A new bitmap holding the icon drawn with its rectangle at 0,0; NIL when the
// icon has no image or no bitmap can be had. Raises EPU for a NIL screen.
BitMap* icon2bitmap(const DiskObject* icon, Screen* screen, IconResults* more = nullptr);

// A bitmap for display on a screen of the given depth whose bitmap is
// friendBitMap (or NIL): up to 8 bits that depth, cleared and displayable;
// 32 bits ARGB32; other depths RGB24 without a friend, else the friend's
// flags with clear, displayable and minimal planes added. NIL when it cannot
// be allocated.
BitMap* allocFriendBitMap(int32_t width, int32_t height, int32_t depth, BitMap* friendBitMap);

// Scales (sx, sy, sw, sh) of src into (dx, dy, dw, dh) of dst: deep sources
// through rtgScale, others through bitMapScaleClassic_pamigartg. The depth
// hint and the shrink flag are not used.
void bitMapScale(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst, int32_t dx, int32_t dy,
                 int32_t dw, int32_t dh, int32_t depthHint, bool shrink);
// At dy 0 scales straight into the destination; otherwise through a
// temporary bitmap of dw by dh that is then copied to (dx, dy).
void bitMapScaleClassic_pamigartg(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst,
                                  int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t depthHint);
// One graphics BitMapScale call.
void bitMapScaleClassic(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst, int32_t dx,
                        int32_t dy, int32_t dw, int32_t dh, int32_t depthHint);
// Deep bitmaps: here the same as bitMapScaleClassic.
void rtgScale(BitMap* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, BitMap* dst, int32_t dx, int32_t dy,
              int32_t dw, int32_t dh, int32_t depthHint, bool shrink);

int32_t getBitMapDepth(const BitMap* bm);
// Frees a mask bitmap; NIL is ignored.
void freeMaskBitMap(BitMap* mask);

// The module tag lists, filled by the start-up below.
extern TagItem pictureTagsWithoutScreen[4];
extern TagItem friendBitMapOnTags[2];
extern gpLayout pictureLayoutMessage;
extern TagItem iconMeasureTags[2];
extern TagItem iconDrawTags[2];

// Fills the picture lists and opens datatypes.library unless start-up did;
// ends the program with return code 10 when it is missing.
void new_pamigadatatypes();
void end_pamigadatatypes();
// Fills the icon lists and opens icon.library unless start-up did, without a
// check: without it loadIcon gives NIL.
void new_pamigaicon();
void end_pamigaicon();

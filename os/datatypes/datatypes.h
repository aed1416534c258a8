// datatypes.library, hosted: picture and sound objects. A file is recognised
// by its content, never by its name: pictures are IFF ILBM, PNG, JPEG and
// GIF, sounds IFF 8SVX. A picture in memory (DTST_RAM) can be written as a
// PNG file.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"
#include "os/graphics/graphics.h"
#include "os/iff/iff_form.h"
#include "os/intuition/screens.h"
#include "os/utility/tags.h"

struct Object;  // an object of the hosted object system, only ever handled by pointer

constexpr uint32_t GID_PICTURE = MAKE_ID('p', 'i', 'c', 't');
constexpr uint32_t GID_SOUND = MAKE_ID('s', 'o', 'u', 'n');

constexpr Tag DTA_Dummy = TAG_USER + 0x1000;
constexpr Tag DTA_SourceType = DTA_Dummy + 1;  // DTST_FILE (default) or DTST_RAM
constexpr Tag DTA_GroupID = DTA_Dummy + 2;     // the kind of object wanted; another kind gives NIL
constexpr Tag DTA_BaseName = DTA_Dummy + 3;    // the class's base name, e.g. "png"

constexpr uint32_t DTST_FILE = 2;
constexpr uint32_t DTST_RAM = 4;

constexpr Tag PDTA_Dummy = DTA_Dummy + 0x200;
constexpr Tag PDTA_ModeID = PDTA_Dummy + 1;           // get: the display mode (ILBM CAMG), uint32_t*
constexpr Tag PDTA_BitMapHeader = PDTA_Dummy + 2;     // get: BitMapHeader**
constexpr Tag PDTA_BitMap = PDTA_Dummy + 3;           // set: a bitmap to write (read when written)
constexpr Tag PDTA_ColorMap = PDTA_Dummy + 4;         // set: the colours of PDTA_BitMap's pens
constexpr Tag PDTA_MaskBitMap = PDTA_Dummy + 5;       // set: one plane; pixels at 0 are see-through
constexpr Tag PDTA_Remap = PDTA_Dummy + 6;            // pens of a screen with pens: nearest colour
constexpr Tag PDTA_Screen = PDTA_Dummy + 7;           // the screen the picture is for
constexpr Tag PDTA_DestBitMap = PDTA_Dummy + 8;       // get: BitMap**, set by the layout
constexpr Tag PDTA_UseFriendBitMap = PDTA_Dummy + 9;  // the layout allocates with the screen's bitmap as friend
constexpr Tag PDTA_DestMode = PDTA_Dummy + 10;        // PMODE_V42 or PMODE_V43
constexpr uint32_t PMODE_V42 = 0;
constexpr uint32_t PMODE_V43 = 1;

constexpr Tag SDTA_Dummy = DTA_Dummy + 0x500;
constexpr Tag SDTA_SampleLength = SDTA_Dummy + 3;  // get: samples, uint32_t*
constexpr Tag SDTA_SamplesPerSec = SDTA_Dummy + 6; // get: the sample rate, uint32_t*

// The IFF ILBM bitmap header, also given for pictures of other formats.
struct BitMapHeader {
  uint16_t bmh_Width, bmh_Height;
  int16_t bmh_Left, bmh_Top;
  uint8_t bmh_Depth;
  uint8_t bmh_Masking;      // mskNone, mskHasMask, mskHasTransparentColor, mskLasso
  uint8_t bmh_Compression;  // cmpNone, cmpByteRun1
  uint8_t bmh_Pad;
  uint16_t bmh_Transparent;
  uint8_t bmh_XAspect, bmh_YAspect;
  int16_t bmh_PageWidth, bmh_PageHeight;
};
constexpr uint8_t mskNone = 0, mskHasMask = 1, mskHasTransparentColor = 2, mskLasso = 3;
constexpr uint8_t cmpNone = 0, cmpByteRun1 = 1;

// Methods.
constexpr uint32_t GM_LAYOUT = 0x602;
constexpr uint32_t DTM_PROCLAYOUT = 0x60D;
constexpr uint32_t DTM_WRITE = 0x612;
constexpr uint32_t DTWM_IFF = 0;
constexpr uint32_t DTWM_RAW = 1;

struct GadgetInfo;
struct Window;
struct Requester;

struct Msg_ {
  uint32_t MethodID;
};
using Msg = Msg_*;

struct gpLayout {
  uint32_t MethodID;
  GadgetInfo* gpl_GInfo;
  uint32_t gpl_Initial;
};

struct dtWrite {
  uint32_t MethodID;
  GadgetInfo* dtw_GInfo;
  BPTR dtw_FileHandle;
  uint32_t dtw_Mode;
  TagItem* dtw_AttrList;
};

// Errors left in IoErr.
constexpr int32_t DTERROR_UNKNOWN_DATATYPE = 2000;
constexpr int32_t DTERROR_COULDNT_OPEN = 2003;

// An object of the file at an Amiga path (DTST_FILE), or an empty picture to
// be written (DTST_RAM, name NIL). A picture is held as it is needed for the
// screen named by PDTA_Screen: one larger than that screen on both sides may
// be decoded reduced (its header then gives the size it has), never below
// the size at which it would be shown shrunk to fit the screen. DTA_GroupID, when given, is the kind
// wanted (GID_PICTURE or GID_SOUND); a file of another kind gives NIL. NIL
// with IoErr set when the file is missing (205), of no kind the hosted
// system reads (2000), or broken (2003).
Object* NewDTObjectA(const char* name, const TagItem* tags);
// Frees the object and its destination bitmap. NIL is ignored.
void DisposeDTObject(Object* o);
// Stores each asked attribute where its ti_Data points; returns how many were known.
uint32_t GetDTAttrsA(Object* o, const TagItem* tags);
// Takes the known attributes; returns how many were known.
uint32_t SetDTAttrsA(Object* o, Window* window, Requester* requester, const TagItem* tags);
// GM_LAYOUT and DTM_PROCLAYOUT make the destination bitmap (1 when done);
// DTM_WRITE writes a picture set with PDTA_BitMap as PNG to the handle (1 when
// written, else 0 with IoErr set). Other methods give 0.
uint32_t DoDTMethodA(Object* o, Window* window, Requester* requester, Msg msg);

namespace ostest {
// The next picture object made gives no bitmap header, or makes no
// destination bitmap, as a picture class that fails would.
void nextPictureWithoutHeader();
void nextPictureWithoutDestBitMap();
// Objects alive now.
int32_t livePictureObjects();
}  // namespace ostest

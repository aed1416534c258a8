// icon.library, hosted: reading Workbench icons (".info" files) in the
// classic on-disk format: the DiskObject record with its embedded gadget, the
// drawer window record of disks, drawers and the trashcan, one or two planar
// images, the default tool, the tool types and the tool window; with the
// colour images appended to it (FORM ICON) or held in its tool types
// (NewIcons); and PNG icons, whose icOn chunk holds the records' values.
#pragma once
#include <cstdint>

#include "os/graphics/graphics.h"
#include "os/intuition/intuition.h"
#include "os/utility/tags.h"

constexpr uint16_t WB_DISKMAGIC = 0xE310;
constexpr uint16_t WB_DISKVERSION = 1;
constexpr uintptr_t WB_DISKREVISION = 1;  // gadget user data of icons with the extended drawer record

// do_Type
constexpr uint8_t WBDISK = 1;
constexpr uint8_t WBDRAWER = 2;
constexpr uint8_t WBTOOL = 3;
constexpr uint8_t WBPROJECT = 4;
constexpr uint8_t WBGARBAGE = 5;
constexpr uint8_t WBDEVICE = 6;
constexpr uint8_t WBKICK = 7;
constexpr uint8_t WBAPPICON = 8;

struct DrawerData {
  NewWindow dd_NewWindow;  // the drawer window's place and size
  int32_t dd_CurrentX, dd_CurrentY;
  uint32_t dd_Flags;       // from the extended record, else 0
  uint16_t dd_ViewModes;   // from the extended record, else 0
};

// do_CurrentX and do_CurrentY of an icon that the desktop places where there is room.
constexpr int32_t NO_ICON_POSITION = static_cast<int32_t>(0x80000000u);

struct DiskObject {
  uint16_t do_Magic;
  uint16_t do_Version;
  Gadget do_Gadget;  // GadgetRender/SelectRender point at the Images; UserData holds the revision number
  uint8_t do_Type;
  char* do_DefaultTool;   // NIL when the icon has none
  char** do_ToolTypes;    // NIL-terminated, or NIL
  int32_t do_CurrentX, do_CurrentY;
  DrawerData* do_DrawerData;
  char* do_ToolWindow;
  int32_t do_StackSize;
};

// The icon of the object at an Amiga path ("Work:Games/Fred" reads
// "Work:Games/Fred.info", a volume "Work:" reads "Work:Disk.info"). The name is
// matched exactly first, then ignoring a-z case. NIL when there is no icon, it
// is not a regular file, or it is not a complete, well-formed icon.
DiskObject* GetDiskObject(const char* name);
// Frees an icon from GetDiskObject; NIL is ignored.
void FreeDiskObject(DiskObject* icon);

// The hosted display's view of an icon image: 32-bit ARGB pixels, row by row
// (alpha 0 is see-through, a PNG icon's alpha between blends). The image is
// picked as the systems' icon libraries pick it: the colour images, else the
// NewIcons images, else the planar image in a fixed palette (colour 0
// see-through: icons are drawn without a border); a PNG icon has only its
// own. False when the icon has no image.
struct IconPixels {
  int32_t left = 0;  // where the image stands from the icon's origin
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  const uint32_t* argb = nullptr;  // width * height pixels, owned by the icon
};
bool GetIconPixels(const DiskObject* icon, bool selected, IconPixels* pixels);

// The fixed palette of classic icons (the file carries none): the four
// Workbench colours, then four more.
extern const uint32_t ICON_PALETTE_ARGB[8];

namespace ostest {
// Icons read and not yet freed.
int32_t liveDiskObjects();
}  // namespace ostest

// ---------------------------------------------------------------------------
// Getting and drawing icons

constexpr Tag ICONA_Dummy = TAG_USER + 0x9000;
constexpr Tag ICONGETA_Screen = ICONA_Dummy + 69;      // the screen the icon is for (hosted: not used)
constexpr Tag ICONGETA_RemapIcon = ICONA_Dummy + 72;   // hosted: colours are always exact
constexpr Tag ICONDRAWA_Frameless = ICONA_Dummy + 70;  // no frame around the image
constexpr Tag ICONDRAWA_Borderless = ICONA_Dummy + 80; // no frame and no border around the image
constexpr Tag ICONDRAWA_EraseBackground = ICONA_Dummy + 71;  // fill the rectangle with pen 0 first

// DrawIconStateA states.
constexpr uint32_t IDS_NORMAL = 0;
constexpr uint32_t IDS_SELECTED = 1;

// The width of the frame drawn around an icon that is not borderless.
constexpr int16_t ICON_FRAME = 2;

// The icon of a path as GetDiskObject finds it; the tags are taken and not
// needed by the hosted display.
DiskObject* GetIconTagList(const char* name, const TagItem* tags);
// The rectangle an icon covers when drawn at 0,0: its image where its edges
// put it, widened by the frame unless borderless or frameless, and by the
// label below it when one is given. FALSE for an icon without an image.
bool GetIconRectangleA(RastPort* rp, const DiskObject* icon, const char* label, Rectangle* rect,
                       const TagItem* tags);
// Draws the icon (its selected image for IDS_SELECTED, when it has one) so
// that its origin lands at (left, top); see-through pixels leave the bitmap
// as it was, partly see-through ones are blended with it (in a bitmap with
// pens: the pen nearest the blend). Every write is clipped to the rast
// port's bitmap.
void DrawIconStateA(RastPort* rp, const DiskObject* icon, const char* label, int32_t left, int32_t top,
                    uint32_t state, const TagItem* tags);

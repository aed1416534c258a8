// icon.library, hosted: reading Workbench icons (".info" files) in the
// classic on-disk format: the DiskObject record with its embedded gadget, the
// drawer window record of disks, drawers and the trashcan, one or two planar
// images, the default tool, the tool types and the tool window.
#pragma once
#include <cstdint>

#include "os/intuition/intuition.h"

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

// The hosted display's view of an icon image: 32-bit ARGB pixels, row by row,
// in a fixed palette (colour 0 is see-through: icons are drawn without a
// border). Filled from the icon's planar image; false when the icon has no
// such image.
struct IconPixels {
  int32_t width = 0;
  int32_t height = 0;
  const uint32_t* argb = nullptr;  // width * height pixels, owned by the icon
};
bool GetIconPixels(const DiskObject* icon, bool selected, IconPixels* pixels);

// The fixed palette of classic icons: the four Workbench colours, then four more.
extern const uint32_t ICON_PALETTE_ARGB[8];

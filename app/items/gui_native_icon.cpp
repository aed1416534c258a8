#include "app/items/gui_native_icon.h"

#include "app/items/add_native_item.h"
#include "app/items/picture_placement.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "gui/gui_window.h"
#include "imaging/pictures.h"
#include "os/intuition/screens.h"

namespace {

// The window's screen, asked through queryExtra.
constexpr uint32_t EXTRA_SCREEN = static_cast<uint32_t>(MakeId("SCRN"));
constexpr uint8_t MINTERM_COPY = 0xC0;

// The picture files that may stand for a path, in the order they are looked for.
constexpr int PICTURE_FILE_COUNT = 3;

// The first picture file for path that exists as a file, as a new internal
// path; NIL when there is none.
char* findPictureFile(const char* path) {
  char* folder = ExtractSubPath(path);
  char* candidates[PICTURE_FILE_COUNT] = {};
  char* found = nullptr;
  WithCleanUp(
      [&] {
        candidates[0] = StrJoin(path, ".pic");
        candidates[1] = StrJoin(folder, "Ludex.pic");
        candidates[2] = StrJoin(folder, "iGame.iff");
        for (char*& candidate : candidates)
          if (ExistsPath(candidate, false)) {
            found = candidate;
            candidate = nullptr;
            return;
          }
      },
      [&] {
        DisposeString(folder);
        for (char* candidate : candidates) DisposeString(candidate);
      });
  return found;
}

// What a path's picture was found in: a loaded picture object (which owns
// its bitmap) or an icon's bitmap with its mask, and the size to show.
struct PictureSource {
  Object* picture = nullptr;
  BitMap* iconBitMap = nullptr;
  BitMap* iconMask = nullptr;
  BitMap* bitmap = nullptr;
  int32_t width = 0, height = 0;

  void release() {
    if (picture) DisposeDTObject(picture);
    else FreeBitMap(iconBitMap);
    freeMaskBitMap(iconMask);
    *this = PictureSource{};
  }
};

// Loads the picture file of an internal path into source; FALSE when it
// cannot be loaded or has no pixels to show.
bool loadPictureFile(const char* file, Screen* screen, PictureSource* source) {
  char* host = ExportPath(file);
  PictureResults results;
  WithCleanUp([&] { source->picture = loadPicture(host, screen, false, &results); }, [&] { DisposeString(host); });
  if (!source->picture) return false;
  source->bitmap = results.bitmap;
  source->width = results.header->bmh_Width;
  source->height = results.header->bmh_Height;
  if (source->width >= 1 && source->height >= 1) return true;
  source->release();
  return false;
}

// Loads the icon of an internal path into source; FALSE when there is none.
bool loadPathIcon(const char* path, Screen* screen, PictureSource* source) {
  char* host = ExportPath(path);
  IconResults results;
  WithCleanUp([&] { source->iconBitMap = loadIcon(host, screen, true, &results); }, [&] { DisposeString(host); });
  source->iconMask = results.mask;
  if (!source->iconBitMap) return false;
  source->bitmap = source->iconBitMap;
  source->width = results.width;
  source->height = static_cast<int32_t>(GetBitMapAttr(source->iconBitMap, BMA_HEIGHT));
  return true;
}

// Draws the source into the area's bitmap as the placement says.
void drawPlaced(const PictureSource& source, const PicturePlacement& place, BitMap* area, int32_t depth) {
  switch (place.drawing) {
    case PictureDrawing::Shrink:
    case PictureDrawing::Double:
      bitMapScale(source.bitmap, 0, 0, source.width, source.height, area, place.x, place.y, place.width,
                  place.height, depth, place.drawing == PictureDrawing::Shrink);
      break;
    case PictureDrawing::Copy:
      BltBitMap(source.bitmap, 0, 0, area, place.x, place.y, place.width, place.height, MINTERM_COPY, 0xFF,
                nullptr);
      break;
  }
}

}  // namespace

void cGuiNativeIcon::end_class() {
  if (bitmap) {
    if (Object* object = infoObject()) SetAttrs(object, MUIA_Bitmap_Bitmap, 0);
    FreeBitMap(bitmap);
    bitmap = nullptr;
  }
  DisposeString(state);
  state = nullptr;
  cGuiNativeHost::end_class();
}

cGuiNativeIcon* cGuiNativeIcon::new_cGuiNativeIcon(cGuiWindow* owner, int32_t areaWidth, int32_t areaHeight) {
  window = owner;
  bitmap = nullptr;
  state = nullptr;
  width = areaWidth;
  height = areaHeight;
  initShared();
  return this;
}

cGuiChildList* cGuiNativeIcon::build(Object** object, Object** labelObject) {
  *object = MUI_NewObject("Bitmap.mui", MUIA_Frame, MUIV_Frame_Group, MUIA_Bitmap_Width, width, MUIA_Bitmap_Height,
                          height, MUIA_FixWidth, width, MUIA_FixHeight, height,
                          bitmap ? MUIA_Bitmap_Bitmap : TAG_IGNORE, toIPTR(bitmap), MUIA_Bitmap_UseFriend, 1);
  *labelObject = nullptr;
  return cGuiChildList::of(*object);
}

bool cGuiNativeIcon::setState(const char* path) {
  if (!path) return false;
  Screen* screen = window ? static_cast<Screen*>(window->queryExtra(EXTRA_SCREEN)) : nullptr;
  Screen* lockedScreen = nullptr;
  PictureSource source;
  BitMap* made = nullptr;
  char* file = nullptr;
  char* copy = nullptr;
  return WithCleanUp(
      [&]() -> bool {
        if (!screen) screen = lockedScreen = LockPubScreen(nullptr);
        if (!screen) return false;
        BitMap* screenBitMap = screen->RastPort.BitMap;
        const int32_t depth = getBitMapDepth(screenBitMap);

        file = findPictureFile(path);
        const bool fromFile = file && loadPictureFile(file, screen, &source);
        if (!fromFile) {
          if (!loadPathIcon(path, screen, &source)) return false;
          // A tiny icon is a placeholder, not a picture of the game.
          if (source.width <= 2 && source.height <= 2) return false;
        }
        PicturePlacement place;
        if (!placePicture(source.width, source.height, width, height, &place)) return false;

        made = allocFriendBitMap(width, height, depth, screenBitMap);
        if (!made) return false;
        RastPort rp;
        InitRastPort(&rp);
        rp.BitMap = made;
        SetRast(&rp, 0);
        drawPlaced(source, place, made, depth);
        copy = StrClone(path);

        if (Object* object = infoObject()) {
          SetAttrs(object, MUIA_Bitmap_Bitmap, toIPTR(made));
          // Hidden and shown again, so that it is laid out and drawn anew.
          SetAttrs(object, MUIA_ShowMe, 0);
          SetAttrs(object, MUIA_ShowMe, 1);
        }
        FreeBitMap(bitmap);
        bitmap = made;
        made = nullptr;
        DisposeString(state);
        state = copy;
        copy = nullptr;
        return true;
      },
      [&] {
        source.release();
        FreeBitMap(made);
        DisposeString(file);
        DisposeString(copy);
        if (lockedScreen) UnlockPubScreen(nullptr, lockedScreen);
      });
}

cGuiNativeIcon* addNativeIcon(cGuiWindow* window, int32_t width, int32_t height) {
  return addNativeItem<cGuiNativeIcon>(window, "addNativeIcon(); must be done inside a group",
                                       [&](cGuiNativeIcon* icon) { icon->new_cGuiNativeIcon(window, width, height); });
}

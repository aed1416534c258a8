// cGuiNativeIcon: the fixed-size picture area of the main window. setState
// shows the picture that goes with a path (a picture file beside it, or else
// its icon), fitted into the area and centred.
#pragma once
#include <cstdint>

#include "gui/mui/hosts/gui_native_host.h"
#include "os/graphics/graphics.h"

class cGuiWindow;

class cGuiNativeIcon : public cGuiNativeHost {
  LUDEX_CLASS(cGuiNativeIcon, cGuiNativeHost)
 public:
  // Takes the bitmap out of the MUI object, then frees it and the state.
  void end_class() override;
  virtual cGuiNativeIcon* new_cGuiNativeIcon(cGuiWindow* owner, int32_t areaWidth, int32_t areaHeight);

  cGuiChildList* build(Object** object, Object** labelObject) override;
  bool infoIsFixedWidth() override { return true; }
  bool infoIsFixedHeight() override { return true; }
  bool infoUseInCycleChain() override { return false; }

  // The path whose picture is shown (NIL at first).
  virtual const char* getState() { return state; }
  // Shows the picture of the internal path: the first file that exists of
  // the path followed by ".pic", its folder's "Ludex.pic" and its folder's
  // "iGame.iff"; when there is none or it cannot be loaded, the path's icon.
  // TRUE when one was shown; FALSE leaves the item as it was (no icon either,
  // an icon of at most 2 by 2, or no bitmap to draw into).
  virtual bool setState(const char* path);
  // The bitmap shown now (the item's; NIL before the first picture).
  virtual BitMap* infoBitMap() { return bitmap; }

 private:
  cGuiWindow* window = nullptr;
  BitMap* bitmap = nullptr;  // owned
  char* state = nullptr;     // owned
  int32_t width = 0;
  int32_t height = 0;
};

// A picture area of width by height in the window's current build group;
// outside a group EPU.
cGuiNativeIcon* addNativeIcon(cGuiWindow* window, int32_t width, int32_t height);

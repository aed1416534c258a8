// cGuiPathString: a path the user types or picks with a file requester. Its
// state is a path in the program's own form.
#pragma once

#include "gui/items/gui_string_item.h"

class cGuiPathString : public cGuiStringItem {
  LUDEX_CLASS(cGuiPathString, cGuiStringItem)
  LUDEX_GUI_TYPED_INPUT(cGuiPathString)
 public:
  virtual cGuiPathString* new_cGuiPathString(const char* label) {
    onlyShowFolders = useSaveMode = showSystemFiles = false;
    newStringItem(label);
    return this;
  }
  // Keeps a copy of a valid file or folder path; NIL or "" clears the field;
  // anything else is refused (EMU) and the field keeps its path.
  cGuiPathString* setState(const char* path) override;

  // The requester picks a drawer.
  virtual cGuiPathString* initOnlyShowFolders() {
    onlyShowFolders = true;
    return this;
  }
  // The requester opens in save mode.
  virtual cGuiPathString* initUseSaveMode() {
    useSaveMode = true;
    return this;
  }
  // The requester also lists icon files.
  virtual cGuiPathString* initShowSystemFiles() {
    showSystemFiles = true;
    return this;
  }
  virtual bool infoOnlyShowFolders() { return onlyShowFolders; }
  virtual bool infoUseSaveMode() { return useSaveMode; }
  virtual bool infoShowSystemFiles() { return showSystemFiles; }

 private:
  bool onlyShowFolders = false;
  bool useSaveMode = false;
  bool showSystemFiles = false;
};

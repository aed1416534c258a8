// The steps the application's own items share when they are added: refused
// outside a group, made, constructed and handed to the window, ended when
// construction or adding fails.
#pragma once

#include "core/exception.h"
#include "gui/gui_window.h"

// Raises EPU with refusal when window is NIL or has no current build group.
template <class Item, class Construct>
Item* addNativeItem(cGuiWindow* window, const char* refusal, Construct construct) {
  if (!window || !window->infoCurrentBuildGroup()) Throw("EPU", refusal);
  auto* item = new Item;
  try {
    construct(item);
    window->addNative(item);
  } catch (...) {
    End(item);
    throw;
  }
  return item;
}

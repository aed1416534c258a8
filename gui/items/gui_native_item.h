// cGuiNativeItem: an item whose native object the platform layer or the
// application makes itself. cGuiNativeSimple wraps one object made by the
// caller; the platform's native host class, from which the application's own
// items derive, supplies the rest.
#pragma once
#include <cstdint>

#include "gui/items/gui_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiNativeItem : public cGuiItem {
  LUDEX_CLASS(cGuiNativeItem, cGuiItem)
  LUDEX_GUI_TYPED_ITEM(cGuiNativeItem)
};

// The host makes it from a list of values, the first being the native object
// (its order: object, state attribute, trigger value, label object, fixed
// width, fixed height, in cycle chain). Here it keeps nothing and has no state.
class cGuiNativeSimple : public cGuiNativeItem {
  LUDEX_CLASS(cGuiNativeSimple, cGuiNativeItem)
 public:
  virtual cGuiNativeSimple* newL(const intptr_t* values, int32_t count) {
    (void)values, (void)count;
    initShared();
    return this;
  }
  // The value of the native object's state attribute.
  virtual intptr_t getState() { return 0; }
  virtual cGuiNativeSimple* setState(intptr_t value) {
    (void)value;
    return this;
  }
};

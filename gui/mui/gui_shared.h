// cGuiShared: the record every host item keeps of its MUI objects. Its build
// asks the item for its objects (shared_cGuiItem id 0), links the item into
// the window's build sequence and, for a group, takes the sequence's end from
// the group's own record.
#pragma once
#include <cstdint>

#include "gui/items/gui_item.h"
#include "gui/items/gui_shared_base.h"
#include "gui/mui/gui_child_list.h"

class cGuiWindowHost;

class cGuiShared : public cGuiSharedBase {
  LUDEX_CLASS(cGuiShared, cGuiSharedBase)
 public:
  // Builds the item after lastItem in the build sequence. Returns the item's
  // child list (owned by the caller, NIL when the item made none) and, in
  // *newLastItem, the last item of the sequence so far.
  virtual cGuiChildList* build(cGuiItem* lastItem, cGuiWindowHost* window, bool stretchWidth, bool stretchHeight,
                               cGuiItem** newLastItem);
  // The item's answers to shared_cGuiItem ids 1 to 4.
  virtual intptr_t setupNotify();
  virtual bool infoIsFixedWidth();
  virtual bool infoIsFixedHeight();
  virtual bool infoUseInCycleChain();

  // Forgets the objects, after a build whose objects are gone.
  void forgetObjects() {
    labelObject = object = nullptr;
    lastItem = nullptr;
  }

  Object* labelObject = nullptr;
  Object* object = nullptr;
  cGuiWindowHost* window = nullptr;
  cGuiItem* lastItem = nullptr;  // a group's last descendant in the build sequence
};

// The record of an item of a host class (NIL for an item without one).
inline cGuiShared* sharedOf(cGuiItem* item) {
  cGuiSharedBase* base = item ? item->internalShared() : nullptr;
  return base && base->IsOfClassType("cGuiShared") ? static_cast<cGuiShared*>(base) : nullptr;
}

// A new record for item, which the host's initShared attaches.
inline cGuiSharedBase* newSharedFor(cGuiItem* item) { return (new cGuiShared)->new_cGuiSharedBase(item); }

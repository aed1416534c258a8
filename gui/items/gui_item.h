// cGuiItem: every element of a window description. An item records the
// options and state the application gives it; the platform's host class,
// derived from each leaf class, makes the native object from them when the
// window is built and from then on reads and writes the state through it.
//
// Conventions of every item class:
// - Objects come zero-filled from the window's factory; the constructor
//   method (new_cGuiButton(...)) sets the rest and ends with initShared(),
//   through which the host class attaches its native record.
// - init... operations set options read at build time, set.../get... change
//   and read the state before and after the build, info... only read.
// - Every init and set operation returns the object, typed as the class that
//   declares it last, so calls chain: addButton("X")->initUseLeastSpace().
// - Refusals raise EMU and change nothing.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "gui/items/gui_shared_base.h"

class cGuiGroupItem;

// Method ids of shared_cGuiItem: the platform work a host class supplies.
enum GuiSharedMethod : int32_t {
  GUI_SHARED_BUILD = 0,             // params: stretchWidth, stretchHeight; result: the child tag list
  GUI_SHARED_SETUP_NOTIFY = 1,      // result: non-zero when done
  GUI_SHARED_FIXED_WIDTH = 2,       // result: TRUE when the item keeps a fixed width
  GUI_SHARED_FIXED_HEIGHT = 3,      // result: TRUE when the item keeps a fixed height
  GUI_SHARED_IN_CYCLE_CHAIN = 4,    // result: TRUE when the object is in the keyboard cycle chain
};

class cGuiItem : public class_base {
  LUDEX_CLASS(cGuiItem, class_base)
  friend class cGuiGroupItem;

 public:
  // Ends the native record; an error raised meanwhile is dropped.
  void end_class() override;

  // The host contract: attach a native record (attachShared) and do the
  // platform work chosen by id (GuiSharedMethod) with params (a list of
  // paramCount words, or NIL). Both do nothing here.
  virtual void initShared() {}
  virtual intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
    (void)id, (void)params, (void)paramCount;
    return 0;
  }

  // Change events of this item are reported for target instead (NIL: itself).
  // A target whose own redirects lead back here is refused (EMU): the event
  // delivery follows the chain to its end.
  virtual cGuiItem* setRedirectEventTo(cGuiItem* target);
  virtual cGuiItem* getRedirectEventTo() { return redirect; }
  // A 32-bit value of the application's that the toolkit never interprets.
  virtual cGuiItem* setData(int32_t value) {
    data = value;
    return this;
  }
  virtual int32_t getData() { return data; }
  // The next item of the same group, NIL after the last.
  virtual cGuiItem* infoNextInGroup() { return nextInGroup; }

  // For the toolkit's own use: the native record, the parent group and the
  // link of the window's build sequence.
  virtual cGuiSharedBase* internalShared() { return shared; }
  virtual cGuiItem* internalInitParent(cGuiGroupItem* group) {
    parent = group;
    return this;
  }
  virtual cGuiGroupItem* internalParent() { return parent; }
  virtual cGuiItem* internalGetSeqItem() { return seqItem; }
  virtual void internalSetSeqItem(cGuiItem* item) { seqItem = item; }
  // The raw next-in-group link, also where a subclass overrides infoNextInGroup.
  virtual cGuiItem* internalInfoNextInGroup() { return nextInGroup; }

 protected:
  // Makes record the item's native record, ending any earlier one. For the
  // host classes' initShared.
  void attachShared(cGuiSharedBase* record);

 private:
  cGuiItem* nextInGroup = nullptr;
  int32_t data = 0;
  cGuiItem* redirect = nullptr;
  cGuiSharedBase* shared = nullptr;  // owned
  cGuiGroupItem* parent = nullptr;
  cGuiItem* seqItem = nullptr;
};

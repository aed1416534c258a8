// cGuiInputItem: an item the user changes. It can be ghosted, and a change
// delivered for it runs its change notification.
#pragma once

#include "gui/items/gui_notify.h"
#include "gui/items/gui_output_item.h"

class cGuiInputItem : public cGuiOutputItem {
  LUDEX_CLASS(cGuiInputItem, cGuiOutputItem)
 public:
  // Runs the change notification with this item, when there is one. The event
  // delivery calls it for every change delivered for the item.
  virtual void notifyStateHasChanged() {
    if (notify) notify->call(this);
  }
  // The item is shown disabled and takes no input.
  virtual cGuiInputItem* setGhosted(bool flag) {
    ghosted = flag;
    return this;
  }
  virtual bool getGhosted() { return ghosted; }
  // The notification to run on a change (not owned; NIL: none).
  virtual cGuiInputItem* setNotifyFunction(funcGuiNotify* f) {
    notify = f;
    return this;
  }
  virtual funcGuiNotify* getNotifyFunction() { return notify; }

 private:
  bool ghosted = false;
  funcGuiNotify* notify = nullptr;  // the caller's
};

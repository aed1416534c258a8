// The base of the native record that the platform's host class attaches to
// every item: the platform keeps its objects for the item in a subclass.
#pragma once

#include "core/class_base.h"

class cGuiItem;

class cGuiSharedBase : public class_base {
  LUDEX_CLASS(cGuiSharedBase, class_base)
 public:
  // Stores the item the record belongs to; returns the record.
  virtual cGuiSharedBase* new_cGuiSharedBase(cGuiItem* owner) {
    item = owner;
    return this;
  }
  cGuiItem* infoItem() const { return item; }

 protected:
  cGuiItem* item = nullptr;
};

// The change notification of an input item: the application derives from it
// and reacts in call(), which the event delivery runs with the changed item.
#pragma once

#include "core/class_base.h"

class cGuiItem;

class funcGuiNotify : public function {
  LUDEX_CLASS(funcGuiNotify, function)
 public:
  virtual void call(cGuiItem* item) { (void)item; }
};

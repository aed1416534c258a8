// The comparator of mega-list nodes: the order used by sort, sortedFind and
// sortedInsert. Derived comparators (the GUI toolkit's list sorts) override
// call.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "core/lists/mega_mini_list.h"

class fCompareMegaNodes : public function {
  LUDEX_CLASS(fCompareMegaNodes, function)
 public:
  virtual void new_fCompareMegaNodes() { new_function(); }
  // Positive when a comes before b, negative when b comes before a, 0 when
  // they are equal. This one compares the data words: the sign of
  // value(b) - value(a) in 32-bit wrapping arithmetic, so plain values sort
  // ascending as long as they lie less than 2^31 apart.
  virtual int8_t call(cMegaMiniList* store, oMegaNode* a, oMegaNode* b);
};

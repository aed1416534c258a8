#include "core/lists/mega_compare.h"

int8_t fCompareMegaNodes::call(cMegaMiniList* store, oMegaNode* a, oMegaNode* b) {
  const intptr_t va = store->node_read(a);
  const intptr_t vb = store->node_read(b);
  if (va == vb) return 0;
  // The documented order wraps at 32 bits, whatever the width of a word.
  const auto difference = static_cast<int32_t>(static_cast<uint32_t>(vb) - static_cast<uint32_t>(va));
  // Words that differ only above their low 32 bits still are not equal.
  if (difference == 0) return vb > va ? 1 : -1;
  return difference > 0 ? 1 : -1;
}

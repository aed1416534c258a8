#include "core/lists/mega_list_module.h"

#include "core/lists/mega_compare.h"

fCompareMegaNodes* defaultCompareMegaNodes = nullptr;

void new_cmegalist() {
  if (defaultCompareMegaNodes) return;
  auto* comparator = new fCompareMegaNodes;
  try {
    comparator->new_fCompareMegaNodes();
  } catch (...) {
    End(comparator);
    throw;
  }
  defaultCompareMegaNodes = comparator;
}

void end_cmegalist() { End(defaultCompareMegaNodes); }

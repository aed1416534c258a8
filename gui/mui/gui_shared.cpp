#include "gui/mui/gui_shared.h"

#include <cstdio>

#include "gui/groups/gui_group_item.h"

cGuiChildList* cGuiShared::build(cGuiItem* previous, cGuiWindowHost* buildWindow, bool stretchWidth,
                                 bool stretchHeight, cGuiItem** newLastItem) {
  if (previous) previous->internalSetSeqItem(item);
  window = buildWindow;
  const intptr_t params[2] = {stretchWidth ? 1 : 0, stretchHeight ? 1 : 0};
  cGuiChildList* list = asChildList(item->shared_cGuiItem(GUI_SHARED_BUILD, params, 2));
  cGuiItem* last = item;
  if (item->IsOfClassType("cGuiGroupItem")) {
    cGuiItem* first = static_cast<cGuiGroupItem*>(item)->infoFirstItem();
    if (first) {
      item->internalSetSeqItem(first);
      last = lastItem;
      if (!last) std::printf("# OOPS: cGuiShared.build(); lastItem2=NIL for item \"%s\"\n", item->InfoClassType());
    }
  }
  if (newLastItem) *newLastItem = last;
  return list;
}

intptr_t cGuiShared::setupNotify() { return item->shared_cGuiItem(GUI_SHARED_SETUP_NOTIFY, nullptr, 0); }
bool cGuiShared::infoIsFixedWidth() { return item->shared_cGuiItem(GUI_SHARED_FIXED_WIDTH, nullptr, 0) != 0; }
bool cGuiShared::infoIsFixedHeight() { return item->shared_cGuiItem(GUI_SHARED_FIXED_HEIGHT, nullptr, 0) != 0; }
bool cGuiShared::infoUseInCycleChain() { return item->shared_cGuiItem(GUI_SHARED_IN_CYCLE_CHAIN, nullptr, 0) != 0; }

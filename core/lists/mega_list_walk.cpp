#include "core/lists/mega_list_walk.h"

#include "core/lists/mega_list.h"

const std::vector<intptr_t>& MegaListWalk::dataOf(cMegaListGeneric* list) {
  const uint64_t stamp = list ? list->infoMiniList()->infoChangeStamp() : 0;
  if (list == list_ && stamp == stamp_ && stamp != 0) return data_;
  data_.clear();
  list_ = list;
  stamp_ = stamp;
  if (!list) return data_;
  const oMiniNode* const pastEnd = list->infoPastEnd()->node;
  for (const oMiniNode* n = list->infoStart()->node; n && n != pastEnd; n = n->next) data_.push_back(n->data);
  return data_;
}

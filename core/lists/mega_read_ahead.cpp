#include "core/lists/mega_read_ahead.h"

#include "core/lists/mega_cursor.h"
#include "core/lists/mega_list.h"

namespace {
constexpr int32_t LEAD = MegaReadAhead::FAR + 4;

oMiniNode* onFrom(oMiniNode* node, oMiniNode* end, int32_t steps) {
  for (; node && node != end && steps > 0; --steps) node = node->next;
  return node;
}
}  // namespace

void MegaReadAhead::start(cMegaCursorGeneric* cursor) {
  oMiniNode* at = cursor ? cursor->node : nullptr;
  end_ = at && cursor->owner ? cursor->owner->pastEndCursor->node : nullptr;
  lead_ = onFrom(at, end_, LEAD);
  far_ = onFrom(at, end_, FAR);
  near_ = onFrom(at, end_, NEAR);
}

MegaReadAhead::Ahead MegaReadAhead::step() {
  auto on = [&](oMiniNode*& node) {
    if (node && node != end_) node = node->next;
  };
  on(lead_);
  on(far_);
  on(near_);
  if (lead_ && lead_ != end_) __builtin_prefetch(lead_);
  auto dataOf = [&](const oMiniNode* node) { return node && node != end_ ? node->data : 0; };
  return Ahead{dataOf(far_), dataOf(near_)};
}

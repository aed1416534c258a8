#include "os/utility/tags.h"

namespace {
// A TAG_MORE chain longer than this is taken as a loop and ends the walk.
constexpr int MAX_CHAINED_LISTS = 1000;
}  // namespace

TagItem* NextTagItem(TagItem** state) {
  if (!state) return nullptr;
  int chained = 0;
  while (TagItem* item = *state) {
    switch (item->ti_Tag) {
      case TAG_DONE:
        *state = nullptr;
        return nullptr;
      case TAG_IGNORE:
        ++*state;
        break;
      case TAG_MORE:
        if (++chained > MAX_CHAINED_LISTS) {
          *state = nullptr;
          return nullptr;
        }
        *state = reinterpret_cast<TagItem*>(item->ti_Data);
        break;
      case TAG_SKIP:
        *state += 1 + (item->ti_Data > 0 ? item->ti_Data : 0);
        break;
      default:
        ++*state;
        return item;
    }
  }
  return nullptr;
}

TagItem* FindTagItem(Tag tag, const TagItem* list) {
  TagItem* state = const_cast<TagItem*>(list);
  while (TagItem* item = NextTagItem(&state))
    if (item->ti_Tag == tag) return item;
  return nullptr;
}

intptr_t GetTagData(Tag tag, intptr_t defaultValue, const TagItem* list) {
  const TagItem* item = FindTagItem(tag, list);
  return item ? item->ti_Data : defaultValue;
}

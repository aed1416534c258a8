// utility.library, hosted: tag lists. A tag list is an array of (tag, data)
// pairs ended by TAG_DONE; the control tags below chain, skip and ignore items.
// Tag data is pointer-sized: it carries numbers, flags, strings and pointers.
#pragma once
#include <cstdint>

using Tag = uint32_t;

struct TagItem {
  Tag ti_Tag;
  intptr_t ti_Data;
};

constexpr Tag TAG_DONE = 0;    // ends the list
constexpr Tag TAG_END = 0;
constexpr Tag TAG_IGNORE = 1;  // this item is skipped
constexpr Tag TAG_MORE = 2;    // the list goes on at the TagItem* in ti_Data
constexpr Tag TAG_SKIP = 3;    // this item and the next ti_Data items are skipped
constexpr Tag TAG_USER = 0x80000000u;

// Steps through a tag list, following TAG_MORE and leaving out the control
// items. *state starts at the list; returns the next user item, or NIL at the end.
TagItem* NextTagItem(TagItem** state);
// The first item of the list with that tag, or NIL.
TagItem* FindTagItem(Tag tag, const TagItem* list);
// The data of the first item with that tag, or defaultValue when none.
intptr_t GetTagData(Tag tag, intptr_t defaultValue, const TagItem* list);

#include "core/strings/string_space.h"

#include <exception>

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/string_hash.h"
#include "core/strings/text.h"

bool keyCmp(bool exact, const char* a, const char* b) { return exact ? StrCmp(a, b) : StrCmpNoCase(a, b); }

void itemNode_cstringspace::new_itemNode3(intptr_t itemData, char* keyCopy, bool ownsData,
                                          itemNode_cstringspace* nextItem) {
  data = itemData;
  key = keyCopy;
  autoDealloc = ownsData;
  next = nextItem;
}

void itemNode_cstringspace::end_class() {
  // Every part is released even when ending one object fails; the first
  // error passes on afterwards.
  std::exception_ptr failure;
  // The rest of the chain, one item at a time rather than by recursion.
  itemNode_cstringspace* rest = next;
  next = nullptr;
  while (rest) {
    itemNode_cstringspace* after = rest->next;
    rest->next = nullptr;
    try {
      End(rest);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    rest = after;
  }
  if (autoDealloc && data) {
    try {
      EndObject(reinterpret_cast<class_base*>(data));
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  data = 0;
  DisposeString(key);
  key = nullptr;
  class_base::end_class();
  if (failure) std::rethrow_exception(failure);
}

void cStringSpace::new_cStringSpace(bool ownsObjects, int32_t caseMode) {
  autoDealloc = ownsObjects;
  caseSensitive = (caseMode == CASE_INSENSITIVE || caseMode == CASE_CHOSEN_PER_CALL) ? caseMode : CASE_SENSITIVE;
  // The number space owns the chain heads: what it drops, it ends.
  numberSpace = new cNumberSpace;
  numberSpace->new_cNumberSpace(true);
}

void cStringSpace::end_class() {
  iterItem = nullptr;
  // Ending always completes.
  try {
    End(numberSpace);
  } catch (...) {
  }
  class_base::end_class();
}

intptr_t cStringSpace::hashKey(const char* key) const {
  // Only a case-sensitive space hashes exactly, so keys that differ only in
  // case always meet in one chain otherwise.
  return static_cast<intptr_t>(hashString(key, caseSensitive == CASE_SENSITIVE));
}

itemNode_cstringspace* cStringSpace::head(intptr_t hash) {
  return reinterpret_cast<itemNode_cstringspace*>(numberSpace->get_cNumberSpace(hash));
}

void cStringSpace::noteChange() {
  if (iterItem) {
    iterItem = nullptr;
    iterBroken = true;
  }
}

intptr_t cStringSpace::set_cStringSpace(const char* key, intptr_t data, bool keepOld, bool* existed) {
  if (!data) Throw("EMU", "cStringSpace.set(); data=NIL");
  const intptr_t hash = hashKey(key);
  itemNode_cstringspace* first = head(hash);
  itemNode_cstringspace* item = first;
  while (item && !keyCmp(caseSensitive == CASE_SENSITIVE, item->key, key)) item = item->next;

  intptr_t displaced = 0;
  if (item) {
    bool replace = !keepOld;
    // When each call chooses the case, a key differing in case is the same
    // key for storing but its data is left alone.
    if (caseSensitive == CASE_CHOSEN_PER_CALL && !StrCmp(item->key, key)) replace = false;
    if (replace) {
      displaced = item->data;
      item->data = data;
    } else {
      displaced = data;
    }
    // Storing the object that is already stored displaces nothing.
    if (autoDealloc && displaced == item->data) displaced = 0;
  } else {
    char* keyCopy = StrClone(key);
    itemNode_cstringspace* fresh = nullptr;
    try {
      fresh = new itemNode_cstringspace;
    } catch (...) {
      DisposeString(keyCopy);
      throw;
    }
    if (first) {
      // The new key becomes the head of its chain. The head item stays the
      // number space's entry and takes the new key; its former contents move
      // to the new item behind it. The number space is not touched, so
      // nothing can fail half-way.
      fresh->new_itemNode3(first->data, first->key, first->autoDealloc, first->next);
      first->data = data;
      first->key = keyCopy;
      first->autoDealloc = autoDealloc;
      first->next = fresh;
    } else {
      fresh->new_itemNode3(data, keyCopy, autoDealloc, nullptr);
      try {
        numberSpace->set_cNumberSpace(hash, reinterpret_cast<intptr_t>(fresh));
      } catch (...) {
        // The data stays the caller's.
        fresh->data = 0;
        End(fresh);
        throw;
      }
    }
    noteChange();
  }
  if (existed) *existed = item != nullptr;
  if (autoDealloc && displaced) {
    EndObject(reinterpret_cast<class_base*>(displaced));
    return 0;
  }
  return displaced;
}

intptr_t cStringSpace::get_cStringSpace(const char* key, bool remove, bool ignoreCase) {
  const bool exact = caseSensitive == CASE_SENSITIVE || (caseSensitive == CASE_CHOSEN_PER_CALL && !ignoreCase);
  const intptr_t hash = hashKey(key);
  itemNode_cstringspace* previous = nullptr;
  itemNode_cstringspace* item = head(hash);
  while (item && !keyCmp(exact, item->key, key)) {
    previous = item;
    item = item->next;
  }
  if (!item) return 0;
  const intptr_t data = item->data;
  if (!remove) return data;

  item->data = 0;
  noteChange();
  itemNode_cstringspace* successor = item->next;
  item->next = nullptr;
  if (previous) {
    previous->next = successor;
    End(item);
  } else if (successor) {
    // The successor takes the head's place; the number space ends the old head.
    if (numberSpace->set_cNumberSpace(hash, reinterpret_cast<intptr_t>(successor)))
      Throw("BUG", "cStringSpace.get(); head node was unexpectedly returned, rather than being auto-deallocated");
  } else {
    numberSpace->get_cNumberSpace(hash, true);
    End(item);
  }
  return data;
}

bool cStringSpace::delete_cStringSpace(const char* key, bool ignoreCase) {
  const intptr_t data = get_cStringSpace(key, true, ignoreCase);
  if (!data) return false;
  if (autoDealloc) EndObject(reinterpret_cast<class_base*>(data));
  return true;
}

bool cStringSpace::itemGotoFirst() {
  iterBroken = false;
  iterItem = numberSpace->itemGotoFirst() ? reinterpret_cast<itemNode_cstringspace*>(numberSpace->itemInfo())
                                          : nullptr;
  return iterItem != nullptr;
}

bool cStringSpace::itemGotoNext() {
  if (iterBroken) Throw("EMU", "cStringSpace.itemGotoNext(); the space changed during the iteration");
  if (!iterItem) return false;
  if (iterItem->next) {
    iterItem = iterItem->next;
    return true;
  }
  iterItem = numberSpace->itemGotoNext() ? reinterpret_cast<itemNode_cstringspace*>(numberSpace->itemInfo())
                                         : nullptr;
  return iterItem != nullptr;
}

intptr_t cStringSpace::itemInfo(const char** key) {
  if (key) *key = iterItem ? iterItem->key : nullptr;
  return iterItem ? iterItem->data : 0;
}

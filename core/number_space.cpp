#include "core/number_space.h"

#include "core/arena.h"
#include "core/exception.h"

const int32_t primesUnderTwoToPowerOf[NUMBERSPACE_POWERS] = {
    0,       0,        0,        0,        0,         0,         53,        97,
    193,     389,      769,      1543,     3079,      6151,      12289,     24593,
    49157,   98317,    196613,   393241,   786433,    1572869,   3145739,   6291469,
    12582917, 25165843, 50331653, 100663319, 201326611, 402653189, 805306457,
};

namespace {
// A fresh table has 193 buckets; each growth multiplies them by about four.
constexpr int32_t FIRST_POWER = 8;
constexpr int32_t LAST_POWER = 30;

numberSpaceItem** newBuckets(int32_t count) {
  return static_cast<numberSpaceItem**>(Arena::alloc(sizeof(numberSpaceItem*) * static_cast<size_t>(count)));
}
}  // namespace

void new_cnumberspace_safe() {}
void new_cnumberspace() {}

void cNumberSpace::new_cNumberSpace(bool ownsObjects) {
  autoDealloc = ownsObjects;
  power = FIRST_POWER;
  bucketCount = primesUnderTwoToPowerOf[FIRST_POWER];
  table = newBuckets(bucketCount);
  count = 0;
}

void cNumberSpace::end_class() {
  numberSpaceItem** tables[2] = {table, oldTable};
  const int32_t sizes[2] = {bucketCount, oldBucketCount};
  // Detach everything first, so an object ended below that looks at this
  // space finds it empty.
  table = oldTable = nullptr;
  bucketCount = oldBucketCount = count = oldCount = migrationIndex = 0;
  iterTable = nullptr;
  iterItem = nullptr;
  for (int t = 0; t < 2; ++t) {
    if (!tables[t]) continue;
    for (int32_t b = 0; b < sizes[t]; ++b) {
      numberSpaceItem* item = tables[t][b];
      while (item) {
        numberSpaceItem* next = item->next;
        const intptr_t data = item->data;
        Arena::release(item);
        // Ending always completes: an error of one object does not keep the
        // others alive.
        if (autoDealloc) {
          try {
            endData(data);
          } catch (...) {
          }
        }
        item = next;
      }
    }
    Arena::release(tables[t]);
  }
  class_base::end_class();
}

int32_t cNumberSpace::bucketOf(intptr_t key, int32_t buckets) const {
  // Only the low 31 bits choose the bucket; the whole key tells items apart.
  return static_cast<int32_t>((static_cast<uint32_t>(key) & 0x7FFFFFFFu) % static_cast<uint32_t>(buckets));
}

void cNumberSpace::endData(intptr_t data) { EndObject(reinterpret_cast<class_base*>(data)); }

void cNumberSpace::noteChange() {
  if (iterItem) {
    iterItem = nullptr;
    iterTable = nullptr;
    iterBroken = true;
  }
}

intptr_t cNumberSpace::findMatchingItem(intptr_t key, bool remove, numberSpaceItem** item,
                                        numberSpaceItem*** itemTable, numberSpaceItem** previous,
                                        int32_t* bucketIndex) {
  if (item) *item = nullptr;
  if (itemTable) *itemTable = nullptr;
  if (previous) *previous = nullptr;
  if (bucketIndex) *bucketIndex = -1;
  numberSpaceItem** tables[2] = {table, oldTable};
  const int32_t sizes[2] = {bucketCount, oldBucketCount};
  for (int t = 0; t < 2; ++t) {
    if (!tables[t]) continue;
    const int32_t b = bucketOf(key, sizes[t]);
    numberSpaceItem* prev = nullptr;
    for (numberSpaceItem* it = tables[t][b]; it; prev = it, it = it->next) {
      if (it->key != key) continue;
      const intptr_t data = it->data;
      if (bucketIndex) *bucketIndex = b;
      if (!remove) {
        if (item) *item = it;
        if (itemTable) *itemTable = tables[t];
        if (previous) *previous = prev;
        return data;
      }
      if (prev) prev->next = it->next; else tables[t][b] = it->next;
      if (t == 0) --count; else --oldCount;
      Arena::release(it);
      noteChange();
      freeOldTableIfEmpty();
      return data;
    }
  }
  return 0;
}

numberSpaceItem* cNumberSpace::firstAtOrBelow(numberSpaceItem** buckets, int32_t from, int32_t* index) {
  for (int32_t b = from; b >= 0; --b) {
    if (buckets[b]) {
      *index = b;
      return buckets[b];
    }
  }
  *index = -1;
  return nullptr;
}

void cNumberSpace::moveToCurrent(numberSpaceItem* item) {
  const int32_t b = bucketOf(item->key, bucketCount);
  item->next = table[b];
  table[b] = item;
  --oldCount;
  ++count;
  noteChange();
}

void cNumberSpace::freeOldTableIfEmpty() {
  if (oldTable && oldCount == 0) {
    Arena::release(oldTable);
    oldTable = nullptr;
    oldBucketCount = 0;
    migrationIndex = 0;
  }
}

numberSpaceItem* cNumberSpace::optimiseTables(numberSpaceItem* item, numberSpaceItem** itemTable,
                                              numberSpaceItem* previous, int32_t bucketIndex,
                                              numberSpaceItem*** resultTable) {
  if (oldTable) {
    if (item && itemTable == oldTable) {
      numberSpaceItem** link = previous ? &previous->next : &oldTable[bucketIndex];
      if (bucketIndex < 0 || bucketIndex >= oldBucketCount || *link != item)
        Throw("BUG", "cNumberSpace.optimiseTables(); item is not where it was reported");
      *link = item->next;
      moveToCurrent(item);
      itemTable = table;
    } else if (oldCount > 0) {
      int32_t b = 0;
      numberSpaceItem* head = firstAtOrBelow(oldTable, migrationIndex, &b);
      if (!head) Throw("BUG", "cNumberSpace.set(); tempNode=NIL");
      migrationIndex = b;
      oldTable[b] = head->next;
      moveToCurrent(head);
    }
    freeOldTableIfEmpty();
  }
  if (resultTable) *resultTable = itemTable;
  return item;
}

void cNumberSpace::growIfFull() {
  if (power >= LAST_POWER || oldTable) return;
  if (static_cast<int64_t>(count) < 2 * static_cast<int64_t>(bucketCount)) return;
  const int32_t newPower = power + 2 > LAST_POWER ? LAST_POWER : power + 2;
  const int32_t newCount = primesUnderTwoToPowerOf[newPower];
  numberSpaceItem** fresh = newBuckets(newCount);  // MEM here leaves the space as it was
  oldTable = table;
  oldBucketCount = bucketCount;
  oldCount = count;
  migrationIndex = bucketCount - 1;
  power = newPower;
  bucketCount = newCount;
  table = fresh;
  count = 0;
}

intptr_t cNumberSpace::set_cNumberSpace(intptr_t key, intptr_t data, bool keepOld, bool* existed) {
  if (!data) Throw("EMU", "cNumberSpace.set(); data=NIL");
  numberSpaceItem* item = nullptr;
  numberSpaceItem** itemTable = nullptr;
  numberSpaceItem* previous = nullptr;
  int32_t b = -1;
  findMatchingItem(key, false, &item, &itemTable, &previous, &b);
  const bool present = item != nullptr;
  intptr_t displaced = 0;
  if (present) {
    if (keepOld) {
      displaced = data;
    } else {
      displaced = item->data;
      item->data = data;
    }
    // Storing the object that is already stored displaces nothing: ending it
    // would leave the item pointing at an ended object.
    if (autoDealloc && displaced == item->data) displaced = 0;
  } else {
    auto* fresh = static_cast<numberSpaceItem*>(Arena::alloc(sizeof(numberSpaceItem)));
    try {
      growIfFull();
    } catch (...) {
      Arena::release(fresh);
      throw;
    }
    b = bucketOf(key, bucketCount);
    fresh->data = data;
    fresh->key = key;
    fresh->next = table[b];
    table[b] = fresh;
    ++count;
    noteChange();
    item = fresh;
    itemTable = table;
    previous = nullptr;
  }
  if (existed) *existed = present;
  if (!iterItem) optimiseTables(item, itemTable, previous, b);
  if (autoDealloc && displaced) {
    endData(displaced);
    return 0;
  }
  return displaced;
}

intptr_t cNumberSpace::get_cNumberSpace(intptr_t key, bool remove) {
  numberSpaceItem* item = nullptr;
  numberSpaceItem** itemTable = nullptr;
  numberSpaceItem* previous = nullptr;
  int32_t b = -1;
  const intptr_t data = findMatchingItem(key, remove, &item, &itemTable, &previous, &b);
  // A lookup under way of an iteration moves nothing, so it cannot make the
  // iteration skip or repeat items.
  if (oldTable && !iterItem) optimiseTables(item, itemTable, previous, b);
  return data;
}

bool cNumberSpace::delete_cNumberSpace(intptr_t key) {
  const intptr_t data = findMatchingItem(key, true);
  if (!data) return false;
  if (autoDealloc) endData(data);
  return true;
}

bool cNumberSpace::itemGotoFirst() {
  iterBroken = false;
  iterItem = nullptr;
  iterTable = nullptr;
  numberSpaceItem** tables[2] = {table, oldTable};
  const int32_t sizes[2] = {bucketCount, oldBucketCount};
  for (int t = 0; t < 2; ++t) {
    if (!tables[t]) continue;
    int32_t b = 0;
    numberSpaceItem* first = firstAtOrBelow(tables[t], sizes[t] - 1, &b);
    if (first) {
      iterTable = tables[t];
      iterBucketCount = sizes[t];
      iterBucketIndex = b;
      iterItem = first;
      return true;
    }
  }
  return false;
}

bool cNumberSpace::itemGotoNext() {
  if (iterBroken) Throw("EMU", "cNumberSpace.itemGotoNext(); the space changed during the iteration");
  if (!iterItem) return false;
  if (iterItem->next) {
    iterItem = iterItem->next;
    return true;
  }
  int32_t b = 0;
  numberSpaceItem* next = firstAtOrBelow(iterTable, iterBucketIndex - 1, &b);
  if (!next && iterTable == table && oldTable) {
    next = firstAtOrBelow(oldTable, oldBucketCount - 1, &b);
    iterTable = oldTable;
    iterBucketCount = oldBucketCount;
  }
  if (!next) {
    iterItem = nullptr;
    iterTable = nullptr;
    return false;
  }
  iterBucketIndex = b;
  iterItem = next;
  return true;
}

intptr_t cNumberSpace::itemInfo(intptr_t* key) {
  if (key) *key = iterItem ? iterItem->key : 0;
  return iterItem ? iterItem->data : 0;
}

// Number space: a hash table from a pointer-sized number to an object (or, in
// cNumberSpace_VALUE, to a plain value).
//
// The table grows four-fold once it holds twice as many items as it has
// buckets, but never rehashes in one go: the old table stays beside the new
// one and every later store or lookup moves one of its items across, so no
// single call pays for the whole rehash. Every key lives in exactly one of the
// two tables; lookups, removals and iteration treat them as one.
#pragma once
#include <cstdint>

#include "core/class_base.h"

// One entry of a bucket chain. Items are only ever relinked, never copied.
struct numberSpaceItem {
  intptr_t data;
  intptr_t key;
  numberSpaceItem* next;
};

// Bucket counts by size class (power): a prime below 2^power, 0 below power 6.
constexpr int32_t NUMBERSPACE_POWERS = 31;
extern const int32_t primesUnderTwoToPowerOf[NUMBERSPACE_POWERS];

class cNumberSpace : public class_base {
  LUDEX_CLASS(cNumberSpace, class_base)
 public:
  // autoDealloc: the space owns its objects and ends them when they are
  // replaced, displaced, deleted or still present when the space ends.
  virtual void new_cNumberSpace(bool autoDealloc);
  void end_class() override;

  // Searches the current table, then the old one. Returns the data (NIL when
  // absent) and reports the item, the bucket table it lies in, the item before
  // it in its bucket (NIL at the head) and its bucket index. With remove the
  // item is unlinked and freed and its data returned, never ended; then only
  // the bucket index is reported (item, table and previous read NIL).
  virtual intptr_t findMatchingItem(intptr_t key, bool remove, numberSpaceItem** item = nullptr,
                                    numberSpaceItem*** table = nullptr, numberSpaceItem** previous = nullptr,
                                    int32_t* bucketIndex = nullptr);
  virtual bool infoAutoDealloc() { return autoDealloc; }
  // Removes the key's item, ending its data in an autoDealloc space. TRUE when
  // the key was present.
  virtual bool delete_cNumberSpace(intptr_t key);
  // One migration step of a pending rehash: moves the looked-up item when it
  // still lies in the old table, else the next item of the old table. Returns
  // the looked-up item; *itemTable gets the table it lies in afterwards.
  virtual numberSpaceItem* optimiseTables(numberSpaceItem* item, numberSpaceItem** table,
                                          numberSpaceItem* previous, int32_t bucketIndex,
                                          numberSpaceItem*** itemTable = nullptr);
  // Stores data (not NIL: EMU) under the key. A present key keeps its data
  // when keepOld is set (the new data is displaced), else gets the new data
  // (the old is displaced). Returns the displaced data; an autoDealloc space
  // ends it and returns NIL. *existed gets TRUE when the key was present.
  virtual intptr_t set_cNumberSpace(intptr_t key, intptr_t data, bool keepOld = false, bool* existed = nullptr);
  // The data stored under the key, or NIL. With remove the item is taken out
  // and its data handed back (never ended).
  virtual intptr_t get_cNumberSpace(intptr_t key, bool remove = false);

  // Iteration: the current table's buckets from the last down to the first,
  // each chain from its head, then the old table the same way. While an
  // iteration is under way no call moves items between the tables, so lookups
  // and replacing the data of a present key leave it undisturbed. Adding or
  // removing an item ends it: the next itemGotoNext raises EMU.
  virtual bool itemGotoFirst();
  virtual bool itemGotoNext();
  // The current item's data and *key its key; NIL and 0 when there is none.
  virtual intptr_t itemInfo(intptr_t* key = nullptr);

  // Number of items in both tables.
  int32_t infoCount() const { return count + oldCount; }

  bool autoDealloc = false;
  int32_t power = 0;
  int32_t bucketCount = 0;
  numberSpaceItem** table = nullptr;
  int32_t count = 0;
  int32_t oldBucketCount = 0;
  numberSpaceItem** oldTable = nullptr;
  int32_t oldCount = 0;
  int32_t migrationIndex = 0;  // next old bucket to drain, counting down

  numberSpaceItem** iterTable = nullptr;
  int32_t iterBucketCount = 0;
  int32_t iterBucketIndex = 0;
  numberSpaceItem* iterItem = nullptr;
  bool iterBroken = false;  // the space changed under an iteration

 private:
  int32_t bucketOf(intptr_t key, int32_t buckets) const;
  void growIfFull();
  void freeOldTableIfEmpty();
  void noteChange();
  // Moves an item of the old table (already unlinked) to its bucket's head in
  // the current table.
  void moveToCurrent(numberSpaceItem* item);
  // First item at or below bucket index `from` of the table, its bucket in *index.
  static numberSpaceItem* firstAtOrBelow(numberSpaceItem** buckets, int32_t from, int32_t* index);
  void endData(intptr_t data);
};

// A number space of plain values: it never owns what it holds.
class cNumberSpace_VALUE : public cNumberSpace {
  LUDEX_CLASS(cNumberSpace_VALUE, cNumberSpace)
 public:
  virtual void new_cNumberSpace_VALUE() { new_cNumberSpace(false); }
  virtual intptr_t set_cNumberSpace_VALUE(intptr_t key, intptr_t value, bool keepOld = false,
                                          bool* existed = nullptr) {
    return set_cNumberSpace(key, value, keepOld, existed);
  }
  virtual intptr_t get_cNumberSpace_VALUE(intptr_t key, bool remove = false) {
    return get_cNumberSpace(key, remove);
  }
};

// Module initialisers. The bucket-count table is a constant and the program
// runs as one task, so neither has anything to set up; they keep the module's
// place in the start-up order.
void new_cnumberspace_safe();
void new_cnumberspace();

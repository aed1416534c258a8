// String space: a hash table from a string key to an object, built on a
// number space keyed by the key's hash. Per hash value the number space holds
// the head of a chain of items whose keys share that hash, newest key first.
// Keys are compared exactly, without regard to a-z case, or as each lookup
// chooses; the space can own its objects.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "core/number_space.h"

// The case modes of a string space.
constexpr int32_t CASE_SENSITIVE = -1;                              // TRUE
constexpr int32_t CASE_INSENSITIVE = 0;                             // FALSE
constexpr int32_t CASE_CHOSEN_PER_CALL = static_cast<int32_t>(0x80000000u);

// TRUE when the keys are equal: exactly when exact is set, else with a-z
// folded to A-Z.
bool keyCmp(bool exact, const char* a, const char* b);

// One key of a chain. It owns its copy of the key, and its data when its
// autoDealloc flag is set. Ending it ends every item chained after it.
class itemNode_cstringspace : public class_base {
  LUDEX_CLASS(itemNode_cstringspace, class_base)
 public:
  virtual void new_itemNode3(intptr_t data, char* keyCopy, bool autoDealloc, itemNode_cstringspace* next);
  void end_class() override;

  bool autoDealloc = false;
  intptr_t data = 0;
  char* key = nullptr;
  itemNode_cstringspace* next = nullptr;
};

class cStringSpace : public class_base {
  LUDEX_CLASS(cStringSpace, class_base)
 public:
  // caseSensitive: CASE_SENSITIVE (any value but the other two), CASE_INSENSITIVE
  // or CASE_CHOSEN_PER_CALL.
  virtual void new_cStringSpace(bool autoDealloc, int32_t caseSensitive);
  void end_class() override;

  virtual bool infoAutoDealloc() { return autoDealloc; }
  virtual int32_t infoCaseSensitive() { return caseSensitive; }
  // get with remove, then ends the data in an autoDealloc space. TRUE when the
  // key was present.
  virtual bool delete_cStringSpace(const char* key, bool ignoreCase = false);
  // Stores data (not NIL: EMU) under the key. A present key keeps its own key
  // text; its data is replaced unless keepOld is set (and, when the case is
  // chosen per call, unless the keys differ in case), otherwise the new data is
  // displaced. Returns the displaced data; an autoDealloc space ends it and
  // returns NIL. *existed gets TRUE when the key was present.
  virtual intptr_t set_cStringSpace(const char* key, intptr_t data, bool keepOld = false, bool* existed = nullptr);
  // The data stored under the key, or NIL; with remove the item is taken out
  // and its data handed back (never ended). ignoreCase counts only when the
  // case is chosen per call.
  virtual intptr_t get_cStringSpace(const char* key, bool remove = false, bool ignoreCase = false);

  // Iteration in the number space's order of hash values, each chain newest
  // key first. Lookups and replacing data leave an iteration undisturbed;
  // adding or removing a key ends it (the next itemGotoNext raises EMU).
  virtual bool itemGotoFirst();
  virtual bool itemGotoNext();
  // The current item's data and *key its key; NIL and NIL at the end.
  virtual intptr_t itemInfo(const char** key = nullptr);

  cNumberSpace* numberSpace = nullptr;  // owns the chain heads
  int32_t caseSensitive = CASE_INSENSITIVE;
  bool autoDealloc = false;
  itemNode_cstringspace* iterItem = nullptr;
  bool iterBroken = false;

 private:
  intptr_t hashKey(const char* key) const;
  itemNode_cstringspace* head(intptr_t hash);
  void noteChange();
};

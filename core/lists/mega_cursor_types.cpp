#include "core/lists/mega_cursor_types.h"

#include "core/clean_up.h"
#include "core/lists/mega_list_module.h"
#include "core/lists/mega_list_types.h"

namespace {
intptr_t word(const void* p) { return reinterpret_cast<intptr_t>(p); }
class_base* object(intptr_t w) { return reinterpret_cast<class_base*>(w); }

// Runs find with a temporary node holding data, then destroys the node
// without ending the data, which stays the caller's, also when find fails.
template <class Find>
bool withTemporaryNode(cMegaListGeneric* owner, intptr_t data, Find find) {
  auto* temporary = static_cast<oMegaNode*>(owner->store->makeNode(data));
  bool found;
  WithCleanUp(
      [&] { found = find(temporary); },
      [&] {
        temporary->data = 0;
        owner->destroyNode(temporary);
      });
  return found;
}
}  // namespace

// ---------------------------------------------------------------- cMegaCursor

cMegaListGeneric* cMegaCursor::getOwner() { return getOwner_cMegaCursor(); }
cMegaList* cMegaCursor::getOwner_cMegaCursor() { return static_cast<cMegaList*>(owner); }

cMegaCursor* cMegaCursor::clone_cMegaCursor(int32_t removedThenPolicy, int32_t followWhenPolicy) {
  return static_cast<cMegaCursor*>(cMegaCursorGeneric::clone(removedThenPolicy, followWhenPolicy));
}

bool cMegaCursor::sortedFind(oMegaNode* floating, fCompareMegaNodes* comparator) {
  return cMegaCursorGeneric::sortedFind(floating, comparator ? comparator : defaultCompareMegaNodes);
}

void cMegaCursor::sortedInsert(oMegaNode* floating, fCompareMegaNodes* comparator) {
  cMegaCursorGeneric::sortedInsert(floating, comparator ? comparator : defaultCompareMegaNodes);
}

bool cMegaCursor::sortedFindSimple(intptr_t value, fCompareMegaNodes* comparator) {
  requireNode("sortedFind");
  requireMovable("sortedFind");
  return withTemporaryNode(owner, value, [&](oMegaNode* n) { return sortedFind(n, comparator); });
}

// ---------------------------------------------------------------- cMegaCursor_class

cMegaListGeneric* cMegaCursor_class::getOwner() { return getOwner_cMegaCursor_class(); }
cMegaList_class* cMegaCursor_class::getOwner_cMegaCursor_class() { return static_cast<cMegaList_class*>(owner); }

class_base* cMegaCursor_class::read_cMegaCursor_class() { return object(read_cMegaCursorGeneric()); }

class_base* cMegaCursor_class::write_cMegaCursor_class(class_base* newObject, bool keepOld) {
  return object(writeUngeneric(word(newObject), keepOld));
}

cMegaCursor_class* cMegaCursor_class::clone_cMegaCursor_class(int32_t removedThenPolicy, int32_t followWhenPolicy) {
  return static_cast<cMegaCursor_class*>(cMegaCursorGeneric::clone(removedThenPolicy, followWhenPolicy));
}

bool cMegaCursor_class::sortedFindSimple(class_base* match, fCompareMegaNodes* comparator) {
  requireNode("sortedFind");
  requireMovable("sortedFind");
  return withTemporaryNode(owner, word(match), [&](oMegaNode* n) { return sortedFind(n, comparator); });
}

// ---------------------------------------------------------------- cMegaCursor_entry

cMegaList_class* cMegaCursor_entry::getOwner_cMegaCursor_class() { return getOwner_cMegaCursor_entry(); }
cMegaList_entry* cMegaCursor_entry::getOwner_cMegaCursor_entry() { return static_cast<cMegaList_entry*>(owner); }

class_base* cMegaCursor_entry::read_cMegaCursor_entry() { return object(read_cMegaCursorGeneric()); }

class_base* cMegaCursor_entry::write_cMegaCursor_entry(class_base* newObject, bool keepOld) {
  return object(writeUngeneric(word(newObject), keepOld));
}

cMegaCursor_entry* cMegaCursor_entry::clone_cMegaCursor_entry(int32_t removedThenPolicy, int32_t followWhenPolicy) {
  return static_cast<cMegaCursor_entry*>(cMegaCursorGeneric::clone(removedThenPolicy, followWhenPolicy));
}

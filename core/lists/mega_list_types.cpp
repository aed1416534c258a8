#include "core/lists/mega_list_types.h"

#include "core/exception.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_module.h"

namespace {
intptr_t word(const void* p) { return reinterpret_cast<intptr_t>(p); }
}  // namespace

// ---------------------------------------------------------------- cMegaList

cMegaCursorGeneric* cMegaList::infoStart() { return infoStart_cMegaList(); }
cMegaCursorGeneric* cMegaList::infoPastEnd() { return infoPastEnd_cMegaList(); }
cMegaCursorGeneric* cMegaList::make_cursor() { return make_cursor_cMegaList(); }

void cMegaList::sort(fCompareMegaNodes* comparator) {
  cMegaListGeneric::sort(comparator ? comparator : defaultCompareMegaNodes);
}

cMegaCursor* cMegaList::infoStart_cMegaList() { return static_cast<cMegaCursor*>(startCursor); }
cMegaCursor* cMegaList::infoPastEnd_cMegaList() { return static_cast<cMegaCursor*>(pastEndCursor); }

oMegaNode* cMegaList::makeNode(intptr_t value) { return static_cast<oMegaNode*>(store->makeNode(value)); }

cMegaList* cMegaList::clone_cMegaList() { return static_cast<cMegaList*>(cMegaListGeneric::clone()); }
cMegaList* cMegaList::mirror_cMegaList() { return static_cast<cMegaList*>(cMegaListGeneric::mirror()); }
cMegaList* cMegaList::subset_cMegaList(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor) {
  return static_cast<cMegaList*>(cMegaListGeneric::subset(fromCursor, toCursor));
}
cMegaList* cMegaList::make_cMegaList() { return new cMegaList; }
cMegaCursor* cMegaList::make_cursor_cMegaList() { return new cMegaCursor; }

// ---------------------------------------------------------------- cMegaList_class

void cMegaList_class::new_cMegaList_class(bool nextIfDestroyNode, oMegaNode* endNode, bool ownsObjects) {
  autoDealloc = ownsObjects;
  cMegaListGeneric::new_cMegaListGeneric(nextIfDestroyNode, endNode);
}

void cMegaList_class::end_class() {
  // Mirrors and subsets own nothing. When the owning list goes first, one of
  // them takes the objects over, so that the last list of the shared nodes
  // ends them with the nodes instead of leaving them behind.
  if (autoDealloc && store && store->root && !store->root->hasOnlyOneList()) {
    for (cMiniListGeneric* v = store->nextList; v != store; v = v->nextList) {
      cMegaListGeneric* other = static_cast<cMegaMiniList*>(v)->owner;
      if (other && other != this && other->IsOfClassType("cMegaList_class")) {
        static_cast<cMegaList_class*>(other)->autoDealloc = true;
        autoDealloc = false;
        break;
      }
    }
  }
  cMegaListGeneric::end_class();
}

cMegaCursorGeneric* cMegaList_class::infoStart() { return infoStart_cMegaList_class(); }
cMegaCursorGeneric* cMegaList_class::infoPastEnd() { return infoPastEnd_cMegaList_class(); }
cMegaCursorGeneric* cMegaList_class::make_cursor() { return make_cursor_cMegaList_class(); }

void cMegaList_class::isolateFromSharing() {
  if (autoDealloc)
    Throw("EMU", "cMegaList_class.isolateFromSharing(); this method is not supported when autoDealloc=TRUE");
  cMegaListGeneric::isolateFromSharing();
}

void cMegaList_class::node_endData(intptr_t data) {
  if (autoDealloc && data) EndObject(reinterpret_cast<class_base*>(data));
}

cMegaCursor_class* cMegaList_class::infoStart_cMegaList_class() { return static_cast<cMegaCursor_class*>(startCursor); }
cMegaCursor_class* cMegaList_class::infoPastEnd_cMegaList_class() {
  return static_cast<cMegaCursor_class*>(pastEndCursor);
}

oMegaNode* cMegaList_class::makeNode(class_base* object) {
  return static_cast<oMegaNode*>(store->makeNode(word(object)));
}

cMegaList_class* cMegaList_class::clone_cMegaList_class() {
  if (autoDealloc) Throw("EMU", "cMegaList_class.clone(); this method is not supported when autoDealloc=TRUE");
  return static_cast<cMegaList_class*>(cMegaListGeneric::clone());
}
cMegaList_class* cMegaList_class::mirror_cMegaList_class() {
  return static_cast<cMegaList_class*>(cMegaListGeneric::mirror());
}
cMegaList_class* cMegaList_class::subset_cMegaList_class(cMegaCursorGeneric* fromCursor,
                                                         cMegaCursorGeneric* toCursor) {
  return static_cast<cMegaList_class*>(cMegaListGeneric::subset(fromCursor, toCursor));
}

intptr_t cMegaList_class::node_isolateDataFromSharing_cMegaList_class(oMegaNode* node) {
  if (autoDealloc) Throw("BUG", "cMegaList_class.node_isolateDataFromSharing(); autoDealloc=TRUE");
  return node->data;
}

cMegaList_class* cMegaList_class::make_cMegaList_class() { return new cMegaList_class; }
cMegaCursor_class* cMegaList_class::make_cursor_cMegaList_class() { return new cMegaCursor_class; }

// ---------------------------------------------------------------- cMegaList_entry

cMegaCursor_class* cMegaList_entry::infoStart_cMegaList_class() { return infoStart_cMegaList_entry(); }
cMegaCursor_class* cMegaList_entry::infoPastEnd_cMegaList_class() { return infoPastEnd_cMegaList_entry(); }
cMegaList_class* cMegaList_entry::clone_cMegaList_class() { return clone_cMegaList_entry(); }
cMegaList_class* cMegaList_entry::mirror_cMegaList_class() { return mirror_cMegaList_entry(); }
cMegaList_class* cMegaList_entry::subset_cMegaList_class(cMegaCursorGeneric* fromCursor,
                                                         cMegaCursorGeneric* toCursor) {
  return subset_cMegaList_entry(fromCursor, toCursor);
}
cMegaList_class* cMegaList_entry::make_cMegaList_class() { return make_cMegaList_entry(); }
cMegaCursor_class* cMegaList_entry::make_cursor_cMegaList_class() { return make_cursor_cMegaList_entry(); }

void cMegaList_entry::isolateFromSharing() {
  Throw("EMU", "cMegaList_entry.isolateFromSharing(); this method is not supported");
}

cMegaCursor_entry* cMegaList_entry::infoStart_cMegaList_entry() { return static_cast<cMegaCursor_entry*>(startCursor); }
cMegaCursor_entry* cMegaList_entry::infoPastEnd_cMegaList_entry() {
  return static_cast<cMegaCursor_entry*>(pastEndCursor);
}

cMegaList_entry* cMegaList_entry::clone_cMegaList_entry() {
  Throw("EMU", "cMegaList_entry.clone(); this method is not supported");
}
cMegaList_entry* cMegaList_entry::mirror_cMegaList_entry() {
  return static_cast<cMegaList_entry*>(cMegaListGeneric::mirror());
}
cMegaList_entry* cMegaList_entry::subset_cMegaList_entry(cMegaCursorGeneric* fromCursor,
                                                         cMegaCursorGeneric* toCursor) {
  return static_cast<cMegaList_entry*>(cMegaListGeneric::subset(fromCursor, toCursor));
}

intptr_t cMegaList_entry::node_isolateDataFromSharing_cMegaList_entry(oMegaNode*) {
  Throw("BUG", "cMegaList_entry.node_isolateDataFromSharing(); unsupported");
}

cMegaList_entry* cMegaList_entry::make_cMegaList_entry() { return new cMegaList_entry; }
cMegaCursor_entry* cMegaList_entry::make_cursor_cMegaList_entry() { return new cMegaCursor_entry; }

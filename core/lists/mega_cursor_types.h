// The typed mega-list cursors: cMegaCursor (plain values), cMegaCursor_class
// (class_base objects) and cMegaCursor_entry (the GUI toolkit's rows). None has
// a constructor of its own: a list's make_cursor allocates one and
// new_cMegaCursorGeneric sets it up.
#pragma once
#include "core/lists/mega_cursor.h"

class cMegaList;
class cMegaList_class;
class cMegaList_entry;

class cMegaCursor : public cMegaCursorGeneric {
  LUDEX_CLASS(cMegaCursor, cMegaCursorGeneric)
 public:
  cMegaListGeneric* getOwner() override;
  cMegaCursorGeneric* clone(int32_t removedThenPolicy, int32_t followWhenPolicy) override {
    return clone_cMegaCursor(removedThenPolicy, followWhenPolicy);
  }
  // NIL compares by the list module's default comparator.
  bool sortedFind(oMegaNode* floating, fCompareMegaNodes* comparator) override;
  void sortedInsert(oMegaNode* floating, fCompareMegaNodes* comparator) override;

  virtual intptr_t write_cMegaCursor(intptr_t value, bool keepOld = false) { return writeUngeneric(value, keepOld); }
  virtual cMegaList* getOwner_cMegaCursor();
  virtual cMegaCursor* clone_cMegaCursor(int32_t removedThenPolicy, int32_t followWhenPolicy);
  // sortedFind for a value, through a temporary node.
  virtual bool sortedFindSimple(intptr_t value, fCompareMegaNodes* comparator = nullptr);
};

class cMegaCursor_class : public cMegaCursorGeneric {
  LUDEX_CLASS(cMegaCursor_class, cMegaCursorGeneric)
 public:
  cMegaListGeneric* getOwner() override;
  cMegaCursorGeneric* clone(int32_t removedThenPolicy, int32_t followWhenPolicy) override {
    return clone_cMegaCursor_class(removedThenPolicy, followWhenPolicy);
  }

  virtual class_base* read_cMegaCursor_class();
  virtual class_base* write_cMegaCursor_class(class_base* object, bool keepOld = false);
  virtual cMegaList_class* getOwner_cMegaCursor_class();
  virtual cMegaCursor_class* clone_cMegaCursor_class(int32_t removedThenPolicy, int32_t followWhenPolicy);
  // sortedFind for an object, through a temporary node; the object stays the
  // caller's.
  virtual bool sortedFindSimple(class_base* object, fCompareMegaNodes* comparator);
};

class cMegaCursor_entry : public cMegaCursor_class {
  LUDEX_CLASS(cMegaCursor_entry, cMegaCursor_class)
 public:
  class_base* read_cMegaCursor_class() override { return read_cMegaCursor_entry(); }
  class_base* write_cMegaCursor_class(class_base* object, bool keepOld = false) override {
    return write_cMegaCursor_entry(object, keepOld);
  }
  cMegaList_class* getOwner_cMegaCursor_class() override;
  cMegaCursor_class* clone_cMegaCursor_class(int32_t removedThenPolicy, int32_t followWhenPolicy) override {
    return clone_cMegaCursor_entry(removedThenPolicy, followWhenPolicy);
  }

  virtual class_base* read_cMegaCursor_entry();
  virtual class_base* write_cMegaCursor_entry(class_base* object, bool keepOld = false);
  virtual cMegaList_entry* getOwner_cMegaCursor_entry();
  virtual cMegaCursor_entry* clone_cMegaCursor_entry(int32_t removedThenPolicy, int32_t followWhenPolicy);
};

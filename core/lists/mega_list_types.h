// The typed mega lists:
//   cMegaList        plain values; owns nothing.
//   cMegaList_class  class_base objects; with autoDealloc TRUE it owns them and
//                    ends each one with its node.
//   cMegaList_entry  the GUI toolkit's rows: a cMegaList_class that always owns
//                    its objects and is never copied.
// Each typed operation `m_<class>` is the generic slot's typed form: the
// generic slot forwards to the most derived form, which returns the derived type.
#pragma once
#include "core/lists/mega_list.h"

class cMegaCursor;
class cMegaCursor_class;
class cMegaCursor_entry;

class cMegaList : public cMegaListGeneric {
  LUDEX_CLASS(cMegaList, cMegaListGeneric)
 public:
  cMegaCursorGeneric* infoStart() override;
  cMegaCursorGeneric* infoPastEnd() override;
  cMegaListGeneric* clone() override { return clone_cMegaList(); }
  cMegaListGeneric* mirror() override { return mirror_cMegaList(); }
  cMegaListGeneric* subset(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor) override {
    return subset_cMegaList(fromCursor, toCursor);
  }
  // NIL sorts by the list module's default comparator (ascending values).
  void sort(fCompareMegaNodes* comparator) override;
  cMegaListGeneric* make() override { return make_cMegaList(); }
  oMegaNode* make_node() override { return allocateNode(); }
  cMegaCursorGeneric* make_cursor() override;

  virtual cMegaCursor* infoStart_cMegaList();
  virtual cMegaCursor* infoPastEnd_cMegaList();
  // A floating node holding value.
  virtual oMegaNode* makeNode(intptr_t value);
  virtual cMegaList* clone_cMegaList();
  virtual cMegaList* mirror_cMegaList();
  virtual cMegaList* subset_cMegaList(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor);
  virtual cMegaList* make_cMegaList();
  virtual cMegaCursor* make_cursor_cMegaList();
};

class cMegaList_class : public cMegaListGeneric {
  LUDEX_CLASS(cMegaList_class, cMegaListGeneric)
 public:
  bool autoDealloc = false;  // the list owns the objects of its nodes

  virtual void new_cMegaList_class(bool nextIfDestroyNode, oMegaNode* endNode, bool ownsObjects);
  void new_cMegaListGeneric(bool nextIfDestroyNode, oMegaNode* endNode) override {
    new_cMegaList_class(nextIfDestroyNode, endNode, false);
  }
  // An owning list that shares its nodes with other lists hands the ownership
  // of the objects on to one of them before it goes.
  void end_class() override;

  cMegaCursorGeneric* infoStart() override;
  cMegaCursorGeneric* infoPastEnd() override;
  cMegaListGeneric* clone() override { return clone_cMegaList_class(); }
  cMegaListGeneric* mirror() override { return mirror_cMegaList_class(); }
  cMegaListGeneric* subset(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor) override {
    return subset_cMegaList_class(fromCursor, toCursor);
  }
  void isolateFromSharing() override;
  intptr_t node_isolateDataFromSharing(oMegaNode* node) override {
    return node_isolateDataFromSharing_cMegaList_class(node);
  }
  // Ends the object when the list owns it.
  void node_endData(intptr_t data) override;
  cMegaListGeneric* make() override { return make_cMegaList_class(); }
  oMegaNode* make_node() override { return allocateNode(); }
  cMegaCursorGeneric* make_cursor() override;

  virtual cMegaCursor_class* infoStart_cMegaList_class();
  virtual cMegaCursor_class* infoPastEnd_cMegaList_class();
  // A floating node holding object.
  virtual oMegaNode* makeNode(class_base* object);
  virtual cMegaList_class* clone_cMegaList_class();
  virtual cMegaList_class* mirror_cMegaList_class();
  virtual cMegaList_class* subset_cMegaList_class(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor);
  virtual intptr_t node_isolateDataFromSharing_cMegaList_class(oMegaNode* node);
  virtual cMegaList_class* make_cMegaList_class();
  virtual cMegaCursor_class* make_cursor_cMegaList_class();
};

class cMegaList_entry : public cMegaList_class {
  LUDEX_CLASS(cMegaList_entry, cMegaList_class)
 public:
  // An owning list (autoDealloc TRUE). Its subsets and mirrors own nothing.
  virtual void new_cMegaList_entry(bool nextIfDestroyNode, oMegaNode* endNode) {
    new_cMegaList_class(nextIfDestroyNode, endNode, true);
  }

  cMegaCursor_class* infoStart_cMegaList_class() override;
  cMegaCursor_class* infoPastEnd_cMegaList_class() override;
  cMegaList_class* clone_cMegaList_class() override;
  cMegaList_class* mirror_cMegaList_class() override;
  cMegaList_class* subset_cMegaList_class(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor) override;
  void isolateFromSharing() override;
  intptr_t node_isolateDataFromSharing_cMegaList_class(oMegaNode* node) override {
    return node_isolateDataFromSharing_cMegaList_entry(node);
  }
  cMegaList_class* make_cMegaList_class() override;
  cMegaCursor_class* make_cursor_cMegaList_class() override;

  virtual cMegaCursor_entry* infoStart_cMegaList_entry();
  virtual cMegaCursor_entry* infoPastEnd_cMegaList_entry();
  virtual cMegaList_entry* clone_cMegaList_entry();
  virtual cMegaList_entry* mirror_cMegaList_entry();
  virtual cMegaList_entry* subset_cMegaList_entry(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor);
  virtual intptr_t node_isolateDataFromSharing_cMegaList_entry(oMegaNode* node);
  virtual cMegaList_entry* make_cMegaList_entry();
  virtual cMegaCursor_entry* make_cursor_cMegaList_entry();
};

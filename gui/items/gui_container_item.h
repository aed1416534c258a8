// cGuiContainerItem: an item made of ordinary items that hands its whole item
// identity to one inner group: items added to it go into the inner group, its
// native record, parent and build-sequence links are the inner group's, and
// the build makes the inner group in its place. So the platform only ever
// sees ordinary groups and items. The container owns the inner group.
#pragma once
#include <cstdint>

#include "gui/groups/gui_group_item.h"
#include "gui/items/gui_notify.h"

class cGuiContainerItem : public cGuiGroupItem {
  LUDEX_CLASS(cGuiContainerItem, cGuiGroupItem)
 public:
  // Ends the inner group, and with it every item added to the container.
  void end_class() override;

  void initShared() override {
    if (inner) inner->initShared();
  }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override {
    return inner->shared_cGuiItem(id, params, paramCount);
  }
  cGuiItem* add(cGuiItem* item) override { return inner->add(item); }
  cGuiSharedBase* internalShared() override { return inner ? inner->internalShared() : nullptr; }
  cGuiItem* internalInitParent(cGuiGroupItem* group) override {
    inner->internalInitParent(group);
    return this;
  }
  cGuiGroupItem* internalParent() override { return inner->internalParent(); }
  cGuiItem* internalGetSeqItem() override { return inner->internalGetSeqItem(); }
  void internalSetSeqItem(cGuiItem* item) override { inner->internalSetSeqItem(item); }

  // The container's contents are the inner group's.
  bool infoHasBorder() override { return inner->infoHasBorder(); }
  const char* infoTitle() override { return inner->infoTitle(); }
  int32_t infoSize() override { return inner->infoSize(); }
  cGuiItem* infoFirstItem() override { return inner->infoFirstItem(); }
  cGuiItem* infoLastItem() override { return inner->infoLastItem(); }
  bool infoScrollable() override { return inner->infoScrollable(); }
  bool infoEqualSizedItems() override { return inner->infoEqualSizedItems(); }
  cGuiContainerItem* setGhosted(bool flag) override {
    inner->setGhosted(flag);
    return this;
  }
  // The inner group, whose children are every item added to the container
  // (a walk through all items of a window goes through it: a container's
  // own infoFirstItem may hand out only items of its kind).
  cGuiGroupItem* infoInner() { return inner; }

 protected:
  // Makes group, constructed, the inner group (for the constructors).
  void initInner(cGuiGroupItem* group) { inner = group; }
  // Adds item, made and constructed by the caller, to the inner group; ends
  // it when it cannot be added.
  cGuiItem* addMade(cGuiItem* item);

 private:
  cGuiGroupItem* inner = nullptr;  // owned
};

// cGuiContainerInputItem: a container the user changes, as an input item is:
// it can be ghosted (its inner group with it), and a change delivered for it
// runs its change notification.
class cGuiContainerInputItem : public cGuiContainerItem {
  LUDEX_CLASS(cGuiContainerInputItem, cGuiContainerItem)
 public:
  virtual void notifyStateHasChanged() {
    if (notify) notify->call(this);
  }
  virtual bool getGhosted() { return ghosted; }
  cGuiContainerInputItem* setGhosted(bool flag) override {
    ghosted = flag;
    cGuiContainerItem::setGhosted(flag);
    return this;
  }
  virtual cGuiContainerInputItem* setNotifyFunction(funcGuiNotify* f) {
    notify = f;
    return this;
  }
  virtual funcGuiNotify* getNotifyFunction() { return notify; }

 private:
  bool ghosted = false;
  funcGuiNotify* notify = nullptr;  // the caller's
};

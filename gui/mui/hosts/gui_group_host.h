// The group hosts: each model group class realised as a MUI group. What they
// share (the record, the size answers worked out once, the build) is in
// cGuiGroupHostPart; the page group adds its page handling
// (gui_group_page_host.h).
#pragma once
#include <cstdint>

#include "core/exception.h"
#include "gui/groups/gui_group_grid.h"
#include "gui/groups/gui_group_item.h"
#include "gui/groups/gui_group_page.h"
#include "gui/mui/gui_group_build.h"
#include "gui/mui/gui_shared.h"

template <class Model>
class cGuiGroupHostPart : public Model {
 public:
  void initShared() override {
    this->attachShared(newSharedFor(this));
    cacheValid = false;
  }

  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override {
    switch (id) {
      case GUI_SHARED_BUILD: {
        if (!params || paramCount < 2) ThrowF("BUG", "%s.shared(); params=NILL", this->InfoClassType());
        cGuiShared* record = sharedOf(this);
        record->object = buildGroup(this, record->window, params[0] != 0, params[1] != 0);
        groupBuilt(record);
        return toIPTR(cGuiChildList::of(record->object));
      }
      case GUI_SHARED_SETUP_NOTIFY:
        return 1;
      case GUI_SHARED_FIXED_WIDTH:
      case GUI_SHARED_FIXED_HEIGHT:
        if (!cacheValid) {
          const bool scrollable = this->infoScrollable();
          fixedWidth = !scrollable && infoGroupHasFixedWidth(this);
          fixedHeight = !scrollable && infoGroupHasFixedHeight(this);
          cacheValid = true;
        }
        return id == GUI_SHARED_FIXED_WIDTH ? fixedWidth : fixedHeight;
      case GUI_SHARED_IN_CYCLE_CHAIN:
        return 0;
      default:
        ThrowF("BUG", "%s.shared(); unknown method id", this->Model::InfoClassType());
    }
  }

 protected:
  // After the group's object was made and stored in the record.
  virtual void groupBuilt(cGuiShared* record) { (void)record; }

 private:
  bool fixedWidth = false;
  bool fixedHeight = false;
  bool cacheValid = false;
};

class cGuiGroupHorizontalHost : public cGuiGroupHostPart<cGuiGroupHorizontal> {
  LUDEX_CLASS(cGuiGroupHorizontalHost, cGuiGroupHorizontal)
};

class cGuiGroupVerticalHost : public cGuiGroupHostPart<cGuiGroupVertical> {
  LUDEX_CLASS(cGuiGroupVerticalHost, cGuiGroupVertical)
};

class cGuiGroupGridHost : public cGuiGroupHostPart<cGuiGroupGrid> {
  LUDEX_CLASS(cGuiGroupGridHost, cGuiGroupGrid)
};

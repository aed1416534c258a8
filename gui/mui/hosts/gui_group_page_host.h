// cGuiGroupPageHost: the page group as a MUI page group. Every page is a
// group: add wraps any other item in a horizontal group of its own. The shown
// page set before the build is stored and applied by the build.
#pragma once
#include <cstdint>
#include <vector>

#include "gui/mui/hosts/gui_group_host.h"

class cGuiGroupPageHost : public cGuiGroupHostPart<cGuiGroupPage> {
  LUDEX_CLASS(cGuiGroupPageHost, cGuiGroupPage)
 public:
  void end_class() override;
  cGuiItem* add(cGuiItem* item) override;
  cGuiGroupPageHost* setState(int32_t n) override { return setState_cGuiGroupPageHost(n); }
  virtual cGuiGroupPageHost* setState_cGuiGroupPageHost(int32_t n);
  cGuiGroupPageHost* setStateItem(cGuiItem* item) override { return setStateItem_cGuiGroupPageHost(item); }
  virtual cGuiGroupPageHost* setStateItem_cGuiGroupPageHost(cGuiItem* item);
  cGuiItem* getStateItem() override;
  int32_t infoPageNumOfPageItem(cGuiItem* item) override;
  cGuiItem* infoPageItemOfPageNum(int32_t n) override;

  // Forgets the page object and table, after a build whose objects are gone.
  void forgetPages() {
    pageObject = nullptr;
    pageTable.clear();
    pageTableMade = false;
  }

 protected:
  void groupBuilt(cGuiShared* record) override;

 private:
  void requireBuilt(const char* operation);

  Object* pageObject = nullptr;  // the group whose active page is switched
  std::vector<cGuiItem*> pageTable;
  bool pageTableMade = false;
};

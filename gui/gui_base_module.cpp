#include "gui/gui_base_module.h"

funcGuiNotify* defaultGuiNotify = nullptr;
fGuiListEntries* defaultGuiListEntries = nullptr;
fGuiListSort* defaultGuiListSort = nullptr;

void new_cguibase() {
  defaultGuiNotify = new funcGuiNotify;
  defaultGuiNotify->new_function();
  defaultGuiListEntries = new fGuiListEntries;
  defaultGuiListEntries->new_function();
  defaultGuiListSort = new fGuiListSort;
  defaultGuiListSort->new_fMergeSortCompare();
}

void end_cguibase() {
  End(defaultGuiListSort);
  End(defaultGuiListEntries);
  End(defaultGuiNotify);
}

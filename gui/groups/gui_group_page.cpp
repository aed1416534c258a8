#include "gui/groups/gui_group_page.h"

#include "core/exception.h"

cGuiGroupPage* cGuiGroupPage::setState(int32_t n) {
  if (n < 0 || n >= infoSize()) Throw("EMU", "cGuiGroupPage.setState(); the page number is outside the valid range");
  page = n;
  return this;
}

#include "gui/mui/hosts/gui_bar_host.h"

#include "core/exception.h"
#include "gui/mui/gui_host_conventions.h"

intptr_t cGuiBarHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: {
      const bool across = inVerticalGroup(this);
      const char* title = infoTitle();
      Object* bar = MUI_NewObject("Rectangle.mui", across ? MUIA_Rectangle_HBar : MUIA_Rectangle_VBar, 1,
                                  across ? MUIA_FixHeight : MUIA_FixWidth, 8,
                                  title ? MUIA_Rectangle_BarTitle : TAG_IGNORE, title);
      sharedOf(this)->object = bar;
      return toIPTR(cGuiChildList::of(bar));
    }
    case GUI_SHARED_SETUP_NOTIFY: return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return inHorizontalGroup(this);
    case GUI_SHARED_FIXED_HEIGHT: return inVerticalGroup(this);
    case GUI_SHARED_IN_CYCLE_CHAIN: return 0;
    default: Throw("BUG", "cGuiBar.shared(); unknown method id");
  }
}

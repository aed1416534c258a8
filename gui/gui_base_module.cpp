#include "gui/gui_base_module.h"

funcGuiNotify* defaultGuiNotify = nullptr;

void new_cguibase() {
  defaultGuiNotify = new funcGuiNotify;
  defaultGuiNotify->new_function();
}

void end_cguibase() { End(defaultGuiNotify); }

#include "gui/mui/client/gui_action_hook.h"

namespace {
Hook* actionHook = nullptr;
}

Hook* infoGuiActionHook() { return actionHook; }
void setGuiActionHook(Hook* hook) { actionHook = hook; }

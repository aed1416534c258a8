#include "gui/mui/hosts/gui_path_string_host.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/hosts/gui_path_hooks.h"
#include "gui/mui/hosts/gui_string_host.h"
#include "gui/mui/hosts/mui_set_string.h"

namespace {
Object* stringOf(Object* popasl) { return reinterpret_cast<Object*>(muiGet(popasl, MUIA_Popstring_String)); }

void replaceString(char*& field, char* value) {
  DisposeString(field);
  field = value;
}
}  // namespace

const char* getPopaslString(Object* popasl) {
  return reinterpret_cast<const char*>(muiGet(stringOf(popasl), MUIA_String_Contents));
}

void setPopaslString(Object* popasl, const char* text) { SetAttrs(stringOf(popasl), MUIA_String_Contents, text); }

IPTR muim_Notify_action_popasl(Object* popasl, Hook* hook, const IPTR* params, int32_t count) {
  Object* string = stringOf(popasl);
  const IPTR call[] = {MUIM_CallHook, toIPTR(hook)};
  return muim_Notify(string, MUIA_String_Acknowledge, MUIV_EveryTime, string, call, 2, params, count);
}

void cGuiPathStringHost::end_class() {
  replaceString(lastState, nullptr);
  replaceString(lastSet, nullptr);
  forgetRequesterStart();
  cGuiPathString::end_class();
}

void cGuiPathStringHost::keepRequesterStart(char* drawer, char* file) {
  replaceString(requesterDrawer, drawer);
  replaceString(requesterFile, file);
}

intptr_t cGuiPathStringHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* field = makeStringField(cGuiStringItem::getState());
      Object* button = MUI_MakeObject(MUIO_PopButton, infoOnlyShowFolders() ? MUII_PopDrawer : MUII_PopFile);
      Object* popup = MUI_NewObject("Popasl.mui", MUIA_Popstring_String, field, MUIA_Popstring_Button, button,
                                    MUIA_Popasl_Type, 0, MUIA_Popasl_StartHook, infoGuiPathStartHook(),
                                    MUIA_Popasl_StopHook, infoGuiPathStopHook());
      // The hooks find their item through the pop-up.
      if (popup) SetAttrs(popup, MUIA_UserData, this);
      record->labelObject = makeFieldLabel(infoLabel());
      record->object = popup;
      applyHintAndGhosting(this);
      return toIPTR(cGuiChildList::labelled(record->labelObject, popup));
    }
    case GUI_SHARED_SETUP_NOTIFY: {
      const IPTR target[] = {toIPTR(this), toIPTR(record->window)};
      muim_Notify_action_popasl(record->object, infoGuiActionHook(), target, 2);
      return toIPTR(this);
    }
    case GUI_SHARED_FIXED_WIDTH: return 0;
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiPathString.shared(); unknown method id");
  }
}

const char* cGuiPathStringHost::getState() {
  cGuiShared* record = sharedOf(this);
  const char* shown = record && record->object ? getPopaslString(record->object) : cGuiStringItem::getState();
  if (!shown) shown = "";
  const size_t length = std::strlen(shown);
  // A bare device ("DH0:") is a folder whether or not it is mounted.
  const bool folder = (length > 0 && shown[length - 1] == ':') || (length > 0 && exists(shown, EXISTS_DIR));
  replaceString(lastState, folder ? ImportDirPath(shown) : ImportFilePath(shown));
  return lastState;
}

cGuiPathStringHost* cGuiPathStringHost::setState_cGuiPathStringHost(const char* path) {
  if (path && *path && InvalidFilePath(path) && InvalidDirPath(path))
    Throw("EMU", "cGuiPathString.setState(); invalid path supplied");
  char* system = ExportPath(path ? path : "");
  cGuiShared* record = sharedOf(this);
  if (record && record->object)
    muiSetString(stringOf(record->object), system);
  else
    keepState(system, OwnedTextRule::EmptyAsNone);
  replaceString(lastSet, system);
  return this;
}

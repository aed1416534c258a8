#include "app/items/gui_key_button.h"

#include "app/items/add_native_item.h"
#include "app/items/ludex_amiga.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "gui/gui_window.h"
#include "gui/mui/gui_host_conventions.h"

namespace {
constexpr char RETURN_KEY = '\r';
// The MUI text escape that shows the rest of a text bold.
constexpr const char* BOLD_ESCAPE = "\x1b" "b";
}  // namespace

void cGuiKeyButton::end_class() {
  DisposeString(label);
  label = nullptr;
  cGuiNativeHost::end_class();
}

cGuiKeyButton* cGuiKeyButton::new_cGuiKeyButton(cGuiWindow* owner, const char* text, char shortcut) {
  window = owner;
  key = shortcut == '\n' ? RETURN_KEY : shortcut;
  label = key == RETURN_KEY ? StrJoin(BOLD_ESCAPE, text ? text : "") : StrClone(text);
  initShared();
  return this;
}

cGuiChildList* cGuiKeyButton::build(Object** object, Object** labelObject) {
  // Two empty texts on either side centre the label in the button.
  Object* caption = MUI_MakeObject(MUIO_Label, label, MUIO_Label_FreeVert);
  Object* row = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child,
                              MUI_NewObjectA("Text.mui", keyButtonLeftSpaceTags), MUIA_Group_Child, caption,
                              MUIA_Group_Child, MUI_NewObjectA("Text.mui", keyButtonRightSpaceTags));
  Object* button = MUI_NewObject("Group.mui", MUIA_ControlChar, static_cast<IPTR>(static_cast<unsigned char>(key)),
                                 MUIA_Background, MUII_ButtonBack, MUIA_Frame, MUIV_Frame_Button, MUIA_InputMode,
                                 MUIV_InputMode_RelVerify, MUIA_Group_Child, row);
  // A button that could not be made has disposed the label with it.
  *object = button;
  *labelObject = button ? caption : nullptr;
  return cGuiChildList::of(button);
}

void cGuiKeyButton::setupNotify(Object* object, Hook* hook, const IPTR* params) {
  // Released over itself: MUIA_Pressed goes back to FALSE.
  const IPTR call[] = {MUIM_CallHook, toIPTR(hook)};
  muim_Notify(object, MUIA_Pressed, 0, object, call, 2, params, 2);
}

cGuiKeyButton* addKeyButton(cGuiWindow* window, const char* label, char key) {
  return addNativeItem<cGuiKeyButton>(window, "addKeyButton(); must be done inside a group",
                                      [&](cGuiKeyButton* button) { button->new_cGuiKeyButton(window, label, key); });
}

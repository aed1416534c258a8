#include "gui/mui/hosts/gui_button_host.h"

#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "gui/mui/gui_host_conventions.h"

namespace {
// An empty text that only takes room, so that the caption stays centred.
Object* makeTextFiller() { return MUI_NewObject("Text.mui", MUIA_InnerLeft, 0, MUIA_InnerRight, 0); }
}  // namespace

void cGuiButtonHost::end_class() {
  DisposeString(systemPic);
  systemPic = nullptr;
  cGuiButton::end_class();
}

char* cGuiButtonHost::existingPicture() {
  const char* pic = infoPic();
  if (!pic) return nullptr;
  char* path = nullptr;
  try {
    path = ExportPath(pic);
  } catch (const Exception&) {
    // A path that cannot be written for the system names no file either.
    path = nullptr;
  }
  if (path && exists(path, EXISTS_ANY)) return path;
  DisposeString(path);
  disposePic();
  return nullptr;
}

cGuiChildList* cGuiButtonHost::buildButton() {
  cGuiShared* record = sharedOf(this);
  DisposeString(systemPic);
  systemPic = existingPicture();
  imageObject = nullptr;
  const bool leastSpace = infoUseLeastSpace();
  Object* caption = MUI_MakeObject(MUIO_Label, infoLabel(), MUIO_Label_FreeVert);
  Object* content = caption;
  if (systemPic) {
    imageObject = MUI_NewObject("Dtpic.mui", MUIA_Dtpic_Name, systemPic);
    const TagItem filler = leastSpace ? TagItem{TAG_IGNORE, 0} : TagItem{MUIA_Group_Child, toIPTR(makeTextFiller())};
    const TagItem tags[] = {{MUIA_Group_Horiz, 1},
                            {MUIA_Frame, MUIV_Frame_None},
                            {MUIA_Group_Child, toIPTR(imageObject)},
                            {MUIA_Group_Child, toIPTR(caption)},
                            filler,
                            {TAG_DONE, 0}};
    content = MUI_NewObjectA("Group.mui", tags);
  } else if (!leastSpace) {
    content = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Frame, MUIV_Frame_None, MUIA_Group_Child,
                            makeTextFiller(), MUIA_Group_Child, caption, MUIA_Group_Child, makeTextFiller());
  }
  Object* button = MUI_NewObject("Group.mui", MUIA_Background, MUII_ButtonBack, MUIA_Frame, MUIV_Frame_Button,
                                 MUIA_InputMode, MUIV_InputMode_RelVerify, MUIA_Group_Child, content);
  // A group that could not be made has disposed what it was given.
  if (!button) imageObject = nullptr;
  record->object = record->labelObject = button;
  if (getPopupHint()) applyPopupHint(record, getPopupHint());
  if (getGhosted()) applyGhosted(true);
  return cGuiChildList::of(button);
}

Object* cGuiButtonHost::infoImageObject() {
  cGuiShared* record = sharedOf(this);
  return record && record->object ? imageObject : nullptr;
}

void cGuiButtonHost::applyGhosted(bool flag) {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) return;
  if (imageObject)
    SetAttrs(record->object, MUIA_Group_Forward, 0, MUIA_Disabled, flag ? 1 : 0);
  else
    SetAttrs(record->object, MUIA_Disabled, flag ? 1 : 0);
}

intptr_t cGuiButtonHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildButton());
    case GUI_SHARED_SETUP_NOTIFY: {
      cGuiShared* record = sharedOf(this);
      // Pressed goes back to 0 when the user lets go over the button.
      notifyItemChange(record->object, MUIA_Pressed, 0, this, record);
      return toIPTR(this);
    }
    case GUI_SHARED_FIXED_WIDTH: return infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiButton.shared(); unknown method id");
  }
}

cGuiButtonHost* cGuiButtonHost::setPopupHint_cGuiButtonHost(const char* text) {
  keepAndApplyPopupHint(this, text);
  return this;
}

cGuiButtonHost* cGuiButtonHost::setGhosted_cGuiButtonHost(bool flag) {
  cGuiInputItem::setGhosted(flag);
  applyGhosted(flag);
  return this;
}

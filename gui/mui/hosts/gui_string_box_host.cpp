#include "gui/mui/hosts/gui_string_box_host.h"

#include <cstdio>

#include "core/exception.h"
#include "gui/groups/gui_group_item.h"
#include "os/exec/memory.h"

const char* const missingTextEditorMessage =
    "ERROR: Missing the TextEditor MCC, please install it for MUI.  You can download it from:\n"
    "https://aminet.net/search?query=TextEditor\n";

bool cGuiStringBoxHost::inScrollingGroup() {
  for (cGuiGroupItem* group = internalParent(); group; group = group->internalParent())
    if (group->infoScrollable()) return true;
  return false;
}

cGuiChildList* cGuiStringBoxHost::buildStringBox() {
  cGuiShared* record = sharedOf(this);
  Object* label = makeFieldLabel(infoLabel());
  Object* labelColumn = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 0, MUIA_Group_Child, label, MUIA_Group_Child,
                                      MUI_MakeObject(MUIO_VSpace, 0));
  const bool fixed = infoFixedFont();
  Object* editor = MUI_NewObject("TextEditor.mcc", MUIA_TextEditor_Contents, cGuiStringItem::getState(),
                                 MUIA_TextEditor_ExportHook, MUIV_TextEditor_ExportHook_NoStyle,
                                 fixed ? MUIA_Font : TAG_IGNORE, MUIV_Font_Fixed,
                                 fixed ? MUIA_TextEditor_FixedFont : TAG_IGNORE, 1,
                                 infoUseLeastSpace() ? MUIA_Weight : TAG_IGNORE, 0);
  if (!editor) {
    // The window cannot be made without it; say what to install.
    std::fputs(missingTextEditorMessage, stdout);
    std::fflush(stdout);
  }
  Object* scrollbar = MUI_NewObject("Scrollbar.mui");
  Object* editorRow = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, editor, MUIA_Group_Child,
                                    scrollbar);
  // A row that could not be made has disposed what it was given.
  if (!editorRow) editor = nullptr;
  if (editor) {
    SetAttrs(editor, MUIA_TextEditor_Slider, scrollbar);
    // The item keeps its copy of the text: should the window's build fail
    // after this, the text is still there.
    if (inScrollingGroup()) SetAttrs(editor, MUIA_TextEditor_InVirtualGroup, 1);
  }
  record->labelObject = labelColumn ? label : nullptr;
  record->object = editor;
  applyHintAndGhosting(this);
  return cGuiChildList::labelled(labelColumn, editorRow);
}

intptr_t cGuiStringBoxHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildStringBox());
    case GUI_SHARED_SETUP_NOTIFY:
      notifyFieldChange(MUIA_TextEditor_HasChanged, 1, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH:
    case GUI_SHARED_FIXED_HEIGHT: return infoUseLeastSpace();
    case GUI_SHARED_IN_CYCLE_CHAIN: return 0;
    default: Throw("BUG", "cGuiStringBox.shared(); unknown method id");
  }
}

const char* cGuiStringBoxHost::getState() {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) return cGuiStringItem::getState();
  auto* exported = reinterpret_cast<char*>(DoMethod(record->object, MUIM_TextEditor_ExportText));
  try {
    keepState(exported, OwnedTextRule::NilAsEmpty);
  } catch (...) {
    FreeVec(exported);
    throw;
  }
  FreeVec(exported);
  return cGuiStringItem::getState();
}

cGuiStringBoxHost* cGuiStringBoxHost::setState_cGuiStringBoxHost(const char* text) {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) {
    cGuiStringItem::setState(text);
    return this;
  }
  SetAttrs(record->object, MUIA_TextEditor_Contents, text ? text : "");
  // Marked changed, so that the program's text is reported like an edit.
  SetAttrs(record->object, MUIA_TextEditor_HasChanged, 1);
  disposeState();
  return this;
}

void cGuiStringBoxHost::notifyStateHasChanged() {
  // Re-armed before the notification runs: it may end the window and this
  // box with it.
  cGuiShared* record = sharedOf(this);
  if (record && record->object) SetAttrs(record->object, MUIA_TextEditor_HasChanged, 0);
  cGuiStringBox::notifyStateHasChanged();
}

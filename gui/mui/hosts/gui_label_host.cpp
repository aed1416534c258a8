#include "gui/mui/hosts/gui_label_host.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/mui/gui_host_conventions.h"

cGuiLabelHost* cGuiLabelHost::setPopupHint_cGuiLabelHost(const char* text) {
  keepAndApplyPopupHint(this, text);
  return this;
}

cGuiChildList* cGuiLabelHost::buildLabel() {
  const char letter = infoAlignLeft() ? 'L' : infoAlignRight() ? 'R' : 'C';
  const char* prefix = letter == 'L' ? "\x1bl" : letter == 'R' ? "\x1br" : "\x1b" "c";
  const char* label = infoLabel();
  // An empty label only keeps its place.
  if (!label || !*label) return cGuiChildList::of(MUI_MakeObject(MUIO_HSpace, 0));

  char* shown = nullptr;
  if (infoAltColour()) {
    shown = NewString(static_cast<int32_t>(std::strlen(label)) + 2);
    StrAdd(StrCopy(shown, "\x1b" "8"), label);
  }
  Object* text = MUI_NewObject("Text.mui", MUIA_Text_PreParse, prefix, MUIA_Text_Contents, shown ? shown : label);
  DisposeString(shown);
  Object* placed = text;
  if (!inHorizontalGroup(this) && !infoUseLeastSpace()) {
    // The text between flexible spaces: none before it when it keeps left,
    // none after it when it keeps right.
    const TagItem before = letter == 'L' ? TagItem{TAG_IGNORE, 0} : TagItem{MUIA_Group_Child, toIPTR(MUI_MakeObject(MUIO_HSpace, 0))};
    const TagItem after = letter == 'R' ? TagItem{TAG_IGNORE, 0} : TagItem{MUIA_Group_Child, toIPTR(MUI_MakeObject(MUIO_HSpace, 0))};
    const TagItem tags[] = {{MUIA_Group_Horiz, 1}, before, {MUIA_Group_Child, toIPTR(text)}, after, {TAG_DONE, 0}};
    placed = MUI_NewObjectA("Group.mui", tags);
    // A group that could not be made has disposed the text with it.
    if (!placed) text = nullptr;
  }
  cGuiShared* record = sharedOf(this);
  record->object = record->labelObject = text;
  if (getPopupHint()) applyPopupHint(record, getPopupHint());
  return cGuiChildList::of(placed);
}

intptr_t cGuiLabelHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildLabel());
    case GUI_SHARED_SETUP_NOTIFY: return 0;
    case GUI_SHARED_FIXED_WIDTH: return inHorizontalGroup(this) || infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 0;
    default: Throw("BUG", "cGuiLabel.shared(); unknown method id");
  }
}

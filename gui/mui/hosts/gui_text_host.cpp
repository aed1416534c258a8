#include "gui/mui/hosts/gui_text_host.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/mui/client/gui_window_host.h"
#include "gui/mui/gui_host_conventions.h"

char* stripExtraLines(const char* text) {
  const char* feed = text ? std::strchr(text, '\n') : nullptr;
  if (!feed) return nullptr;
  const int32_t length = static_cast<int32_t>(feed - text);
  return StrCopy(NewString(length), text, length);
}

char* cGuiTextHost::alignText(const char* text) {
  const char* prefix = infoAlignCenter() ? "\x1b" "c" : infoAlignRight() ? "\x1br" : "";
  char* aligned = NewString(static_cast<int32_t>(std::strlen(prefix) + std::strlen(text)));
  return StrAdd(StrCopy(aligned, prefix), text);
}

char* cGuiTextHost::shownText(const char* text) {
  char* aligned = alignText(text ? text : "");
  char* cut = stripExtraLines(aligned);
  if (!cut) return aligned;
  DisposeString(aligned);
  return cut;
}

cGuiChildList* cGuiTextHost::buildText() {
  cGuiShared* record = sharedOf(this);
  Object* label = makeFieldLabel(infoLabel());
  char* shown = shownText(cGuiText::getState());
  Object* text = MUI_NewObject("Text.mui", MUIA_Frame, MUIV_Frame_Text, MUIA_Background, MUII_TextBack,
                               MUIA_Text_Contents, shown, MUIA_Text_SetVMax, 0,
                               infoFixedFont() ? MUIA_Font : TAG_IGNORE, MUIV_Font_Fixed,
                               infoUseLeastSpace() ? MUIA_Weight : TAG_IGNORE, 0);
  DisposeString(shown);
  record->labelObject = label;
  record->object = text;
  if (getPopupHint()) applyPopupHint(record, getPopupHint());
  return cGuiChildList::labelled(label, text);
}

intptr_t cGuiTextHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildText());
    case GUI_SHARED_SETUP_NOTIFY: {
      // No notification: the window only needs to find the item of the object.
      cGuiShared* record = sharedOf(this);
      if (record->window && record->object) record->window->mapObjectToItem(record->object, this);
      return toIPTR(this);
    }
    case GUI_SHARED_FIXED_WIDTH: return infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 0;
    default: Throw("BUG", "cGuiText.shared(); unknown method id");
  }
}

const char* cGuiTextHost::getState() {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) return cGuiText::getState();
  IPTR contents = 0;
  GetAttr(MUIA_Text_Contents, record->object, &contents);
  return reinterpret_cast<const char*>(contents);
}

cGuiTextHost* cGuiTextHost::setState_cGuiTextHost(const char* text) {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) {
    cGuiText::setState(text);
    return this;
  }
  char* shown = shownText(text);
  SetAttrs(record->object, MUIA_Text_Contents, shown);
  DisposeString(shown);
  disposeText();
  return this;
}

cGuiTextHost* cGuiTextHost::setPopupHint_cGuiTextHost(const char* text) {
  keepAndApplyPopupHint(this, text);
  return this;
}

#include "os/mui/classes/text_editor.h"

#include <cstring>

#include "os/exec/memory.h"
#include "os/mui/classes/shown_text.h"
#include "os/mui/live_objects.h"

namespace mui {
namespace {
constexpr AttrSpec textEditorAttrs[] = {
    {MUIA_TextEditor_Contents, "MUIA_TextEditor_Contents", ATTR_ISG, AttrKind::Contents, 0},
    {MUIA_TextEditor_ExportHook, "MUIA_TextEditor_ExportHook", ATTR_ISG, AttrKind::Number,
     MUIV_TextEditor_ExportHook_Plain},
    {MUIA_TextEditor_FixedFont, "MUIA_TextEditor_FixedFont", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_TextEditor_HasChanged, "MUIA_TextEditor_HasChanged", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_TextEditor_Slider, "MUIA_TextEditor_Slider", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_TextEditor_InVirtualGroup, "MUIA_TextEditor_InVirtualGroup", ATTR_ISG, AttrKind::Flag, 0},
};

constexpr MethodSpec textEditorMethods[] = {
    {MUIM_TextEditor_ExportText, "MUIM_TextEditor_ExportText"},
};
}  // namespace

std::string TextEditor::userText() const { return shownText(text(MUIA_TextEditor_Contents)); }

void TextEditor::userEditText(const char* typed) {
  const uint32_t me = serial;
  set(MUIA_TextEditor_Contents, reinterpret_cast<IPTR>(typed ? typed : ""), SET_NOTIFY);
  if (isLive(this, me)) set(MUIA_TextEditor_HasChanged, 1, SET_NOTIFY);
}

bool TextEditor::dispatch(const IPTR* message, IPTR* result) {
  if (static_cast<uint32_t>(message[0]) != MUIM_TextEditor_ExportText) return Area::dispatch(message, result);
  const std::string exported = value(MUIA_TextEditor_ExportHook) == MUIV_TextEditor_ExportHook_NoStyle
                                   ? shownText(text(MUIA_TextEditor_Contents))
                                   : std::string(text(MUIA_TextEditor_Contents));
  char* block = static_cast<char*>(AllocVec(exported.size() + 1, MEMF_ANY));
  if (block) std::memcpy(block, exported.c_str(), exported.size() + 1);
  *result = reinterpret_cast<IPTR>(block);
  return true;
}

void TextEditor::describeState(Description& out) const {
  if (flag(MUIA_TextEditor_FixedFont)) out.prop("fixedtext");
  if (flag(MUIA_TextEditor_HasChanged)) out.prop("changed");
  if (flag(MUIA_TextEditor_InVirtualGroup)) out.prop("virtual");
  out.show(text(MUIA_TextEditor_Contents));
}

const MuiClass texteditorClass = makeClass("TextEditor.mcc", "TextEditor", &areaClass, textEditorAttrs,
                                           textEditorMethods, []() -> Object* { return new TextEditor; });

}  // namespace mui

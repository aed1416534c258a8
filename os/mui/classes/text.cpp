#include "os/mui/classes/text.h"

#include <string>

namespace mui {
namespace {
constexpr AttrSpec textAttrs[] = {
    {MUIA_Text_Contents, "MUIA_Text_Contents", ATTR_ISG, AttrKind::Contents, 0},
    {MUIA_Text_PreParse, "MUIA_Text_PreParse", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_Text_SetVMax, "MUIA_Text_SetVMax", ATTR_IG, AttrKind::Flag, 1},
};
}  // namespace

void Text::describeState(Description& out) const {
  if (isLabel) out.name = "Label";
  const char* pre = text(MUIA_Text_PreParse);
  out.show((std::string(pre ? pre : "") + text(MUIA_Text_Contents)).c_str());
}

const MuiClass textClass =
    makeClass("Text.mui", "Text", &areaClass, textAttrs, NO_METHODS, []() -> Object* { return new Text; });

}  // namespace mui

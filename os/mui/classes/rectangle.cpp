#include "os/mui/classes/rectangle.h"

#include <string>

namespace mui {
namespace {
constexpr AttrSpec rectangleAttrs[] = {
    {MUIA_Rectangle_HBar, "MUIA_Rectangle_HBar", ATTR_IG, AttrKind::Flag, 0},
    {MUIA_Rectangle_VBar, "MUIA_Rectangle_VBar", ATTR_IG, AttrKind::Flag, 0},
    {MUIA_Rectangle_BarTitle, "MUIA_Rectangle_BarTitle", ATTR_IG, AttrKind::Borrowed, 0},
};
}  // namespace

void Rectangle::describeState(Description& out) const {
  if (space) {
    out.name = space == 'H' ? "HSpace" : "VSpace";
    if (spaceSize) out.prop(std::to_string(static_cast<long>(spaceSize)));
    return;
  }
  if (flag(MUIA_Rectangle_HBar))
    out.prop("hbar");
  else if (flag(MUIA_Rectangle_VBar))
    out.prop("vbar");
  else
    out.prop("filler");
  if (text(MUIA_Rectangle_BarTitle)) out.show(text(MUIA_Rectangle_BarTitle));
}

const MuiClass rectangleClass = makeClass("Rectangle.mui", "Rectangle", &areaClass, rectangleAttrs, NO_METHODS,
                                          []() -> Object* { return new Rectangle; });

}  // namespace mui

// Floattext.mui: a text of many lines, wrapped to the width.
#include "os/mui/classes/area.h"

namespace mui {
namespace {
constexpr AttrSpec floattextAttrs[] = {
    {MUIA_Floattext_Text, "MUIA_Floattext_Text", ATTR_ISG, AttrKind::Text, 0},
};

class Floattext : public Area {
 protected:
  void describeState(Description& out) const override { out.show(text(MUIA_Floattext_Text)); }
};
}  // namespace

const MuiClass floattextClass = makeClass("Floattext.mui", "Floattext", &areaClass, floattextAttrs, NO_METHODS,
                                          []() -> Object* { return new Floattext; });

}  // namespace mui

// Image.mui: a built-in image; the check mark (toggled by the user, its state
// in MUIA_Selected) and the small buttons of pop-ups.
#include <string>

#include "os/mui/classes/area.h"

namespace mui {
namespace {
constexpr AttrSpec imageAttrs[] = {
    {MUIA_Image_Spec, "MUIA_Image_Spec", ATTR_IG, AttrKind::Number, 0},
    {MUIA_Image_FreeVert, "MUIA_Image_FreeVert", ATTR_IG, AttrKind::Flag, 0},
};

class Image : public Area {
 protected:
  void describeState(Description& out) const override {
    switch (value(MUIA_Image_Spec)) {
      case MUII_CheckMark:
        out.name = "CheckMark";
        out.prop(flag(MUIA_Selected) ? "on" : "off");
        break;
      case MUII_PopFile:
        out.name = "PopButton";
        out.prop("file");
        break;
      case MUII_PopDrawer:
        out.name = "PopButton";
        out.prop("drawer");
        break;
      default:
        out.prop("spec=" + std::to_string(static_cast<long>(value(MUIA_Image_Spec))));
    }
  }
};
}  // namespace

const MuiClass imageClass =
    makeClass("Image.mui", "Image", &areaClass, imageAttrs, NO_METHODS, []() -> Object* { return new Image; });

}  // namespace mui

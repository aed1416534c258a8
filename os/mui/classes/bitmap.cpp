// Bitmap.mui: shows a graphics bitmap the caller owns (borrowed), of a given size.
#include <string>

#include "os/mui/classes/area.h"

namespace mui {
namespace {
constexpr AttrSpec bitmapAttrs[] = {
    {MUIA_Bitmap_Bitmap, "MUIA_Bitmap_Bitmap", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Bitmap_Width, "MUIA_Bitmap_Width", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_Bitmap_Height, "MUIA_Bitmap_Height", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_Bitmap_UseFriend, "MUIA_Bitmap_UseFriend", ATTR_IG, AttrKind::Flag, 0},
};

class Bitmap : public Area {
 protected:
  void describeState(Description& out) const override {
    out.prop(std::to_string(static_cast<long>(value(MUIA_Bitmap_Width))) + "x" +
             std::to_string(static_cast<long>(value(MUIA_Bitmap_Height))));
    if (!value(MUIA_Bitmap_Bitmap)) out.prop("empty");
  }
};
}  // namespace

const MuiClass bitmapClass =
    makeClass("Bitmap.mui", "Bitmap", &areaClass, bitmapAttrs, NO_METHODS, []() -> Object* { return new Bitmap; });

}  // namespace mui

// Scrollgroup.mui: a frame with scroll bars around a virtual group (its contents).
#include "os/mui/classes/group.h"

namespace mui {
namespace {
constexpr AttrSpec scrollgroupAttrs[] = {
    {MUIA_Scrollgroup_Contents, "MUIA_Scrollgroup_Contents", ATTR_IG, AttrKind::Child, 0},
    {MUIA_Scrollgroup_UseWinBorder, "MUIA_Scrollgroup_UseWinBorder", ATTR_IG, AttrKind::Flag, 0},
};

class Scrollgroup : public Group {
 protected:
  bool finishCreate() override { return !children.empty(); }
  void describeState(Description& out) const override {
    if (flag(MUIA_Scrollgroup_UseWinBorder)) out.prop("winborder");
  }
};
}  // namespace

const MuiClass scrollgroupClass = makeClass("Scrollgroup.mui", "Scrollgroup", &groupClass, scrollgroupAttrs,
                                            NO_METHODS, []() -> Object* { return new Scrollgroup; });

}  // namespace mui

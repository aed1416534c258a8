// NListview.mcc: the frame and scroll bars around an NList (its only child).
// Made without one, it makes its own; a NIL one (a missing NList class)
// fails the creation. Sets go on to the list, as in any group.
#include "os/mui/classes/group.h"
#include "os/mui/mui_lists.h"

namespace mui {
namespace {
constexpr AttrSpec nlistviewAttrs[] = {
    {MUIA_NListview_NList, "MUIA_NListview_NList", ATTR_IG, AttrKind::Child, 0},
};

class NListview : public Group {
 protected:
  bool finishCreate() override {
    if (!children.empty()) return true;
    Object* list = MUI_NewObjectA("NList.mcc", nullptr);
    if (!list) return false;
    adopt(list);
    store(*muiClass->findAttr(MUIA_NListview_NList), reinterpret_cast<IPTR>(list));
    return true;
  }
  void describeState(Description& out) const override {
    if (value(MUIA_Frame) != MUIV_Frame_None) out.prop("frame=" + frameName(value(MUIA_Frame)));
    if (text(MUIA_FrameTitle)) out.prop("title=" + quoted(text(MUIA_FrameTitle)));
  }
};
}  // namespace

const MuiClass nlistviewClass = makeClass("NListview.mcc", "NListview", &groupClass, nlistviewAttrs, NO_METHODS,
                                          []() -> Object* { return new NListview; });

}  // namespace mui

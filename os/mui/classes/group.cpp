#include "os/mui/classes/group.h"

#include "os/mui/faults.h"
#include "os/mui/live_objects.h"

namespace mui {
namespace {
constexpr AttrSpec groupAttrs[] = {
    {MUIA_Group_Child, "MUIA_Group_Child", ATTR_I, AttrKind::Child, 0},
    {MUIA_Group_Horiz, "MUIA_Group_Horiz", ATTR_IG, AttrKind::Flag, 0},
    {MUIA_Group_Columns, "MUIA_Group_Columns", ATTR_IG, AttrKind::Number, 0},
    {MUIA_Group_SameSize, "MUIA_Group_SameSize", ATTR_IG, AttrKind::Flag, 0},
    {MUIA_Group_PageMode, "MUIA_Group_PageMode", ATTR_IG, AttrKind::Flag, 0},
    {MUIA_Group_ActivePage, "MUIA_Group_ActivePage", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_Group_Forward, "MUIA_Group_Forward", ATTR_ISG, AttrKind::Flag, 1},
};

constexpr MethodSpec groupMethods[] = {
    {MUIM_Group_InitChange, "MUIM_Group_InitChange"},
    {MUIM_Group_ExitChange, "MUIM_Group_ExitChange"},
};

Object* makeGroup() { return new Group; }
}  // namespace

IPTR Group::clampedPage(IPTR page) const {
  const IPTR last = children.empty() ? 0 : static_cast<IPTR>(children.size()) - 1;
  return page < 0 ? 0 : page > last ? last : page;
}

bool Group::finishCreate() {
  if (const AttrSpec* spec = muiClass->findAttr(MUIA_Group_ActivePage))
    store(*spec, clampedPage(value(MUIA_Group_ActivePage)));
  return true;
}

bool Group::filterSet(Tag tag, IPTR& data) {
  if (tag == MUIA_Group_ActivePage) data = clampedPage(data);
  return true;
}

void Group::passOn(Tag tag, IPTR data, unsigned mode, const MuiClass* owner) {
  if (owner && owner->isA(&groupClass)) return;  // the group's own attribute
  if (!flag(MUIA_Group_Forward)) return;
  // From a copy: an action of a child's notification may change the members.
  struct Member {
    Object* object;
    uint32_t serial;
  };
  std::vector<Member> members;
  for (Object* child : children) members.push_back({child, child->serial});
  for (const Member& m : members)
    if (isLive(m.object, m.serial)) m.object->set(tag, data, mode | SET_FORWARDED);
}

bool Group::dispatch(const IPTR* message, IPTR* result) {
  switch (static_cast<uint32_t>(message[0])) {
    case OM_ADDMEMBER:
      *result = addMember(reinterpret_cast<Object*>(message[1]));
      return true;
    case OM_REMMEMBER:
      *result = removeMember(reinterpret_cast<Object*>(message[1]));
      return true;
    case MUIM_Group_InitChange:
    case MUIM_Group_ExitChange:
      *result = 1;
      return true;
    default:
      return Area::dispatch(message, result);
  }
}

std::string frameName(IPTR frame) {
  switch (frame) {
    case MUIV_Frame_None: return "none";
    case MUIV_Frame_Button: return "button";
    case MUIV_Frame_ImageButton: return "imagebutton";
    case MUIV_Frame_Text: return "text";
    case MUIV_Frame_String: return "string";
    case MUIV_Frame_Group: return "group";
    case MUIV_Frame_Virtual: return "virtual";
    case MUIV_Frame_ReadList: return "readlist";
    case MUIV_Frame_InputList: return "inputlist";
    default: return std::to_string(static_cast<long>(frame));
  }
}

void Group::describeState(Description& out) const {
  if (value(MUIA_Group_Columns) > 0)
    out.prop("cols=" + std::to_string(static_cast<long>(value(MUIA_Group_Columns))));
  else if (flag(MUIA_Group_PageMode))
    out.prop("page=" + std::to_string(static_cast<long>(value(MUIA_Group_ActivePage))));
  else
    out.prop(flag(MUIA_Group_Horiz) ? "H" : "V");
  if (flag(MUIA_Group_SameSize)) out.prop("same");
  if (value(MUIA_Frame) != MUIV_Frame_None) out.prop("frame=" + frameName(value(MUIA_Frame)));
  if (text(MUIA_FrameTitle)) out.prop("title=" + quoted(text(MUIA_FrameTitle)));
}

const MuiClass groupClass = makeClass("Group.mui", "Group", &areaClass, groupAttrs, groupMethods, makeGroup);
const MuiClass virtgroupClass = makeClass("Virtgroup.mui", "Virtgroup", &groupClass, NO_ATTRS, NO_METHODS, makeGroup);

}  // namespace mui

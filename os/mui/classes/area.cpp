#include "os/mui/classes/area.h"

#include <string>

#include "os/mui/live_objects.h"

namespace mui {
namespace {
constexpr AttrSpec notifyAttrs[] = {
    {MUIA_UserData, "MUIA_UserData", ATTR_ISG, AttrKind::Number, 0},
};

constexpr AttrSpec areaAttrs[] = {
    {MUIA_Disabled, "MUIA_Disabled", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_ShortHelp, "MUIA_ShortHelp", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Weight, "MUIA_Weight", ATTR_ISG, AttrKind::Number, 100},
    {MUIA_FixWidth, "MUIA_FixWidth", ATTR_IG, AttrKind::Number, 0},
    {MUIA_FixHeight, "MUIA_FixHeight", ATTR_IG, AttrKind::Number, 0},
    {MUIA_ShowMe, "MUIA_ShowMe", ATTR_ISG, AttrKind::Flag, 1},
    {MUIA_ControlChar, "MUIA_ControlChar", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_Pressed, "MUIA_Pressed", ATTR_SG, AttrKind::Flag, 0},
    {MUIA_Selected, "MUIA_Selected", ATTR_ISG, AttrKind::Flag, 0},
    {MUIA_Background, "MUIA_Background", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_Frame, "MUIA_Frame", ATTR_IG, AttrKind::Number, MUIV_Frame_None},
    {MUIA_FrameTitle, "MUIA_FrameTitle", ATTR_IG, AttrKind::Borrowed, 0},
    {MUIA_Font, "MUIA_Font", ATTR_IG, AttrKind::Number, 0},
    {MUIA_InnerLeft, "MUIA_InnerLeft", ATTR_IG, AttrKind::Number, 0},
    {MUIA_InnerRight, "MUIA_InnerRight", ATTR_IG, AttrKind::Number, 0},
    {MUIA_InnerTop, "MUIA_InnerTop", ATTR_IG, AttrKind::Number, 0},
    {MUIA_InnerBottom, "MUIA_InnerBottom", ATTR_IG, AttrKind::Number, 0},
    {MUIA_InputMode, "MUIA_InputMode", ATTR_IG, AttrKind::Number, 0},
    {MUIA_ShowSelState, "MUIA_ShowSelState", ATTR_IG, AttrKind::Flag, 1},
};

constexpr MethodSpec areaMethods[] = {
    {MUIM_Click, "MUIM_Click"},
};

std::string number(const char* name, IPTR v) { return name + std::to_string(static_cast<long>(v)); }
}  // namespace

void Area::describe(Description& out) const {
  out.name = muiClass->dumpName;
  describeState(out);
  if (flag(MUIA_Disabled)) out.prop("disabled");
  if (!flag(MUIA_ShowMe)) out.prop("hidden");
  if (value(MUIA_Font) == MUIV_Font_Fixed) out.prop("fixedfont");
  if (value(MUIA_FixWidth)) out.prop(number("fixw=", value(MUIA_FixWidth)));
  if (value(MUIA_FixHeight)) out.prop(number("fixh=", value(MUIA_FixHeight)));
  if (value(MUIA_Weight) != 100) out.prop(number("weight=", value(MUIA_Weight)));
}

bool Area::dispatch(const IPTR* message, IPTR* result) {
  if (static_cast<uint32_t>(message[0]) != MUIM_Click) return Object::dispatch(message, result);
  if (flag(MUIA_Disabled)) return true;
  const uint32_t me = serial;
  switch (value(MUIA_InputMode)) {
    case MUIV_InputMode_RelVerify:
      set(MUIA_Pressed, 1, SET_NOTIFY);
      // The press may have closed the window and disposed this object.
      if (isLive(this, me)) set(MUIA_Pressed, 0, SET_NOTIFY);
      *result = 1;
      break;
    case MUIV_InputMode_Toggle:
      set(MUIA_Selected, flag(MUIA_Selected) ? 0 : 1, SET_NOTIFY);
      *result = 1;
      break;
    default:
      break;
  }
  return true;
}

const MuiClass notifyClass = makeClass("Notify.mui", "Notify", nullptr, notifyAttrs, NO_METHODS,
                                       []() -> Object* { return new Object; });
const MuiClass areaClass = makeClass("Area.mui", "Area", &notifyClass, areaAttrs, areaMethods,
                                     []() -> Object* { return new Area; });

}  // namespace mui

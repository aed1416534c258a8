#include "os/mui/classes/popstring.h"

namespace mui {
namespace {
constexpr AttrSpec popstringAttrs[] = {
    {MUIA_Popstring_String, "MUIA_Popstring_String", ATTR_IG, AttrKind::Child, 0},
    {MUIA_Popstring_Button, "MUIA_Popstring_Button", ATTR_IG, AttrKind::Child, 0},
};

constexpr MethodSpec popstringMethods[] = {
    {MUIM_Popstring_Open, "MUIM_Popstring_Open"},
};
}  // namespace

bool Popstring::isStringAttribute(Tag tag) {
  const MuiClass* owner = nullptr;
  return stringClass.findAttr(tag, &owner) && owner == &stringClass;
}

bool Popstring::redirectSet(Tag tag, IPTR data, unsigned mode) {
  if (!isStringAttribute(tag)) return false;
  if (Object* string = stringObject()) string->set(tag, data, mode);
  return true;
}

bool Popstring::computeGet(Tag tag, IPTR* storage) {
  if (!isStringAttribute(tag)) return false;
  Object* string = stringObject();
  *storage = 0;
  if (string) string->get(tag, storage);
  return true;
}

bool Popstring::dispatch(const IPTR* message, IPTR* result) {
  if (static_cast<uint32_t>(message[0]) != MUIM_Popstring_Open) return Group::dispatch(message, result);
  *result = 0;
  return true;
}

const MuiClass popstringClass = makeClass("Popstring.mui", "Popstring", &groupClass, popstringAttrs,
                                          popstringMethods, []() -> Object* { return new Popstring; });

}  // namespace mui

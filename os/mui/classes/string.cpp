#include "os/mui/classes/string.h"

#include <cstdio>
#include <cstring>

#include "os/runtime/read_number.h"

namespace mui {
namespace {
constexpr AttrSpec stringAttrs[] = {
    {MUIA_String_Contents, "MUIA_String_Contents", ATTR_ISG, AttrKind::Contents, 0},
    {MUIA_String_Integer, "MUIA_String_Integer", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_String_MaxLen, "MUIA_String_MaxLen", ATTR_IG, AttrKind::Number, MUI_STRING_DEFAULT_MAXLEN},
    {MUIA_String_Accept, "MUIA_String_Accept", ATTR_ISG, AttrKind::Text, 0},
    {MUIA_String_Acknowledge, "MUIA_String_Acknowledge", ATTR_S, AttrKind::TextEvent, 0},
};

constexpr MethodSpec stringMethods[] = {
    {MUIM_String_Type, "MUIM_String_Type"},
};
}  // namespace

size_t String::room() const {
  const IPTR maxLen = value(MUIA_String_MaxLen);
  return maxLen > 1 ? static_cast<size_t>(maxLen - 1) : 0;
}

bool String::accepts(char c) const {
  const char* accept = text(MUIA_String_Accept);
  return c != 0 && (!accept || std::strchr(accept, c));
}

void String::storeNumberText(IPTR number) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(number));
  if (std::strlen(buffer) > room()) buffer[room()] = 0;
  store(*muiClass->findAttr(MUIA_String_Contents), reinterpret_cast<IPTR>(buffer));
}

void String::initTag(const AttrSpec& spec, IPTR data) {
  if (spec.tag == MUIA_String_Integer)
    storeNumberText(data);
  else
    store(spec, data);
}

bool String::finishCreate() {
  // MaxLen may come after the contents among the tags.
  IPTR data = value(MUIA_String_Contents);
  filterSet(MUIA_String_Contents, data);
  store(*muiClass->findAttr(MUIA_String_Contents), data);
  return true;
}

bool String::filterSet(Tag tag, IPTR& data) {
  if (tag != MUIA_String_Contents || !data) return true;
  const char* given = reinterpret_cast<const char*>(data);
  if (std::strlen(given) <= room()) return true;
  fitted_.assign(given, room());
  data = reinterpret_cast<IPTR>(fitted_.c_str());
  return true;
}

void String::afterSet(Tag tag, IPTR data) {
  if (tag == MUIA_String_Integer) storeNumberText(data);
}

bool String::computeGet(Tag tag, IPTR* storage) {
  if (tag != MUIA_String_Integer) return false;
  *storage = readNumber(contents());  // the program's own reading: blank or "-" alone is 0
  return true;
}

bool String::dispatch(const IPTR* message, IPTR* result) {
  if (static_cast<uint32_t>(message[0]) != MUIM_String_Type) return Area::dispatch(message, result);
  *result = 0;
  if (flag(MUIA_Disabled)) return true;
  std::string typed = contents();
  IPTR taken = 0;
  for (const char* p = reinterpret_cast<const char*>(message[1]); p && *p && typed.size() < room(); ++p)
    if (accepts(*p)) {
      typed += *p;
      ++taken;
    }
  set(MUIA_String_Contents, reinterpret_cast<IPTR>(typed.c_str()), SET_NOTIFY);
  *result = taken;
  return true;
}

void String::describeState(Description& out) const { out.show(contents()); }

const MuiClass stringClass = makeClass("String.mui", "String", &areaClass, stringAttrs, stringMethods,
                                       []() -> Object* { return new String; });

}  // namespace mui

#include "gui/mui/hosts/mui_set_string.h"

#include <cstring>

#include "gui/mui/gui_host_conventions.h"

namespace {
// Acknowledges the contents the object holds now (the object may have cut the text).
void acknowledgeContents(Object* stringObject) {
  SetAttrs(stringObject, MUIA_String_Acknowledge, muiGet(stringObject, MUIA_String_Contents));
}
}  // namespace

void muiSetString(Object* stringObject, const char* text) {
  const char* shown = reinterpret_cast<const char*>(muiGet(stringObject, MUIA_String_Contents));
  if (std::strcmp(shown ? shown : "", text ? text : "") == 0) return;
  SetAttrs(stringObject, MUIA_String_Contents, text ? text : "");
  acknowledgeContents(stringObject);
}

void muiSetStringInteger(Object* stringObject, int32_t n) {
  if (static_cast<int32_t>(muiGet(stringObject, MUIA_String_Integer)) == n) return;
  SetAttrs(stringObject, MUIA_String_Integer, n);
  acknowledgeContents(stringObject);
}

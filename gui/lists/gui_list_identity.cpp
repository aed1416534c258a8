#include "gui/lists/gui_list_identity.h"

#include "core/strings/text.h"

namespace {

constexpr int KIND_SHIFT = 56;
constexpr int TEXT_BYTES = 7;

// The first seven bytes of the text, the first most significant, the rest 0.
uint64_t textBytes(const char* text, bool fold, bool* whole) {
  uint64_t word = 0;
  int i = 0;
  for (; i < TEXT_BYTES && text[i]; ++i) {
    const char c = fold ? UpperChar(text[i]) : text[i];
    word |= uint64_t{static_cast<unsigned char>(c)} << (8 * (TEXT_BYTES - 1 - i));
  }
  *whole = i < TEXT_BYTES;  // the text ended within the word
  return word;
}

}  // namespace

GuiListIdentity identityOf(const char* label, int32_t data, class_base* dataBox) {
  GuiListIdentity id;
  if (dataBox) {
    // The usual boxes first: asking a class for its line compares names,
    // and so does a type that is not the one asked about.
    const std::type_info& kind = typeid(*dataBox);
    if (kind == typeid(boxPTR) || kind == typeid(boxVALUE)) {
      id.kind = GuiListIdentity::NUMBER;
      id.number = static_cast<const box*>(dataBox)->value;
    } else if (kind == typeid(boxSTRING)) {
      const char* text = static_cast<const boxSTRING*>(dataBox)->string();
      id.kind = GuiListIdentity::TEXT;
      id.text = text ? text : "";
    } else if (dataBox->IsOfClassType("box")) {
      id.kind = GuiListIdentity::NUMBER;
      id.number = static_cast<const box*>(dataBox)->value;
    } else {
      id.kind = GuiListIdentity::NUMBER;
      id.number = reinterpret_cast<intptr_t>(dataBox);
    }
    return id;
  }
  if (data != 0) {
    id.kind = GuiListIdentity::NUMBER;
    id.number = data;
    return id;
  }
  id.text = label ? label : "";
  return id;
}

int8_t compareIdentities(const GuiListIdentity& a, const GuiListIdentity& b) {
  if (a.kind != b.kind) return a.kind < b.kind ? 1 : -1;
  switch (a.kind) {
    case GuiListIdentity::NUMBER:
      return a.number == b.number ? 0 : a.number < b.number ? 1 : -1;
    case GuiListIdentity::TEXT:
      return static_cast<int8_t>(OstrCmp(a.text, b.text));
    default:
      return static_cast<int8_t>(OstrCmpNoCase(a.text, b.text));
  }
}

uint64_t identityWord(const GuiListIdentity& identity, bool* whole) {
  // Numbers beyond the room keep their order against the others at the
  // ends of it; among themselves they are compared whole.
  if (identity.kind == GuiListIdentity::NUMBER) return identityNumberWord(identity.number, whole);
  const uint64_t kind = uint64_t{identity.kind} << KIND_SHIFT;
  return kind | textBytes(identity.text, identity.kind == GuiListIdentity::LABEL, whole);
}

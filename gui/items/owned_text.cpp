#include "gui/items/owned_text.h"

#include "core/strings/string.h"

void ReplaceOwnedText(char*& field, const char* text, OwnedTextRule rule) {
  char* copy = nullptr;
  const bool none = !text || (rule == OwnedTextRule::EmptyAsNone && !*text);
  if (!none || rule == OwnedTextRule::NilAsEmpty) copy = StrClone(text);
  // The copy exists before the old text goes: text may be the old text itself.
  char* old = field;
  field = copy;
  DisposeString(old);
}

void DisposeOwnedText(char*& field) {
  char* old = field;
  field = nullptr;
  DisposeString(old);
}

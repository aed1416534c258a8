#include "core/strings/text_builder.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"

namespace {
constexpr int32_t FIRST_CAPACITY = 64;
constexpr int32_t MAX_CAPACITY = 0x7FFFFFF0;
}  // namespace

TextBuilder::~TextBuilder() { DisposeString(text_); }

void TextBuilder::add(const char* piece, int32_t length) {
  if (length <= 0) return;
  const int32_t used = text_ ? EstrLen(text_) : 0;
  if (length > MAX_CAPACITY - used) Throw("MEM", "TextBuilder.add(); the text would be too long");
  if (!text_ || used + length > StrMax(text_)) {
    int32_t capacity = text_ ? StrMax(text_) : FIRST_CAPACITY;
    while (capacity < used + length) capacity = capacity > MAX_CAPACITY / 2 ? MAX_CAPACITY : capacity * 2;
    char* grown = NewString(capacity);
    if (text_) StrAdd(grown, text_, used);
    DisposeString(text_);
    text_ = grown;
  }
  StrAdd(text_, piece, length);
}

void TextBuilder::add(const char* piece) {
  if (piece) add(piece, static_cast<int32_t>(std::strlen(piece)));
}

char* TextBuilder::take() {
  char* text = text_ ? text_ : NewString(0);
  text_ = nullptr;
  return text;
}

#include "core/box.h"

#include "core/arena.h"
#include "core/strings/string.h"

void boxSTRING::end_class() {
  DisposeString(string());
  value = 0;
  box::end_class();
}

void boxLIST::end_class() {
  Arena::release(reinterpret_cast<void*>(value));
  value = 0;
  box::end_class();
}

namespace {
template <class B>
B* makeBox(intptr_t value) {
  B* b = new B;
  b->new_box();
  b->value = value;
  return b;
}

template <class B>
intptr_t replace(B* b, intptr_t value) {
  const intptr_t old = b->value;
  b->value = value;
  return old;
}

intptr_t word(const void* p) { return reinterpret_cast<intptr_t>(p); }
}  // namespace

boxVALUE* BoxVALUE(intptr_t value) { return makeBox<boxVALUE>(value); }
boxSTRING* BoxSTRING(char* string) { return makeBox<boxSTRING>(word(string)); }
boxPTR* BoxPTR(void* pointer) { return makeBox<boxPTR>(word(pointer)); }
boxLIST* BoxLIST(void* list) { return makeBox<boxLIST>(word(list)); }
boxARRAY* BoxARRAY(void* array) { return makeBox<boxARRAY>(word(array)); }

intptr_t ReplaceBoxVALUE(boxVALUE* b, intptr_t value) { return replace(b, value); }
char* ReplaceBoxSTRING(boxSTRING* b, char* string) { return reinterpret_cast<char*>(replace(b, word(string))); }
void* ReplaceBoxPTR(boxPTR* b, void* pointer) { return reinterpret_cast<void*>(replace(b, word(pointer))); }
void* ReplaceBoxLIST(boxLIST* b, void* list) { return reinterpret_cast<void*>(replace(b, word(list))); }
void* ReplaceBoxARRAY(boxARRAY* b, void* array) { return reinterpret_cast<void*>(replace(b, word(array))); }

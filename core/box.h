// Boxes: one-value objects that let a plain value, a string, a pointer, a list
// or an array stand where a container expects an object.
#pragma once
#include <cstdint>

#include "core/class_base.h"

class box : public class_base {
  LUDEX_CLASS(box, class_base)
 public:
  virtual void new_box() {}
  intptr_t value = 0;  // the boxed value, read and written directly
};

class boxVALUE : public box {
  LUDEX_CLASS(boxVALUE, box)
};

// Owns its string (a program string), freed when the box ends.
class boxSTRING : public box {
  LUDEX_CLASS(boxSTRING, box)
 public:
  void end_class() override;
  char* string() const { return reinterpret_cast<char*>(value); }
};

// A pointer that the box does not own.
class boxPTR : public box {
  LUDEX_CLASS(boxPTR, box)
 public:
  void* pointer() const { return reinterpret_cast<void*>(value); }
};

// Owns a runtime list: a block from the process-wide allocator, freed with the box.
class boxLIST : public box {
  LUDEX_CLASS(boxLIST, box)
 public:
  void end_class() override;
};

// A pointer to an array that the box does not own.
class boxARRAY : public box {
  LUDEX_CLASS(boxARRAY, box)
};

boxVALUE* BoxVALUE(intptr_t value);
boxSTRING* BoxSTRING(char* string);  // takes ownership
boxPTR* BoxPTR(void* pointer);
boxLIST* BoxLIST(void* list);        // takes ownership
boxARRAY* BoxARRAY(void* array);

// Store a new value and return the old one, which the caller takes over.
intptr_t ReplaceBoxVALUE(boxVALUE* b, intptr_t value);
char* ReplaceBoxSTRING(boxSTRING* b, char* string);
void* ReplaceBoxPTR(boxPTR* b, void* pointer);
void* ReplaceBoxLIST(boxLIST* b, void* list);
void* ReplaceBoxARRAY(boxARRAY* b, void* array);

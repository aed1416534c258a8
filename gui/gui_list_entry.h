// entry: one list entry on its way from a producer into a list, kept while
// the list's update sorts the producer's entries before merging them.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "core/string.h"

class entry : public class_base {
  LUDEX_CLASS(entry, class_base)
 public:
  // Takes the label and the data box over.
  virtual entry* new_entry(char* text, bool alt, bool mark, int32_t value, class_base* box) {
    label = text;
    altColour = alt;
    marked = mark;
    data = value;
    dataBox = box;
    return this;
  }
  void end_class() override {
    DisposeString(label);
    label = nullptr;
    End(dataBox);
    class_base::end_class();
  }

  char* label = nullptr;           // owned
  bool altColour = false;
  bool marked = false;
  int32_t data = 0;
  class_base* dataBox = nullptr;   // owned
};

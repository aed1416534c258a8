// A test object that counts how often each instance is ended, by id.
#pragma once
#include <cstdint>
#include <map>

#include "core/class_base.h"

class EndingProbe : public class_base {
  LUDEX_CLASS(EndingProbe, class_base)
 public:
  static inline std::map<int32_t, int32_t> ends;

  static EndingProbe* make(int32_t id) {
    auto* p = new EndingProbe;
    p->id = id;
    return p;
  }
  static intptr_t word(int32_t id) { return reinterpret_cast<intptr_t>(make(id)); }
  static int32_t endsOf(int32_t id) {
    auto it = ends.find(id);
    return it == ends.end() ? 0 : it->second;
  }
  void end_class() override {
    ++ends[id];
    class_base::end_class();
  }

  int32_t id = 0;
};

// cGuiChildList: what building one item hands to its parent group: pairs of
// MUIA_Group_Child and a MUI object. Its length says what the item is: 0
// (no object, a break), 2 (one object) or 4 (a label object, then the item's
// object: a labelled item, which joins a two-column block). The receiver owns
// the list; the objects in it belong to whoever places them in a group.
#pragma once
#include <cstdint>
#include <vector>

#include "core/class_base.h"
#include "os/mui/mui.h"

class cGuiChildList : public class_base {
  LUDEX_CLASS(cGuiChildList, class_base)
 public:
  // A list of no values.
  static cGuiChildList* make() { return new cGuiChildList; }
  // [MUIA_Group_Child, object].
  static cGuiChildList* of(Object* object) {
    cGuiChildList* list = make();
    list->addChild(object);
    return list;
  }
  // [MUIA_Group_Child, label, MUIA_Group_Child, object]: a labelled item.
  static cGuiChildList* labelled(Object* label, Object* object) {
    cGuiChildList* list = of(label);
    list->addChild(object);
    return list;
  }
  void addChild(Object* object) {
    values.push_back(MUIA_Group_Child);
    values.push_back(toIPTR(object));
  }
  int32_t infoLength() const { return static_cast<int32_t>(values.size()); }
  // Disposes the objects of the list, for a build that stops before they
  // were placed in a group.
  void disposeObjects() {
    for (size_t i = 1; i < values.size(); i += 2) MUI_DisposeObject(reinterpret_cast<Object*>(values[i]));
    values.clear();
  }

  std::vector<IPTR> values;
};

// The list a build answered (shared_cGuiItem id 0), as an owned pointer.
inline cGuiChildList* asChildList(intptr_t result) { return reinterpret_cast<cGuiChildList*>(result); }

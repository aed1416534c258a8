// Popstring.mui: a string field with a button beside it that pops something
// up. The string's attributes set on the pop-up reach its string, and a get of
// them answers from it; other sets reach both, as in any group.
#pragma once
#include "os/mui/classes/group.h"

namespace mui {

class Popstring : public Group {
 public:
  Object* stringObject() const { return reinterpret_cast<Object*>(value(MUIA_Popstring_String)); }

 protected:
  bool redirectSet(Tag tag, IPTR data, unsigned mode) override;
  bool computeGet(Tag tag, IPTR* storage) override;
  // A plain pop-up has nothing to open: MUIM_Popstring_Open answers 0.
  bool dispatch(const IPTR* message, IPTR* result) override;
  void describeState(Description&) const override {}
  // TRUE for the attributes the string object adds.
  static bool isStringAttribute(Tag tag);
};

}  // namespace mui

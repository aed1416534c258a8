// Text.mui: a line of text (its pre-parse codes shown before the contents).
// MUI_MakeObjectA's labels are Text objects too, dumped as "Label".
#pragma once
#include "os/mui/classes/area.h"

namespace mui {

class Text : public Area {
 public:
  bool isLabel = false;

 protected:
  void describeState(Description& out) const override;
};

}  // namespace mui

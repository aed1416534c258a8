// Rectangle.mui: empty space (a filler, or the spaces MUI_MakeObjectA makes)
// and horizontal or vertical bars, with an optional title.
#pragma once
#include "os/mui/classes/area.h"

namespace mui {

class Rectangle : public Area {
 public:
  // Made by MUI_MakeObjectA: 'H' or 'V' space of that size (0: flexible).
  char space = 0;
  IPTR spaceSize = 0;

 protected:
  void describeState(Description& out) const override;
};

}  // namespace mui

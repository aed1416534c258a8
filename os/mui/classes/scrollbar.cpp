// Scrollbar.mui: a scroll bar another object (an editor) moves.
#include "os/mui/classes/area.h"

namespace mui {

const MuiClass scrollbarClass = makeClass("Scrollbar.mui", "Scrollbar", &areaClass, NO_ATTRS, NO_METHODS,
                                          []() -> Object* { return new Area; });

}  // namespace mui

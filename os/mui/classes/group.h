// Group.mui and Virtgroup.mui: children in a row (horizontal), a column
// (vertical), a grid (columns) or pages (one shown: the active page). A set
// on a group also goes to its children unless MUIA_Group_Forward is 0; the
// group's own attributes stay with it.
#pragma once
#include "os/mui/classes/area.h"

namespace mui {

class Group : public Area {
 protected:
  bool finishCreate() override;
  bool filterSet(Tag tag, IPTR& data) override;
  void passOn(Tag tag, IPTR data, unsigned mode, const MuiClass* owner) override;
  bool dispatch(const IPTR* message, IPTR* result) override;
  void describeState(Description& out) const override;
  // The pages there are (a page group's active page is kept within them).
  IPTR clampedPage(IPTR page) const;
};

// The name of a frame for dumps ("group", "string", ...).
std::string frameName(IPTR frame);

}  // namespace mui

// The view of an NList: a tree view without branches over a RowModel. Clicks
// on rows (with Shift or Ctrl), double-clicks, clicks on column titles and
// the cursor keys become the driver's list actions; the sort mark, the
// active row and the row the program jumped to follow the list.
#pragma once
#include <memory>

#include "os/mui/qt/object_view.h"

namespace mui {
class NList;
}

namespace mui::qt {

std::unique_ptr<ObjectView> makeListView(NList* list);

}  // namespace mui::qt

// The view of an NList: a tree view without branches over a RowModel. Clicks
// on rows (with Shift or Ctrl), double-clicks, clicks on column titles and
// the list's keys (cursor and page keys, Home, End, a letter, Return) become
// the driver's list actions; the sort mark, the active row and the row the
// program jumped to follow the list. Columns take their rows' widths as the
// rows change and the view is resized, and no column is cut: when they need
// more than the list's width, the list scrolls sideways. Rows are as high as
// the glyphs of their font need. New rows are shown from the active row, else
// from the first.
#pragma once
#include <memory>

#include "os/mui/qt/object_view.h"

namespace mui {
class NList;
}

namespace mui::qt {

std::unique_ptr<ObjectView> makeListView(NList* list);

}  // namespace mui::qt

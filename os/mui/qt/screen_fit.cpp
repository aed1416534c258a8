#include "os/mui/qt/screen_fit.h"

#include <algorithm>

namespace mui::qt {
namespace {
// Where a span of `length` starting at `at` lies within [start, start+room):
// moved in from the far edge, but never before the start.
int fitSpan(int at, int length, int start, int room) { return std::max(start, std::min(at, start + room - length)); }
}  // namespace

Placement fitOnScreen(QPoint corner, QSize inside, QMargins frame, QRect room, QSize least) {
  const QSize framing(frame.left() + frame.right(), frame.top() + frame.bottom());
  inside = inside.boundedTo(room.size() - framing).expandedTo(least);
  const QSize outside = inside + framing;
  corner = QPoint(fitSpan(corner.x(), outside.width(), room.left(), room.width()),
                  fitSpan(corner.y(), outside.height(), room.top(), room.height()));
  return {corner, inside};
}

}  // namespace mui::qt

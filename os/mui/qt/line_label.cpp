#include "os/mui/qt/line_label.h"

#include <algorithm>

#include <QPainter>
#include <QStyle>

#include "os/mui/qt/glyph_room.h"

namespace mui::qt {
namespace {
// A text that shrinks keeps room for this many characters.
constexpr int LEAST_CHARACTERS = 10;
}  // namespace

QSize LineLabel::withLineRoom(QSize size) const {
  const int line = fontMetrics().height() + 2 * glyphOverhang(font()) + 2 * (frameWidth() + margin());
  return QSize(size.width(), std::max(size.height(), line));
}

QSize LineLabel::sizeHint() const { return withLineRoom(QLabel::sizeHint()); }

QSize LineLabel::minimumSizeHint() const {
  QSize size = withLineRoom(QLabel::minimumSizeHint());
  if (shrinks_)
    size.setWidth(std::min(size.width(), LEAST_CHARACTERS * fontMetrics().averageCharWidth() + 2 * (frameWidth() + margin())));
  return size;
}

void LineLabel::paintEvent(QPaintEvent* event) {
  const QRect inside = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QString shown = text();
  if (!shrinks_ || shown.contains('\n') || fontMetrics().horizontalAdvance(shown) <= inside.width())
    return QLabel::paintEvent(event);
  QPainter painter(this);
  drawFrame(&painter);
  style()->drawItemText(&painter, inside, static_cast<int>(alignment()), palette(), isEnabled(),
                        fontMetrics().elidedText(shown, Qt::ElideRight, inside.width()), foregroundRole());
}

}  // namespace mui::qt

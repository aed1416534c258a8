#include "os/mui/qt/glyph_room.h"

#include <algorithm>

#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QString>

namespace mui::qt {

int glyphOverhang(const QFont& font) {
  // Measuring glyphs costs more than a row's size is asked for: once per font.
  static QHash<QString, int> known;
  const QString key = font.key();
  const auto found = known.constFind(key);
  if (found != known.constEnd()) return *found;
  const QFontMetrics metrics(font);
  // Rows of pixels from the baseline: a glyph fits the line when it lies in
  // -ascent .. descent-1.
  const QRect marked = metrics.tightBoundingRect(QStringLiteral(u"ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝ"));
  const QRect descending = metrics.tightBoundingRect(QStringLiteral(u"gjpqyÇ"));
  const int overhang =
      std::max({0, -marked.top() - metrics.ascent(), descending.bottom() + 1 - metrics.descent()});
  known.insert(key, overhang);
  return overhang;
}

}  // namespace mui::qt

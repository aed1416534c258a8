// Texts between the engine (the host's 8-bit texts, UTF-8 on Linux, with the
// text engine's escape codes) and Qt's strings.
#pragma once
#include <QString>
#include <string>

#include "os/mui/classes/shown_text.h"

namespace mui::qt {

inline QString toQt(const char* text) { return text ? QString::fromUtf8(text) : QString(); }
inline QString toQt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
// What a person reads: the escape codes left out.
inline QString shownQt(const char* text) { return toQt(shownText(text ? text : "")); }
// The alignment the text's codes ask for (ESC l, ESC c, ESC r; the last wins).
inline Qt::Alignment alignmentOf(const char* text) {
  Qt::Alignment align = Qt::AlignLeft;
  for (const char* p = text; p && *p; ++p)
    if (p[0] == '\033' && p[1]) {
      if (p[1] == 'c') align = Qt::AlignHCenter;
      if (p[1] == 'r') align = Qt::AlignRight;
      if (p[1] == 'l') align = Qt::AlignLeft;
      ++p;
    }
  return align | Qt::AlignVCenter;
}
inline std::string fromQt(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace mui::qt

#include "os/mui/qt/text_style.h"

namespace mui::qt {

TextStyle styleOf(const char* text) {
  TextStyle style;
  for (const char* p = text; p && *p; ++p) {
    if (p[0] != '\033' || !p[1]) continue;
    const char code = *++p;
    switch (code) {
      case 'b': style.bold = true; break;
      case 'i': style.italic = true; break;
      case 'u': style.underline = true; break;
      case 'n': style.bold = style.italic = style.underline = false; break;
      default:
        if (code >= '0' && code <= '9') style.pen = code - '0';
        break;
    }
  }
  return style;
}

QFont styledFont(QFont font, const TextStyle& style) {
  if (style.bold) font.setBold(true);
  if (style.italic) font.setItalic(true);
  if (style.underline) font.setUnderline(true);
  return font;
}

QColor penColour(int pen, const QPalette& palette) {
  switch (pen) {
    case 3: return palette.color(QPalette::Light);
    case 4: return palette.color(QPalette::Shadow);
    case 5: return palette.color(QPalette::Highlight);
    case 6: return palette.color(QPalette::HighlightedText);
    case 7: return palette.color(QPalette::Base);
    // Highlighted text stands out from the other rows in the accent colour.
    case 8: return palette.color(QPalette::Highlight);
    default: return {};  // the detail, block and text pens: the usual text
  }
}

}  // namespace mui::qt

// The look MUI's text codes give a text on screen: ESC b bold, ESC i italic,
// ESC u underlined, ESC n normal again, and ESC followed by a digit the pen
// the text is drawn with (the screen's pens: 2 the text, 3 shine, 4 shadow,
// 5 fill, 6 the text on fill, 7 background, 8 highlighted text, ...).
#pragma once
#include <QColor>
#include <QFont>
#include <QPalette>

namespace mui::qt {

struct TextStyle {
  bool bold = false, italic = false, underline = false;
  int pen = -1;  // -1: the usual text colour
  bool plain() const { return !bold && !italic && !underline && pen < 0; }
};

// The style the codes of a text leave in force (the last of each kind wins).
TextStyle styleOf(const char* text);
// The font with the style's weight, slant and underline.
QFont styledFont(QFont font, const TextStyle& style);
// The colour of a screen pen in the palette; invalid for -1 and the text pens
// (the usual colour then).
QColor penColour(int pen, const QPalette& palette);

}  // namespace mui::qt

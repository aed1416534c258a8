// Room for whole glyphs. In many fonts the marks of accented capitals (the
// dots of Ö, the ring of Å) reach above the font's ascent, and a line box
// only as high as the font (ascent and descent) cuts them off when the text
// is drawn into it. A box that centres its text needs this much more room
// above and below for every glyph to show whole.
#pragma once
#include <QFont>

namespace mui::qt {

// Pixels the highest accented capitals or the lowest descenders reach beyond
// the font's ascent or descent, the more of the two; 0 when the font's line
// holds them all.
int glyphOverhang(const QFont& font);

}  // namespace mui::qt

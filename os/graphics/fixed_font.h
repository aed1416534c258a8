// The dots of the hosted system's one font: 3 by 5 dot glyphs, drawn two
// pixels a dot in cells of 8 by 12 pixels.
#pragma once

class FixedFont {
 public:
  static constexpr int GLYPH_COLUMNS = 3;
  static constexpr int GLYPH_ROWS = 5;
  static constexpr int DOT_SIZE = 2;
  static constexpr int CELL_WIDTH = 8;
  static constexpr int CELL_HEIGHT = 12;
  // Rows of the cell above the baseline row; the glyph's last dot row ends on it.
  static constexpr int BASELINE = GLYPH_ROWS * DOT_SIZE - 1;
  // Whether the glyph of c has a dot at (column, row).
  static bool dot(unsigned char c, int column, int row);
};

// The label that shows a Text object. It asks for the room of a line even
// when empty, with room for the marks of accented capitals above its text
// (which is centred, see glyph_room.h). A text that takes the window's extra
// width may also be narrower than its text when the window is too small for
// it: it then shows the text's start, cut short with "…", and never makes the
// window wider than the screen.
#pragma once
#include <QLabel>

namespace mui::qt {

class LineLabel : public QLabel {
 public:
  explicit LineLabel(bool shrinks) : shrinks_(shrinks) {}
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool shrinks_;
  QSize withLineRoom(QSize size) const;
};

}  // namespace mui::qt

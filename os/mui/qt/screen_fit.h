// Where a window opens so that all of it, its frame included, is on the
// screen: larger than the screen's free area it is made smaller (its lists
// scroll then), and one that would reach past an edge is moved in. A window
// that cannot be as small as the screen keeps its least size and its top
// left corner on the screen.
#pragma once
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace mui::qt {

struct Placement {
  QPoint corner;  // the frame's top left corner
  QSize inside;   // the window's size without its frame
};

// `room`: the screen's free area (without panels); `frame`: the margins the
// window manager's frame adds around the inside; `least`: the least size the
// window's contents take.
Placement fitOnScreen(QPoint corner, QSize inside, QMargins frame, QRect room, QSize least);

}  // namespace mui::qt

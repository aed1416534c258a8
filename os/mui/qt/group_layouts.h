// The layouts of groups.
//
// A row or column (WeightedBoxLayout) first gives each member the size it
// asks for, then shares the room left over by the members' weights (a member
// of weight 0 grows only when no weighted one can), and when the room is too
// small takes it from the members in proportion to what each can give up.
// So a window at its opening size shows every member whole (the games list
// with all its columns beside the tag filter), and weights decide who grows.
// (Qt's own stretch factors share all of the room by weight, squeezing a
// member below the size it asks for even when the window is as large as its
// contents ask.)
//
// In a same-size group every member asks for the size of the largest, and
// all share alike: along a row or column, and in both directions in a grid.
#pragma once
#include <QBoxLayout>
#include <QGridLayout>

namespace mui::qt {

class WeightedBoxLayout : public QBoxLayout {
 public:
  // horizontal: a row, else a column.
  WeightedBoxLayout(bool horizontal, bool sameSize, QWidget* parent);
  void addMember(QWidget* member, int weight);

  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;
  // Heights are not traded for widths: a wrapped text asks for its usual height.
  bool hasHeightForWidth() const override { return false; }

 private:
  bool horizontal_;
  bool sameSize_;
  // The size asked for (minimum: the least), from the members' sizes.
  QSize measure(bool minimum) const;
};

class SameSizeGridLayout : public QGridLayout {
 public:
  SameSizeGridLayout(int columns, QWidget* parent);
  void addMember(QWidget* member, int index);

  QSize sizeHint() const override;
  QSize minimumSize() const override;

 private:
  int columns_;
};

}  // namespace mui::qt

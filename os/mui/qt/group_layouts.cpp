#include "os/mui/qt/group_layouts.h"

#include <algorithm>
#include <vector>

#include <QWidget>

namespace mui::qt {
namespace {

// Spacing between members when the style names none for a layout.
constexpr int DEFAULT_SPACING = 6;

int along(const QSize& size, bool horizontal) { return horizontal ? size.width() : size.height(); }
int across(const QSize& size, bool horizontal) { return horizontal ? size.height() : size.width(); }
QSize sizeOf(int alongSize, int acrossSize, bool horizontal) {
  return horizontal ? QSize(alongSize, acrossSize) : QSize(acrossSize, alongSize);
}

// One member of a row or column as the sharing sees it, along the direction.
struct Member {
  QLayoutItem* item;
  int weight;
  int minimum, hint, maximum;
  int size = 0;
};

std::vector<Member> membersOf(const QBoxLayout& box, bool horizontal, bool sameSize) {
  std::vector<Member> members;
  int largestHint = 0, largestMinimum = 0;
  for (int i = 0; i < box.count(); ++i) {
    QLayoutItem* item = box.itemAt(i);
    if (item->isEmpty()) continue;
    const int maximum = along(item->maximumSize(), horizontal);
    const int minimum = std::min(along(item->minimumSize(), horizontal), maximum);
    const int hint = std::clamp(along(item->sizeHint(), horizontal), minimum, maximum);
    members.push_back(Member{item, box.stretch(i), minimum, hint, maximum});
    largestHint = std::max(largestHint, hint);
    largestMinimum = std::max(largestMinimum, minimum);
  }
  if (sameSize)
    for (Member& m : members) {
      m.hint = std::min(std::max(m.hint, largestHint), m.maximum);
      m.minimum = std::min(std::max(m.minimum, largestMinimum), m.maximum);
    }
  return members;
}

// Shares `room` (along the direction, spacing left out) among the members.
void share(std::vector<Member>& members, long room) {
  long asked = 0, least = 0;
  for (Member& m : members) {
    m.size = m.hint;
    asked += m.hint;
    least += m.minimum;
  }
  if (room < asked) {
    // Each gives up room in proportion to what it can spare above its minimum.
    const long spare = asked - least, taken = std::min(asked - room, spare);
    long given = 0;
    for (Member& m : members) {
      const long cut = spare > 0 ? taken * (m.hint - m.minimum) / spare : 0;
      m.size -= static_cast<int>(cut);
      given += cut;
    }
    for (Member& m : members)
      if (given < taken && m.size > m.minimum) {
        --m.size;
        ++given;
      }
    return;
  }
  long left = room - asked;
  while (left > 0) {
    // Who grows: the weighted members below their maximum, else any below it.
    bool weighted = false;
    for (const Member& m : members) weighted = weighted || (m.weight > 0 && m.size < m.maximum);
    long weights = 0;
    for (const Member& m : members)
      if (m.size < m.maximum && (!weighted || m.weight > 0)) weights += weighted ? m.weight : 1;
    if (weights == 0) return;
    long given = 0;
    for (Member& m : members) {
      if (m.size >= m.maximum || (weighted && m.weight <= 0)) continue;
      const long share = std::min<long>(left * (weighted ? m.weight : 1) / weights, m.maximum - m.size);
      m.size += static_cast<int>(share);
      given += share;
    }
    // What the division left over goes a pixel at a time.
    if (given == 0)
      for (Member& m : members)
        if (given < left && m.size < m.maximum && (!weighted || m.weight > 0)) {
          ++m.size;
          ++given;
        }
    if (given == 0) return;
    left -= given;
  }
}

// The widths (or heights) of a grid's columns (or rows) as their members ask.
std::vector<int> lineSizes(const QGridLayout& grid, bool columns, bool minimum) {
  std::vector<int> sizes(static_cast<size_t>(columns ? grid.columnCount() : grid.rowCount()), 0);
  for (int i = 0; i < grid.count(); ++i) {
    QLayoutItem* item = grid.itemAt(i);
    if (item->isEmpty()) continue;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid.getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
    int& line = sizes[static_cast<size_t>(columns ? column : row)];
    line = std::max(line, along(minimum ? item->minimumSize() : item->sizeHint(), columns));
  }
  return sizes;
}

// How much more room a grid needs so that equal shares give every line the
// size of the largest.
int sameSizeExtra(const std::vector<int>& sizes) {
  if (sizes.empty()) return 0;
  const int largest = *std::max_element(sizes.begin(), sizes.end());
  int sum = 0;
  for (int s : sizes) sum += s;
  return largest * static_cast<int>(sizes.size()) - sum;
}

}  // namespace

WeightedBoxLayout::WeightedBoxLayout(bool horizontal, bool sameSize, QWidget* parent)
    : QBoxLayout(horizontal ? LeftToRight : TopToBottom, parent), horizontal_(horizontal), sameSize_(sameSize) {
  // One spacing for measuring and placing alike.
  if (spacing() < 0) setSpacing(DEFAULT_SPACING);
}

void WeightedBoxLayout::addMember(QWidget* member, int weight) { addWidget(member, sameSize_ ? 1 : weight); }

QSize WeightedBoxLayout::sizeHint() const { return measure(false); }
QSize WeightedBoxLayout::minimumSize() const { return measure(true); }

QSize WeightedBoxLayout::measure(bool minimum) const {
  const std::vector<Member> members = membersOf(*this, horizontal_, sameSize_);
  long total = 0;
  int widest = 0;
  for (const Member& m : members) {
    total += minimum ? m.minimum : m.hint;
    widest = std::max(widest, across(minimum ? m.item->minimumSize() : m.item->sizeHint(), horizontal_));
  }
  if (!members.empty()) total += static_cast<long>(spacing()) * static_cast<long>(members.size() - 1);
  const QMargins margins = contentsMargins();
  return sizeOf(static_cast<int>(total), widest, horizontal_) +
         QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

void WeightedBoxLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  std::vector<Member> members = membersOf(*this, horizontal_, sameSize_);
  if (members.empty()) return;
  const QRect inside = rect.marginsRemoved(contentsMargins());
  const long gaps = static_cast<long>(spacing()) * static_cast<long>(members.size() - 1);
  share(members, std::max(0L, along(inside.size(), horizontal_) - gaps));
  int at = horizontal_ ? inside.left() : inside.top();
  for (const Member& m : members) {
    // The member places itself inside its cell by its own alignment and maximum.
    m.item->setGeometry(horizontal_ ? QRect(at, inside.top(), m.size, inside.height())
                                    : QRect(inside.left(), at, inside.width(), m.size));
    at += m.size + spacing();
  }
}

SameSizeGridLayout::SameSizeGridLayout(int columns, QWidget* parent) : QGridLayout(parent), columns_(columns) {}

void SameSizeGridLayout::addMember(QWidget* member, int index) {
  const int row = index / columns_, column = index % columns_;
  addWidget(member, row, column);
  // Equal stretches share the whole room alike; the size hint below makes
  // that room enough for the largest member in every line.
  setColumnStretch(column, 1);
  setRowStretch(row, 1);
}

QSize SameSizeGridLayout::sizeHint() const {
  const QSize base = QGridLayout::sizeHint();
  return QSize(base.width() + sameSizeExtra(lineSizes(*this, true, false)),
               base.height() + sameSizeExtra(lineSizes(*this, false, false)));
}

QSize SameSizeGridLayout::minimumSize() const {
  const QSize base = QGridLayout::minimumSize();
  return QSize(base.width() + sameSizeExtra(lineSizes(*this, true, true)),
               base.height() + sameSizeExtra(lineSizes(*this, false, true)));
}

}  // namespace mui::qt

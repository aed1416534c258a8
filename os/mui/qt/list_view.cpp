#include "os/mui/qt/list_view.h"

#include <algorithm>
#include <set>
#include <vector>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTreeView>

#include "os/mui/driver/user_driver.h"
#include "os/mui/lists/nlist.h"
#include "os/mui/qt/gesture.h"
#include "os/mui/qt/row_model.h"

namespace mui::qt {
namespace {

RowClick clickOf(Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ShiftModifier) return RowClick::Shift;
  if (modifiers & Qt::ControlModifier) return RowClick::Ctrl;
  return RowClick::Plain;
}

// Queues a click on a row; by the time it is performed the row must still be there.
void rowGesture(const char* what, NList* list, size_t row, bool twice, RowClick how) {
  queueGesture(what, list, [row, twice, how](Object* target) {
    auto* rows = static_cast<NList*>(target);
    if (row >= rows->userRowCount()) return;
    if (twice)
      act::doubleClickRow(target, row);
    else
      act::clickRow(target, row, how);
  });
}

// At most this many rows, spread over the list, and the rows in view are
// measured for a column's width: a long list costs no more than a short one.
constexpr int MEASURED_ROWS = 500;

class RowTreeView : public QTreeView {
 public:
  explicit RowTreeView(NList* list) : list_(list) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(true);
    connect(header(), &QHeaderView::sectionClicked, [list](int section) {
      queueGesture("click title", list, [section](Object* target) {
        if (static_cast<size_t>(section) < static_cast<NList*>(target)->userColumnCount())
          act::clickTitle(target, static_cast<size_t>(section));
      });
    });
    // A column the person sized keeps that width; the last one takes what is left.
    connect(header(), &QHeaderView::sectionResized, [this](int section, int, int) {
      if (!fitting_ && section + 1 < header()->count()) sizedByHand_.insert(section);
    });
  }

  // Each column as wide as its title and the rows measured need, but for
  // those the person sized; the last column takes the room left.
  void fitColumns() {
    const std::vector<int> widths = measuredWidths();
    fitting_ = true;
    for (int c = 0; c + 1 < static_cast<int>(widths.size()); ++c)
      if (!sizedByHand_.count(c) && header()->sectionSize(c) != widths[static_cast<size_t>(c)])
        header()->resizeSection(c, widths[static_cast<size_t>(c)]);
    fitting_ = false;
    updateGeometry();
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid())
      rowGesture("click row", list_, static_cast<size_t>(at.row()), false, clickOf(event->modifiers()));
    setFocus(Qt::MouseFocusReason);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid())
      rowGesture("double-click row", list_, static_cast<size_t>(at.row()), true, RowClick::Plain);
  }
  // Wide enough for every column, so a window opened at its needed size
  // shows them all.
  QSize sizeHint() const override {
    QSize size = QTreeView::sizeHint();
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c : measuredWidths()) width += c;
    size.setWidth(std::max(size.width(), width));
    return size;
  }
  void showEvent(QShowEvent* event) override {
    QTreeView::showEvent(event);
    fitColumns();
  }
  void resizeEvent(QResizeEvent* event) override {
    QTreeView::resizeEvent(event);
    fitColumns();
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}
  // The keys move the active entry as a click on the row would, and Return
  // acts on it as a double-click; Qt's own focus frame never moves alone.
  void keyPressEvent(QKeyEvent* event) override {
    const long active = list_->userActiveRow();
    const long count = static_cast<long>(list_->userRowCount());
    const long page = std::max(1, viewport()->height() / std::max(1, rowHeightShown()) - 1);
    long to = -1;
    switch (event->key()) {
      case Qt::Key_Down: to = active + 1; break;
      case Qt::Key_Up: to = active < 0 ? count - 1 : active - 1; break;
      case Qt::Key_PageDown: to = active < 0 ? 0 : std::min(count - 1, active + page); break;
      case Qt::Key_PageUp: to = active < 0 ? count - 1 : std::max(0L, active - page); break;
      case Qt::Key_Home: to = 0; break;
      case Qt::Key_End: to = count - 1; break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (active < 0) break;
        rowGesture("double-click row", list_, static_cast<size_t>(active), true, RowClick::Plain);
        return;
      default: to = rowStartingWith(event->text(), active, count); break;
    }
    if (to >= 0 && to < count) {
      if (to != active) rowGesture("click row", list_, static_cast<size_t>(to), false, RowClick::Plain);
      return;
    }
    // Keys the list has no use for go to the window (a control character).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) || event->text().isEmpty())
      QTreeView::keyPressEvent(event);
    else
      event->ignore();
  }
  // Typing is the list's own search, never Qt's.
  void keyboardSearch(const QString&) override {}

 private:
  NList* list_;
  bool fitting_ = false;
  std::set<int> sizedByHand_;

  int rowHeightShown() const {
    return model() && model()->rowCount() > 0 ? rowHeight(model()->index(0, 0)) : fontMetrics().height();
  }
  // The next row after `active` (round to the start) whose first column
  // starts with the typed letter, ignoring case; -1 when none does.
  long rowStartingWith(const QString& typed, long active, long count) const {
    if (typed.size() != 1 || !typed[0].isPrint() || typed[0].isSpace() || count == 0) return -1;
    const QString letter = typed.toCaseFolded();
    for (long step = 1; step <= count; ++step) {
      const long row = (active + step) % count;
      const QString first = model()->index(static_cast<int>(row), 0).data().toString();
      if (first.toCaseFolded().startsWith(letter)) return row;
    }
    return -1;
  }
  // The rows whose texts decide the widths: all of a short list; of a long
  // one a sample spread over it and the rows in view.
  std::vector<int> measuredRows() const {
    const int rows = model() ? model()->rowCount() : 0;
    std::vector<int> out;
    if (rows <= MEASURED_ROWS) {
      for (int r = 0; r < rows; ++r) out.push_back(r);
      return out;
    }
    for (int i = 0; i < MEASURED_ROWS; ++i) out.push_back(static_cast<int>(static_cast<long>(i) * rows / MEASURED_ROWS));
    const int first = std::max(0, indexAt(QPoint(0, 0)).row());
    for (int r = first; r < rows && r < first + viewport()->height() / std::max(1, rowHeightShown()) + 1; ++r)
      out.push_back(r);
    return out;
  }
  // Per column: the title's width, or the width the row with the widest
  // text measured (in its own font) is drawn with.
  std::vector<int> measuredWidths() const {
    const int columns = header()->count();
    std::vector<int> widths(static_cast<size_t>(columns), 0);
    if (!model()) return widths;
    const std::vector<int> rows = measuredRows();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    for (int c = 0; c < columns; ++c) {
      QModelIndex widest;
      int most = -1;
      for (int r : rows) {
        const QModelIndex at = model()->index(r, c);
        const QVariant font = at.data(Qt::FontRole);
        const QFontMetrics metrics(font.isValid() ? font.value<QFont>().resolve(this->font()) : this->font());
        const int advance = metrics.horizontalAdvance(at.data().toString());
        if (advance > most) most = advance, widest = at;
      }
      const int rowWidth = widest.isValid() ? itemDelegateForIndex(widest)->sizeHint(option, widest).width() : 0;
      widths[static_cast<size_t>(c)] = std::max(header()->sectionSizeHint(c), rowWidth);
    }
    return widths;
  }
};

class ListView : public ObjectView {
 public:
  explicit ListView(NList* list)
      : ObjectView(list, new RowTreeView(list)), view_(static_cast<RowTreeView*>(widget())),
        model_(new RowModel(list, view_)) {
    view_->setModel(model_);
  }

 protected:
  void refreshOwn() override {
    auto* list = static_cast<NList*>(object());
    // Every change the list shows moves its redraw count: a list that did
    // not change is not painted again (a key typed elsewhere in the window
    // would repaint its rows).
    const bool changed = model_->follow();
    if (changed) view_->fitColumns();
    view_->setHeaderHidden(!list->flag(MUIA_NList_Title));
    const uint32_t mark = static_cast<uint32_t>(list->value(MUIA_NList_TitleMark));
    view_->header()->setSortIndicatorShown(mark != MUIV_NList_TitleMark_None);
    if (mark != MUIV_NList_TitleMark_None)
      view_->header()->setSortIndicator(static_cast<int>(mark & ~MUIV_NList_TitleMark_Reversed),
                                        (mark & MUIV_NList_TitleMark_Reversed) ? Qt::DescendingOrder
                                                                               : Qt::AscendingOrder);
    const long active = list->userActiveRow();
    if (active >= 0 && active < model_->rowCount())
      view_->selectionModel()->setCurrentIndex(model_->index(static_cast<int>(active), 0),
                                               QItemSelectionModel::NoUpdate);
    if (list->jumpedRow() != jumped_) {
      jumped_ = list->jumpedRow();
      if (jumped_ >= 0 && jumped_ < model_->rowCount()) view_->scrollTo(model_->index(static_cast<int>(jumped_), 0));
    } else if (changed) {
      // New rows (a refilter) show the active entry, else start at the first row.
      if (active >= 0 && active < model_->rowCount())
        view_->scrollTo(model_->index(static_cast<int>(active), 0));
      else
        view_->scrollToTop();
    }
    if (changed) view_->viewport()->update();
  }

 private:
  RowTreeView* view_;
  RowModel* model_;
  long jumped_ = -1;
};

}  // namespace

std::unique_ptr<ObjectView> makeListView(NList* list) { return std::make_unique<ListView>(list); }

}  // namespace mui::qt

#include "os/mui/qt/list_view.h"

#include <algorithm>
#include <cstdint>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
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
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid())
      rowGesture("click row", list_, static_cast<size_t>(at.row()), false, clickOf(event->modifiers()));
    setFocus(Qt::MouseFocusReason);
  }
  // The second press of a double-click acts on the entry the first press
  // made the active row: the rows may have moved under the pointer between
  // the two (the first press took the keyboard from a filter field, and the
  // list was filtered anew). A list that takes no clicks has no active row:
  // the row under the pointer is the one.
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !at.isValid()) return;
    const auto pointed = static_cast<size_t>(at.row());
    queueGesture("double-click row", list_, [pointed](Object* target) {
      auto* rows = static_cast<NList*>(target);
      const long active = rows->userActiveRow();
      const size_t row = !rows->flag(MUIA_NList_Input) ? pointed : active >= 0 ? static_cast<size_t>(active) : SIZE_MAX;
      if (row < rows->userRowCount()) act::doubleClickRow(target, row);
    });
  }
  // Wide enough for every column, so a window opened at its needed size
  // shows them all; the columns take their contents' widths when first shown.
  QSize sizeHint() const override {
    QSize size = QTreeView::sizeHint();
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < header()->count(); ++c) width += columnWidthFor(c);
    size.setWidth(std::max(size.width(), width));
    return size;
  }
  void showEvent(QShowEvent* event) override {
    QTreeView::showEvent(event);
    for (int c = 0; c < header()->count(); ++c) setColumnWidth(c, columnWidthFor(c));
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}
  void keyPressEvent(QKeyEvent* event) override {
    const long active = list_->userActiveRow();
    const long count = static_cast<long>(list_->userRowCount());
    long to = -1;
    if (event->key() == Qt::Key_Down) to = active + 1;
    if (event->key() == Qt::Key_Up) to = active < 0 ? count - 1 : active - 1;
    if (event->key() == Qt::Key_Home) to = 0;
    if (event->key() == Qt::Key_End) to = count - 1;
    if (to >= 0 && to < count) {
      rowGesture("click row", list_, static_cast<size_t>(to), false, RowClick::Plain);
      return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && active >= 0) {
      rowGesture("double-click row", list_, static_cast<size_t>(active), true, RowClick::Plain);
      return;
    }
    QTreeView::keyPressEvent(event);
  }

 private:
  NList* list_;
  int columnWidthFor(int column) const {
    return std::max(header()->sectionSizeHint(column), sizeHintForColumn(column));
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

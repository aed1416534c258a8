#include "os/mui/qt/list_view.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "os/mui/driver/user_driver.h"
#include "os/mui/lists/nlist.h"
#include "os/mui/qt/gesture.h"
#include "os/mui/qt/glyph_room.h"
#include "os/mui/qt/qt_text.h"
#include "os/mui/qt/row_model.h"
#include "os/mui/qt/text_style.h"

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
constexpr int MEASURED_ROWS = 200;
// Of those, the texts of each column with the most characters are measured
// in their fonts (the widest text is among them).
constexpr size_t MEASURED_TEXTS = 12;

// Rows as high as the glyphs of their font need, so that the marks of
// accented capitals (Ö, Å) show whole; the text stays centred in the row.
class WholeGlyphsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QFont font = option.font;
    const QVariant asked = index.data(Qt::FontRole);
    if (asked.isValid()) font = qvariant_cast<QFont>(asked).resolve(font);
    size.setHeight(std::max(size.height(), QFontMetrics(font).height() + 2 * glyphOverhang(font)));
    return size;
  }
};

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
    // The last column is sized here, never stretched by Qt: a stretched
    // column only gets the room left, and is cut when its rows need more.
    header()->setStretchLastSection(false);
    setItemDelegate(new WholeGlyphsDelegate(this));
    connect(header(), &QHeaderView::sectionClicked, [list](int section) {
      queueGesture("click title", list, [section](Object* target) {
        if (static_cast<size_t>(section) < static_cast<NList*>(target)->userColumnCount())
          act::clickTitle(target, static_cast<size_t>(section));
      });
    });
    // A column the person sized keeps that width; the last one takes what is
    // left, or scrolls sideways when that is less than its rows need.
    connect(header(), &QHeaderView::sectionResized, [this](int section, int, int) {
      if (fitting_ || section + 1 >= header()->count()) return;
      sizedByHand_.insert(section);
      fitLastColumn();
    });
  }

  void setRows(RowModel* rows) {
    rows_ = rows;
    setModel(rows);
  }
  // The rows (or those in view) changed: each column becomes as wide as its
  // title and the rows measured need, but for those the person sized; the
  // last column takes the room left, and never less than it needs (the list
  // scrolls sideways then).
  void fitColumns() {
    measured_ = measure();
    fitting_ = true;
    for (int c = 0; c + 1 < static_cast<int>(measured_.size()); ++c)
      if (!sizedByHand_.count(c) && header()->sectionSize(c) != measured_[static_cast<size_t>(c)])
        header()->resizeSection(c, measured_[static_cast<size_t>(c)]);
    fitting_ = false;
    fitLastColumn();
    updateGeometry();
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
  // shows them all.
  QSize sizeHint() const override {
    QSize size = QTreeView::sizeHint();
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    if (measured_.size() != static_cast<size_t>(header()->count())) measured_ = measure();
    for (int c : measured_) width += c;
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
      case Qt::Key_Space:
        // In a list where a click toggles a row, the keys only move to a
        // row: Space toggles it, as a click would.
        if (!togglesRows() || active < 0) break;
        rowGesture("click row", list_, static_cast<size_t>(active), false, RowClick::Plain);
        return;
      default: to = rowStartingWith(event->text(), active, count); break;
    }
    if (to >= 0 && to < count) {
      if (to != active) moveGesture(static_cast<size_t>(to));
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
  RowModel* rows_ = nullptr;
  bool fitting_ = false;
  std::set<int> sizedByHand_;
  mutable std::vector<int> measured_;  // per column, as last measured

  void fitLastColumn() {
    const int last = header()->count() - 1;
    if (last < 0 || measured_.size() != static_cast<size_t>(header()->count())) return;
    int others = 0;
    for (int c = 0; c < last; ++c) others += header()->sectionSize(c);
    const int width = std::max(measured_[static_cast<size_t>(last)], viewport()->width() - others);
    if (header()->sectionSize(last) == width) return;
    fitting_ = true;
    header()->resizeSection(last, width);
    fitting_ = false;
  }
  bool togglesRows() const { return list_->value(MUIA_NList_MultiSelect) == MUIV_NList_MultiSelect_Always; }
  // A cursor key's move to a row, performed as the engine's own.
  void moveGesture(size_t row) {
    queueGesture("move to row", list_, [row](Object* target) {
      if (row < static_cast<NList*>(target)->userRowCount()) act::moveToRow(target, row);
    });
  }
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
    // The view scrolls by rows: the scroll bar tells the first in view, and
    // rows are no lower than a line (asking the view would lay out all rows
    // before their time).
    const int first = std::clamp(verticalScrollBar()->value(), 0, rows - 1);
    const int inView = viewport()->height() / std::max(1, fontMetrics().height()) + 1;
    for (int r = first; r < rows && r < first + inView; ++r) out.push_back(r);
    return out;
  }
  // Per column: the title's width, or the width the row with the widest
  // text measured (in its own font) is drawn with.
  std::vector<int> measure() const {
    const size_t columns = static_cast<size_t>(header()->count());
    std::vector<int> widths(columns, 0), widestRow(columns, -1), widest(columns, -1);
    for (size_t c = 0; c < columns; ++c) widths[c] = header()->sectionSizeHint(static_cast<int>(c));
    if (!rows_) return widths;
    // The fonts a row's codes can ask for: plain, bold, italic, both.
    std::vector<QFontMetrics> metrics;
    for (int look = 0; look < 4; ++look) {
      TextStyle style;
      style.bold = (look & 1) != 0;
      style.italic = (look & 2) != 0;
      metrics.emplace_back(styledFont(font(), style));
    }
    // Only the texts with the most characters of each column are measured
    // in their fonts: the widest is among them.
    struct Candidate {
      size_t length;
      int row;
      std::string text;
    };
    std::vector<std::vector<Candidate>> longest(columns);
    for (int r : measuredRows()) {
      std::vector<std::string> texts = rows_->rowTexts(r);
      for (size_t c = 0; c < columns && c < texts.size(); ++c) {
        std::vector<Candidate>& kept = longest[c];
        const size_t length = texts[c].size();
        if (kept.size() == MEASURED_TEXTS && length <= kept.back().length) continue;
        auto at = std::find_if(kept.begin(), kept.end(), [length](const Candidate& k) { return k.length < length; });
        kept.insert(at, Candidate{length, r, std::move(texts[c])});
        if (kept.size() > MEASURED_TEXTS) kept.pop_back();
      }
    }
    for (size_t c = 0; c < columns; ++c)
      for (const Candidate& k : longest[c]) {
        const TextStyle style = styleOf(k.text.c_str());
        const QFontMetrics& in = metrics[(style.bold ? 1 : 0) | (style.italic ? 2 : 0)];
        const int advance = in.horizontalAdvance(shownQt(k.text.c_str()));
        if (advance > widest[c]) widest[c] = advance, widestRow[c] = k.row;
      }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    for (size_t c = 0; c < columns; ++c) {
      if (widestRow[c] < 0) continue;
      const QModelIndex at = model()->index(widestRow[c], static_cast<int>(c));
      widths[c] = std::max(widths[c], itemDelegateForIndex(at)->sizeHint(option, at).width());
    }
    return widths;
  }
};

class ListView : public ObjectView {
 public:
  explicit ListView(NList* list)
      : ObjectView(list, new RowTreeView(list)), view_(static_cast<RowTreeView*>(widget())),
        model_(new RowModel(list, view_)) {
    view_->setRows(model_);
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
    // The sort mark takes room in its title too.
    if (changed || mark != shownMark_) view_->fitColumns();
    shownMark_ = mark;
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
      else if (view_->verticalScrollBar()->value() != 0)
        view_->scrollToTop();
    }
    if (changed) view_->viewport()->update();
  }

 private:
  RowTreeView* view_;
  RowModel* model_;
  long jumped_ = -1;
  uint32_t shownMark_ = MUIV_NList_TitleMark_None;
};

}  // namespace

std::unique_ptr<ObjectView> makeListView(NList* list) { return std::make_unique<ListView>(list); }

}  // namespace mui::qt

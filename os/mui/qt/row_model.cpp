#include "os/mui/qt/row_model.h"

#include <QApplication>
#include <QPalette>

#include "os/mui/lists/nlist.h"
#include "os/mui/live_objects.h"
#include "os/mui/qt/qt_text.h"
#include "os/mui/qt/text_style.h"

namespace mui::qt {

RowModel::RowModel(NList* list, QObject* parent) : QAbstractTableModel(parent), list_(list), serial_(list->serial) {
  follow();
}

bool RowModel::listAlive() const { return isLive(list_, serial_); }

bool RowModel::follow() {
  if (!listAlive()) return false;
  const int rows = static_cast<int>(list_->userRowCount());
  const int columns = static_cast<int>(list_->userColumnCount());
  if (list_->redrawCount() == seenRedraws_ && rows == rows_ && columns == columns_) return false;
  beginResetModel();
  seenRedraws_ = list_->redrawCount();
  rows_ = rows;
  columns_ = columns;
  endResetModel();
  return true;
}

std::vector<std::string> RowModel::rowTexts(int row) const {
  if (row < 0 || row >= rows_ || !listAlive()) return {};
  return list_->columnTexts(row);
}

int RowModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int RowModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

bool RowModel::selectedRow(int row) const {
  IPTR state = 0;
  DoMethod(list_, MUIM_NList_Select, static_cast<IPTR>(row), MUIV_NList_Select_Ask, &state);
  return state != 0;
}

QVariant RowModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_ || !listAlive()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::TextAlignmentRole:
    case Qt::FontRole:
    case Qt::ForegroundRole: {
      if (role == Qt::ForegroundRole && selectedRow(index.row()))
        return QApplication::palette().brush(QPalette::HighlightedText);
      const std::vector<std::string> texts = list_->columnTexts(index.row());
      if (static_cast<size_t>(index.column()) >= texts.size()) return {};
      return textData(texts[static_cast<size_t>(index.column())].c_str(), role);
    }
    case Qt::BackgroundRole:
      if (selectedRow(index.row())) return QApplication::palette().brush(QPalette::Highlight);
      return {};
    default:
      return {};
  }
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columns_ || !listAlive()) return {};
  if (!list_->flag(MUIA_NList_Title)) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
  if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != Qt::FontRole && role != Qt::ForegroundRole)
    return {};
  const std::vector<std::string> titles = list_->columnTexts(-1);
  if (static_cast<size_t>(section) >= titles.size()) return {};
  return textData(titles[static_cast<size_t>(section)].c_str(), role);
}

QVariant RowModel::textData(const char* text, int role) {
  switch (role) {
    case Qt::DisplayRole: return shownQt(text);
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignmentOf(text));
    case Qt::FontRole: {
      const TextStyle style = styleOf(text);
      // Only what the codes change: the rest comes from the view's font.
      if (!style.bold && !style.italic && !style.underline) return {};
      return styledFont(QFont(), style);
    }
    case Qt::ForegroundRole: {
      const QColor colour = penColour(styleOf(text).pen, QApplication::palette());
      return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    }
    default: return {};
  }
}

}  // namespace mui::qt

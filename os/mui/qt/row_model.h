// A Qt table model over an NList's own rows: it keeps no copy of them, asks
// the list for the texts of the rows Qt draws (so a list of 100,000 rows costs
// only what is on screen), and starts afresh each time the list was redrawn.
// The selection and the active row are the list's too, shown as the row's
// colours, so what is selected on screen is always what the program sees.
// The text codes of a row (bold, a pen such as the alternative colour) are
// shown as its font and colour.
// Once the list is disposed (its window given back while the view is still
// on screen, until the display takes it down), the model shows no texts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include <QAbstractTableModel>

namespace mui {
class NList;
}

namespace mui::qt {

class RowModel : public QAbstractTableModel {
 public:
  explicit RowModel(NList* list, QObject* parent = nullptr);

  // Follows the list: starts afresh when it was redrawn since the last look
  // (TRUE then).
  bool follow();

  // What row `row` shows, column by column, codes included (none once the list is gone).
  std::vector<std::string> rowTexts(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  NList* list_;
  uint32_t serial_;
  int seenRedraws_ = -1;
  int rows_ = 0;
  int columns_ = 0;
  bool selectedRow(int row) const;
  // What a row's or title's text gives for a role: its shown text, its
  // alignment, the font and colour its codes ask for.
  static QVariant textData(const char* text, int role);
  bool listAlive() const;
};

}  // namespace mui::qt

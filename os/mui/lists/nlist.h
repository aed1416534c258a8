// NList.mcc: a list of rows shown in columns, each row an entry of the
// program's that the list's hooks make, end, show and order (see
// os/mui/mui_lists.h). The rows live in a RowTree, so work on one row costs
// O(log n) however long the list is. While quiet is on, changes are not
// drawn; the list is drawn once when quiet ends.
#pragma once
#include <string>
#include <vector>

#include "os/mui/classes/area.h"
#include "os/mui/driver/user_actions.h"
#include "os/mui/lists/list_format.h"
#include "os/mui/lists/row_tree.h"
#include "os/mui/mui_lists.h"

namespace mui {

class NList : public Area, public ListUserActions {
 public:
  // What row `row` shows, column by column, escape codes included (the
  // format's pre-parse codes first); the title row for -1.
  std::vector<std::string> columnTexts(long row) const;
  // Times the list was drawn (each change outside quiet, once per quiet
  // period with changes), and the row last scrolled into view (-1 none).
  int redrawCount() const { return redraws_; }
  long jumpedRow() const { return jumped_; }

  size_t userRowCount() const override { return rows().size(); }
  size_t userColumnCount() const override { return columns_.size(); }
  std::string userRowText(size_t row) const override;
  long userActiveRow() const override { return activeRow(); }
  void userClickRow(size_t row, RowClick how) override;
  void userDoubleClickRow(size_t row) override;
  void userMoveToRow(size_t row) override;
  void userClickTitle(size_t column) override;

  void disposing() override;

 protected:
  void initTag(const AttrSpec& spec, IPTR data) override;
  bool filterSet(Tag tag, IPTR& data) override;
  void afterSet(Tag tag, IPTR data) override;
  bool computeGet(Tag tag, IPTR* storage) override;
  bool dispatch(const IPTR* message, IPTR* result) override;
  void describeState(Description& out) const override;

 private:
  // The rows; sorted inserts made while quiet wait in pendingSorted_ (with
  // their keys, made while the new entries are at hand) until rows() places
  // them (row numbers, the rows, the selection all go through rows()). Rows
  // removed while quiet are retired, and dropped when quiet ends.
  mutable RowTree tree_;
  mutable std::vector<KeyedEntry> pendingSorted_;
  std::vector<ListColumnFormat> columns_ = parseListFormat(nullptr);
  int redraws_ = 0;
  bool dirty_ = false;  // changed while quiet
  long jumped_ = -1;

  RowTree& rows() const {
    placePending();
    return tree_;
  }
  void placePending() const;
  long activeRow() const { return tree_.active ? static_cast<long>(rows().rowOf(tree_.active)) : -1; }
  bool singleSelect() const { return value(MUIA_NList_MultiSelect) == MUIV_NList_MultiSelect_None; }
  // The hooks and the quiet mode, read on every row's change: kept beside
  // the attribute values as they are set, so no change looks them up.
  Hook* construct_ = nullptr;
  Hook* destruct_ = nullptr;
  Hook* display_ = nullptr;
  Hook* compare_ = nullptr;
  Hook* sortKey_ = nullptr;
  Hook* sortKeys_ = nullptr;
  mutable std::vector<NListSortKey> madeKeys_;  // room for the sort keys hook's answers
  Hook* fetch_ = nullptr;
  // The tree's fetch: the fetch hook with the entry.
  static void fetchEntry(const void* list, void* entry);
  bool quiet_ = false;
  void keep(Tag tag);
  Hook* hook(Tag tag) const;
  // The node of a row number as the methods take it (-1: the active row).
  RowTree::Node* nodeOf(IPTR row) const;
  // a before b by the compare hook.
  RowTree::Before order() const;
  void changed();
  void endEntry(void* entry);
  void endAllEntries();
  IPTR insert(void* const* entries, IPTR count, IPTR position);
  IPTR select(IPTR row, IPTR how, IPTR* result);
  void unselectAll();
  // In a one-row list that takes input, the selected row is the active row.
  void followActive();
};

}  // namespace mui

// A list of entries kept in memory, in place of the platform's list host, so
// that the application's list code can be tested without a window: entries,
// cursor, selection and column sorting (ascending, by the column's sort type).
#pragma once
#include <string>
#include <vector>

#include "core/strings/string.h"
#include "gui/lists/gui_list.h"
#include "gui/lists/gui_list_sort.h"

class memoryList : public cGuiList {
  LUDEX_CLASS(memoryList, cGuiList)
 public:
  struct Row {
    char* label;
    bool altColour, marked, selected;
    int32_t data;
    class_base* box;
  };

  static memoryList* make(int32_t columns, int32_t sortColumn) {
    auto* l = new memoryList;
    l->new_cGuiList(nullptr, columns, nullptr);
    if (sortColumn >= 0) l->setSortByColumn(sortColumn, false);
    return l;
  }
  void end_class() override {
    for (Row& r : rows) drop(r);
    rows.clear();
    End(sort);
    cGuiList::end_class();
  }

  cGuiList* setSortByColumn(int32_t column, bool reverse) override {
    if (!sort) {
      sort = new fGuiListSortByColumn;
      sort->new_function();
    }
    sort->init(column, reverse, infoColumnSortType());
    return this;
  }
  bool getSortByNone() override { return !sort; }
  bool getSortByFunction(fGuiListSort** s) override {
    if (s) *s = sort;
    return false;
  }

  void addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                bool moveCursor) override {
    size_t at = rows.size();
    if (sort)
      for (size_t i = 0; i < rows.size(); ++i)
        if (sort->call(rows[i].label, label) < 0) {
          at = i;
          break;
        }
    rows.insert(rows.begin() + static_cast<ptrdiff_t>(at), Row{label, altColour, marked, false, dataBox ? 0 : data, dataBox});
    if (moveCursor || rows.size() == 1) cursor = at;
    else if (at <= cursor) ++cursor;
  }
  int32_t infoSize() override { return static_cast<int32_t>(rows.size()); }
  int32_t infoSelectionCount() override {
    int32_t n = 0;
    for (const Row& r : rows) n += r.selected;
    return n;
  }

  bool cursor_gotoStart() override { return move(0); }
  bool cursor_gotoEnd() override { return move(rows.size() - 1); }
  int32_t cursor_gotoNext(int32_t n) override {
    if (rows.empty()) return 0;
    const int64_t to = std::clamp<int64_t>(static_cast<int64_t>(cursor) + n, 0, static_cast<int64_t>(rows.size()) - 1);
    const int32_t moved = static_cast<int32_t>(to - static_cast<int64_t>(cursor));
    cursor = static_cast<size_t>(to);
    return moved;
  }
  int32_t cursor_gotoPrev(int32_t n) override { return -cursor_gotoNext(-n); }
  bool cursor_gotoFirstSelected() override { return selectedFrom(0); }
  bool cursor_gotoNextSelected() override { return selectedFrom(cursor + 1); }
  const char* cursor_getLabel() override { return rows.empty() ? nullptr : at().label; }
  void cursor_setLabel(const char* label, int32_t step) override {
    Row r = at();
    DisposeString(r.label);
    r.label = StrClone(label);
    rows.erase(rows.begin() + static_cast<ptrdiff_t>(cursor));
    const bool wasSelected = r.selected;
    addEntry(r.label, r.altColour, r.marked, r.data, r.box, true);
    at().selected = wasSelected;
    if (step) cursor_gotoNext(step == 1 ? 1 : -1);
  }
  bool cursor_getAltColour() override { return at().altColour; }
  void cursor_setAltColour(bool flag) override { at().altColour = flag; }
  bool cursor_getState() override { return at().selected; }
  void cursor_setState(bool flag) override { at().selected = flag; }
  bool cursor_getMarked() override { return at().marked; }
  void cursor_setMarked(bool flag) override { at().marked = flag; }
  int32_t cursor_getData() override { return at().data; }
  void cursor_setData(int32_t value) override {
    at().data = value;
    if (value) End(at().box);
  }
  class_base* cursor_getDataBox() override { return rows.empty() ? nullptr : at().box; }
  void cursor_setDataBox(class_base* box) override {
    if (box != at().box) End(at().box);
    at().box = box;
    if (box) at().data = 0;
  }
  bool cursor_destroy(bool moveBack) override {
    drop(at());
    rows.erase(rows.begin() + static_cast<ptrdiff_t>(cursor));
    if (moveBack) {
      if (cursor == 0) return false;
      --cursor;
      return true;
    }
    if (cursor >= rows.size()) {
      cursor = rows.empty() ? 0 : rows.size() - 1;
      return false;
    }
    return true;
  }

  void markAll() override {
    for (Row& r : rows) r.marked = true;
  }
  void marked_setState(bool flag) override {
    for (Row& r : rows)
      if (r.marked) r.selected = flag;
  }
  void marked_unmark() override {
    for (Row& r : rows) r.marked = false;
  }

  // The labels in list order, each followed by "*" when selected.
  std::string shown() const {
    std::string all;
    for (const Row& r : rows) all += std::string(r.label) + (r.selected ? "*" : "") + "|";
    return all;
  }
  std::vector<Row> rows;
  size_t cursor = 0;

 private:
  Row& at() { return rows.at(cursor); }
  bool move(size_t to) {
    if (rows.empty()) return false;
    cursor = to;
    return true;
  }
  bool selectedFrom(size_t from) {
    for (size_t i = from; i < rows.size(); ++i)
      if (rows[i].selected) return move(i);
    return false;
  }
  static void drop(Row& r) {
    DisposeString(r.label);
    End(r.box);
  }
  fGuiListSortByColumn* sort = nullptr;
};

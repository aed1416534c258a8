// What the user driver needs of the list and text-editor classes. A class
// whose objects show rows or edit text derives from one of these besides its
// engine base, and the driver (os/mui/driver/user_driver.h) reaches it by
// dynamic_cast on the object, or on the first object below it that has it
// (so a list view wrapping a list answers for its list):
//
//   class NList : public mui::Area, public mui::ListUserActions { ... };
//
// The driver checks the window (open, not asleep) and the object (not
// disabled) and the row and column numbers (in range) before it calls these;
// each call does what the user's gesture does, notifications included.
#pragma once
#include <cstddef>
#include <string>

namespace mui {

enum class RowClick { Plain, Shift, Ctrl };

class ListUserActions {
 public:
  virtual ~ListUserActions() = default;
  virtual size_t userRowCount() const = 0;
  virtual size_t userColumnCount() const = 0;
  // What row `row` (from 0) shows: its columns joined by TAB, without the
  // text engine's escape codes.
  virtual std::string userRowText(size_t row) const = 0;
  // The row the list's cursor is on (its active row), or -1 for none.
  virtual long userActiveRow() const = 0;
  // A click on a row: plain selects it alone; Shift extends the selection to
  // it; Ctrl adds or removes it (in a list that selects one row, both act as a plain click).
  virtual void userClickRow(size_t row, RowClick how) = 0;
  virtual void userDoubleClickRow(size_t row) = 0;
  // The cursor keys move the active row to `row`: as a plain click does,
  // except in a list where a click toggles a row, whose selection stays.
  virtual void userMoveToRow(size_t row) = 0;
  // A click on the title of column `column` (from 0).
  virtual void userClickTitle(size_t column) = 0;
};

class TextUserActions {
 public:
  virtual ~TextUserActions() = default;
  virtual std::string userText() const = 0;
  // The user replaces the whole text by `text`, as if typed.
  virtual void userEditText(const char* text) = 0;
};

}  // namespace mui

// cGuiList: the multi-column list of entries whose labels hold their columns
// separated by TAB. The window starts one with beginList and fills it with
// addListEntry; the platform's list host keeps the entries.
#pragma once
#include <cstdint>

#include "gui/gui_input_item.h"
#include "gui/gui_typed_operations.h"

class cGuiWindow;

class cGuiList : public cGuiInputItem {
  LUDEX_CLASS(cGuiList, cGuiInputItem)
  LUDEX_GUI_TYPED_INPUT(cGuiList)
 public:
  void end_class() override {
    DisposeOwnedText(title);
    cGuiInputItem::end_class();
  }

  // A copy of the title (NIL: none) and the number of columns. A list has no
  // label of its own.
  virtual cGuiList* new_cGuiList(cGuiWindow* window, int32_t columnCount, const char* listTitle) {
    (void)window;
    ReplaceOwnedText(title, listTitle, OwnedTextRule::NilAsNone);
    columns = columnCount;
    initShared();
    return this;
  }
  virtual int32_t infoColumns() { return columns; }
  virtual const char* infoTitle() { return title; }
  // Adds one entry; the list takes the label and the data box over. The host
  // keeps the entries: here the list has nowhere to keep them and disposes both.
  virtual void addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                        bool moveCursor);

 private:
  char* title = nullptr;  // owned
  int32_t columns = 0;
};

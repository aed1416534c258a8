#include "gui/items/gui_choice_item.h"

namespace {
const char* const noChoices[] = {nullptr};
}

cGuiChoiceItem* cGuiChoiceItem::new_cGuiChoiceItem(const char* label, const char* const* texts) {
  // A NIL array is never read: it stands for an empty one.
  choices = texts ? texts : noChoices;
  newNumberItem(label, 0, 0, 0);
  initShared();
  int32_t count = 0;
  while (choices[count]) ++count;
  initMax(count - 1);
  return this;
}

#include "gui/gui_list.h"

#include "core/string.h"

void cGuiList::addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox,
                        bool moveCursor) {
  (void)altColour, (void)marked, (void)data, (void)moveCursor;
  DisposeString(label);
  End(dataBox);
}

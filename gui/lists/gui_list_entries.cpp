#include "gui/lists/gui_list_entries.h"

#include "core/strings/string.h"

void fEntriesFromStringList::end_class() {
  DisposeString(rest);
  rest = nullptr;
  fGuiListEntries::end_class();
}

char* fEntriesFromStringList::call(GuiListEntryMore* more) {
  if (more) *more = GuiListEntryMore{};
  return StrTakeFirst(rest);
}

fEntriesFromStringList* fEntriesFromStringList::init(char* chain) {
  DisposeString(rest);
  rest = chain;
  return this;
}

char* takeEntry(fGuiListEntries* f, GuiListEntryMore* more, bool mayLend) {
  *more = GuiListEntryMore{};
  more->mayLend = mayLend;
  if (!f) return nullptr;  // no producer: no entries
  char* label = f->call(more);
  if (!label) End(more->dataBox);
  return label;
}

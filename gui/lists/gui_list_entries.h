// Entry producers: function objects that yield list entries one per call, for
// a list's addEntryF, update and updateF.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "gui/lists/gui_list_sort.h"

// What a producer yields beside the label.
struct GuiListEntryMore {
  bool altColour = false;
  bool marked = false;
  int32_t data = 0;
  class_base* dataBox = nullptr;  // passes to the receiver with the label
  // The label's sort key as the receiving list's own comparison (its
  // getSortByFunction) makes it, when the producer has made it already (as
  // the update merge has); not usable otherwise.
  GuiListSortKey sortKey;
  // Set by a receiver before the call when it can take a lent label: one it
  // reads and copies where it keeps it, but never disposes. A producer whose
  // labels stay unchanged until the receiver's fill ends (a list's update)
  // may then lend them instead of making a copy for each entry.
  bool mayLend = false;
  // The label is lent (only where mayLend was set).
  bool labelLent = false;
};

class fGuiListEntries : public function {
  LUDEX_CLASS(fGuiListEntries, function)
 public:
  // The next entry's label, NIL when there are no more; the rest in *more.
  // The label and the data box pass to the receiver. This one yields nothing.
  virtual char* call(GuiListEntryMore* more) {
    if (more) *more = GuiListEntryMore{};
    return nullptr;
  }
};

// The producer's next entry, as call; a data box that comes with the final
// NIL is ended. Only with mayLend can the label come lent. A NIL producer
// yields nothing.
char* takeEntry(fGuiListEntries* f, GuiListEntryMore* more, bool mayLend = false);

// Yields the strings of a chain as labels, first to last.
class fEntriesFromStringList : public fGuiListEntries {
  LUDEX_CLASS(fEntriesFromStringList, fGuiListEntries)
 public:
  void end_class() override;
  char* call(GuiListEntryMore* more) override;
  // Takes the chain over (what was given before and not yielded is disposed).
  virtual fEntriesFromStringList* init(char* chain);

 private:
  char* rest = nullptr;  // owned
};

// What an update merge remembers of the shown entries it removes that were
// selected (or held the cursor): what each stood for, so that an entry the
// merge adds for the same thing (a game whose new label sorts elsewhere)
// takes their place. The selection follows what entries stand for, never
// the rows.
//
// An identity is kept as its word (identityWord), with a copy of its text
// only where the word does not hold all of it; the texts share one buffer.
// A merge that removes thousands of selected entries then allocates no
// memory per entry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gui/lists/gui_list_identity.h"

class GuiListFollowed {
 public:
  bool empty() const { return kept_.empty(); }
  // Keeps what the identity stands for (its text copied where its word
  // does not hold it: the entry goes).
  void add(const GuiListIdentity& identity);
  // Keeps an identity by its word, which holds the whole identity (a tie
  // word made whole: no text to copy, nothing of the entry to read).
  void addWhole(uint64_t word);
  // Whether an identity kept stands for the same as this one.
  bool contains(const GuiListIdentity& identity) const;

 private:
  struct Kept {
    uint64_t word;
    bool whole;  // the word holds the whole identity
    GuiListIdentity::Kind kind;
    intptr_t number;
    size_t textAt;  // in texts_, when not whole and a text kind
  };
  // Ordered by word when first asked (mutable: asking orders them once).
  mutable std::vector<Kept> kept_;
  mutable bool ordered_ = true;
  std::string texts_;  // the texts kept, each followed by its NUL
};

// What an update merge remembers of the shown entries it removes that were
// selected: copies of what each stood for, so that an entry the merge adds
// for the same thing (a game whose new label sorts elsewhere) is selected in
// its place. The selection follows what entries stand for, never the rows.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "gui/lists/gui_list_identity.h"

class GuiListFollowed {
 public:
  bool empty() const { return kept_.empty(); }
  // Keeps a copy of the identity (its text copied: the entry goes).
  void add(const GuiListIdentity& identity);
  // Whether an identity kept stands for the same as this one; word is the
  // identity's word (identityWord), which finds the candidates.
  bool contains(const GuiListIdentity& identity, uint64_t word) const;

 private:
  struct Kept {
    GuiListIdentity::Kind kind;
    intptr_t number;
    std::string text;
  };
  std::vector<Kept> kept_;
  std::unordered_multimap<uint64_t, size_t> byWord_;
};

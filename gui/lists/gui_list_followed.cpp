#include "gui/lists/gui_list_followed.h"

void GuiListFollowed::add(const GuiListIdentity& identity) {
  bool whole = false;
  const uint64_t word = identityWord(identity, &whole);
  kept_.push_back({identity.kind, identity.number, identity.text ? identity.text : ""});
  byWord_.emplace(word, kept_.size() - 1);
}

bool GuiListFollowed::contains(const GuiListIdentity& identity, uint64_t word) const {
  auto [at, end] = byWord_.equal_range(word);
  for (; at != end; ++at) {
    const Kept& k = kept_[at->second];
    GuiListIdentity kept;
    kept.kind = k.kind;
    kept.number = k.number;
    kept.text = k.text.c_str();
    if (compareIdentities(kept, identity) == 0) return true;
  }
  return false;
}

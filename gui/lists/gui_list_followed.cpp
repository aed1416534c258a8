#include "gui/lists/gui_list_followed.h"

#include <algorithm>

void GuiListFollowed::add(const GuiListIdentity& identity) {
  Kept k{};
  k.word = identityWord(identity, &k.whole);
  k.kind = identity.kind;
  k.number = identity.number;
  if (!k.whole && identity.kind != GuiListIdentity::NUMBER) {
    k.textAt = texts_.size();
    texts_.append(identity.text ? identity.text : "");
    texts_.push_back('\0');
  }
  if (!kept_.empty() && kept_.back().word > k.word) ordered_ = false;
  kept_.push_back(k);
}

void GuiListFollowed::addWhole(uint64_t word) {
  Kept k{};
  k.word = word;
  k.whole = true;
  if (!kept_.empty() && kept_.back().word > k.word) ordered_ = false;
  kept_.push_back(k);
}

bool GuiListFollowed::contains(const GuiListIdentity& identity) const {
  if (!ordered_) {
    std::stable_sort(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) { return a.word < b.word; });
    ordered_ = true;
  }
  bool whole = false;
  const uint64_t word = identityWord(identity, &whole);
  auto at = std::lower_bound(kept_.begin(), kept_.end(), word, [](const Kept& k, uint64_t w) { return k.word < w; });
  for (; at != kept_.end() && at->word == word; ++at) {
    // Equal words that hold their whole identities stand for the same; a
    // word that holds its whole identity and one that does not, for others.
    if (whole || at->whole) {
      if (whole && at->whole) return true;
      continue;
    }
    GuiListIdentity kept;
    kept.kind = at->kind;
    kept.number = at->number;
    if (at->kind != GuiListIdentity::NUMBER) kept.text = texts_.c_str() + at->textAt;
    if (compareIdentities(kept, identity) == 0) return true;
  }
  return false;
}

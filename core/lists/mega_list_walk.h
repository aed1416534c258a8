// The data of a mega list's nodes, first to last, kept while the list's
// chain stays as it was. Walking a long list's linked nodes waits for each
// node in turn (they lie scattered through memory, and the next one is known
// only once this one is read); the kept array is read straight on, and what
// its entries point at can be asked for many entries ahead.
#pragma once
#include <cstdint>
#include <vector>

class cMegaListGeneric;

class MegaListWalk {
 public:
  // The data of every node from the list's start to its past-end node, in
  // order: walked again only when the list (or a view sharing its nodes)
  // changed since the last call, or for another list. Valid until the next
  // change of the list.
  const std::vector<intptr_t>& dataOf(cMegaListGeneric* list);

 private:
  const cMegaListGeneric* list_ = nullptr;
  uint64_t stamp_ = 0;
  std::vector<intptr_t> data_;
};

// The steps cFile and cDir share around the cache of extra data they keep in
// front of their host class: filling the cache from the object (or writing
// it back) with the object's own extra operations sent to the host class
// meanwhile, and a change to one item of the cache.
#pragma once
#include <cstdint>

#include "core/clean_up.h"
#include "files/objects/host_extra.h"
#include "files/paths/extra_ids.h"

// Runs step with filling FALSE, so that the object's own extra queries and
// changes reach its host class while the cache is filled or written, and
// sets filling TRUE again, also when step throws. Answers what step answers.
template <class Step>
bool WithCacheBypassed(bool& filling, Step step) {
  filling = false;
  return WithCleanUp([&] { return step(); }, [&] { filling = true; });
}

// Changes item id of cache and marks dirtyBit in dirty when the cache took
// it; status as cExtra::changeExtra gives it. A link ("SLNK", "HLNK") is
// made on disk at once: flush runs before the change and after it. TRUE when
// the cache took the change.
template <class Flush>
bool ChangeCachedExtra(cHostExtra* cache, int32_t id, intptr_t value, int32_t* status, uint8_t& dirty,
                       uint8_t dirtyBit, Flush flush) {
  const bool link = id == EXTRA_SLNK || id == EXTRA_HLNK;
  if (link) flush();
  int32_t refused = 0;
  const bool changed = cache->changeExtra(id, value, &refused);
  if (status) *status = refused;
  if (changed) dirty |= dirtyBit;
  if (link) flush();
  return changed;
}

// Writes the changed cache through write (TRUE when the disk took it). On a
// disk that takes no extra data a refused write is no failure: fill refills
// the cache, so that it shows what the disk has. FALSE only when a disk that
// takes extra data refused the write.
template <class Write, class Fill>
bool WriteChangedExtra(bool diskTakesExtra, Write write, Fill fill) {
  if (diskTakesExtra) return write();
  if (!write()) fill();
  return true;
}

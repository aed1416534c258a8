// cExtra: the protocol for a path object's extra data, values addressed by
// the ids of files/extra_ids.h. The host classes hold the values; here an
// object knows no id.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "files/paths/extra_ids.h"

class cExtra : public class_base {
  LUDEX_CLASS(cExtra, class_base)

 public:
  // Copies "COMM", "ATTR", "SLNK" and "HLNK", in this order, from other with
  // changeExtra, each that other knows (its queryExtra answers status 0).
  // TRUE when every change succeeded; NIL other gives TRUE.
  virtual bool setExtra(cExtra* other);
  // A new extra object holding a copy of this object's values; NIL here.
  virtual cExtra* getExtra() { return nullptr; }
  // Sets one value (a string as a pointer, a number as itself). TRUE on
  // success; an unknown or unchangeable id gives FALSE and *status -1
  // (else *status 0).
  virtual bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr);
  // The value of id; *status 0, or -1 (and NIL) for an unknown id. Strings
  // stay the object's.
  virtual intptr_t queryExtra(int32_t id, int32_t* status = nullptr);
};

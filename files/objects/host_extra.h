// cHostExtra: a path object's extra data held in memory: a comment, the
// protection bits that the attributes do not cover, and a link target with
// its kind. File and directory objects hand out copies of their extra data
// in one, and the cached objects keep theirs in one.
#pragma once
#include <cstdint>

#include "files/objects/extra.h"

class cHostExtra : public cExtra {
  LUDEX_CLASS(cHostExtra, cExtra)

 public:
  char* comment = nullptr;     // "COMM", owned; NIL when none was set
  int32_t protection = 0;      // "ATTR"
  char* linkTarget = nullptr;  // canonical path of the target, owned
  int32_t linkKind = 0;        // LINK_KIND_... (0 unknown, 1 none, 2 soft, 3 hard)

  // The constructor: no comment, protection 0, no target, kind unknown.
  virtual void new_cHostExtra() {}
  // Releases the comment and the target.
  void end_class() override;

  // Takes "COMM", "ATTR", "SLNK" and "HLNK" from other, in this order: ""
  // for a comment, 0 for protection and NIL for a link that other does not
  // know. TRUE when all four changes succeed; NIL other gives TRUE.
  bool setExtra(cExtra* other) override;
  // A new cHostExtra holding a copy of these values.
  cExtra* getExtra() override;
  // "COMM" (a copy of the string), "ATTR", and "SLNK"/"HLNK": a target makes
  // the object a link of that kind; NIL clears the target when the object is
  // a link of that kind or of unknown kind, and changes nothing otherwise.
  // "LINK" and unknown ids: FALSE with *status -1.
  bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr) override;
  // "COMM", "ATTR", "LINK" (the target of either kind), "SLNK"/"HLNK" (the
  // target when the object is a link of that kind, else NIL). Unknown ids:
  // NIL with *status -1.
  intptr_t queryExtra(int32_t id, int32_t* status = nullptr) override;
};

// A new cHostExtra holding what source knows (its setExtra from source); NIL
// when source does not give all of it. The host file and directory objects
// hand out their extra data this way.
cHostExtra* NewHostExtraFrom(cExtra* source);

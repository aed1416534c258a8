#include "files/objects/host_extra.h"

#include "core/strings/string.h"
#include "files/dos/links.h"

namespace {

// A copy of the string, NIL for NIL.
char* copyOrNil(const char* text) { return text ? StrClone(text) : nullptr; }

}  // namespace

void cHostExtra::end_class() {
  DisposeString(comment);
  comment = nullptr;
  DisposeString(linkTarget);
  linkTarget = nullptr;
  cExtra::end_class();
}

bool cHostExtra::setExtra(cExtra* other) {
  if (!other) return true;
  bool all = true;
  int32_t status = 0;
  // Every value is read before it is changed, so that other may be this
  // object itself.
  intptr_t value = other->queryExtra(EXTRA_COMM, &status);
  if (status != 0) value = reinterpret_cast<intptr_t>("");
  all = changeExtra(EXTRA_COMM, value) && all;
  value = other->queryExtra(EXTRA_ATTR, &status);
  all = changeExtra(EXTRA_ATTR, status == 0 ? value : 0) && all;
  for (const int32_t id : {EXTRA_SLNK, EXTRA_HLNK}) {
    value = other->queryExtra(id, &status);
    all = changeExtra(id, status == 0 ? value : 0) && all;
  }
  return all;
}

cExtra* cHostExtra::getExtra() {
  auto* copy = new cHostExtra;
  try {
    copy->new_cHostExtra();
    copy->setExtra(this);
  } catch (...) {
    End(copy);
    throw;
  }
  return copy;
}

cHostExtra* NewHostExtraFrom(cExtra* source) {
  auto* copy = new cHostExtra;
  try {
    copy->new_cHostExtra();
    if (!copy->setExtra(source)) End(copy);
  } catch (...) {
    End(copy);
    throw;
  }
  return copy;
}

bool cHostExtra::changeExtra(int32_t id, intptr_t value, int32_t* status) {
  if (status) *status = 0;
  const char* text = reinterpret_cast<const char*>(value);
  if (id == EXTRA_COMM) {
    char* copy = copyOrNil(text);  // before the old one goes: value may be it
    DisposeString(comment);
    comment = copy;
    return true;
  }
  if (id == EXTRA_ATTR) {
    protection = static_cast<int32_t>(value);
    return true;
  }
  if (id == EXTRA_SLNK || id == EXTRA_HLNK) {
    const int32_t kind = id == EXTRA_SLNK ? LINK_KIND_SOFT : LINK_KIND_HARD;
    if (text) {
      char* copy = StrClone(text);
      DisposeString(linkTarget);
      linkTarget = copy;
      linkKind = kind;
    } else if (linkKind == kind || linkKind == LINK_KIND_UNKNOWN) {
      DisposeString(linkTarget);
      linkTarget = nullptr;
      linkKind = LINK_KIND_NONE;
    }
    return true;
  }
  if (status) *status = -1;
  return false;
}

intptr_t cHostExtra::queryExtra(int32_t id, int32_t* status) {
  if (status) *status = 0;
  if (id == EXTRA_COMM) return reinterpret_cast<intptr_t>(comment);
  if (id == EXTRA_ATTR) return protection;
  if (id == EXTRA_LINK) return reinterpret_cast<intptr_t>(linkTarget);
  if (id == EXTRA_SLNK) return reinterpret_cast<intptr_t>(linkKind == LINK_KIND_SOFT ? linkTarget : nullptr);
  if (id == EXTRA_HLNK) return reinterpret_cast<intptr_t>(linkKind == LINK_KIND_HARD ? linkTarget : nullptr);
  if (status) *status = -1;
  return 0;
}

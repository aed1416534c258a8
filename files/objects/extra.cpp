#include "files/objects/extra.h"

bool cExtra::setExtra(cExtra* other) {
  if (!other) return true;
  bool all = true;
  for (const int32_t id : {EXTRA_COMM, EXTRA_ATTR, EXTRA_SLNK, EXTRA_HLNK}) {
    int32_t status = 0;
    const intptr_t value = other->queryExtra(id, &status);
    if (status == 0 && !changeExtra(id, value)) all = false;
  }
  return all;
}

bool cExtra::changeExtra(int32_t, intptr_t, int32_t* status) {
  if (status) *status = -1;
  return false;
}

intptr_t cExtra::queryExtra(int32_t, int32_t* status) {
  if (status) *status = -1;
  return 0;
}

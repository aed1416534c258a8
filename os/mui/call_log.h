// The call log for tests: which sets and methods reached which object, in
// order, as lines "String#3 set MUIA_String_Contents \"abc\"" or
// "Group#1 MUIM_Notify"; and the count of calls made on NIL objects.
#pragma once
#include <string>

#include "os/utility/hooks.h"
#include "os/utility/tags.h"

struct Object;

namespace mui {

bool callLogOn();
void logSet(const Object* object, Tag tag, IPTR data);
void logMethod(const Object* object, const IPTR* message);
void countNilCall();

}  // namespace mui

namespace mui {
void forgetCalls();  // log and NIL count
}  // namespace mui

// What tests need of the hosted MUI: a fresh start, the strict mode, missing
// classes, the dump of an object tree, the call log, and the counts of NIL
// calls, faults and live objects.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct Object;

namespace ostest {

// Thrown in strict mode for every fault of the engine's use.
struct MuiError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Forgets the call log, the faults and the NIL count, the window places
// remembered per save id, the waiting user actions and a running UI script;
// makes every class present, turns strict mode and recording off; serials
// start from 1 again.
// Objects that still exist are left alone.
void resetMui();

// Strict mode: a tag or method a class does not know, a set of an attribute
// that cannot be set, and every other fault of use raise MuiError.
void setMuiStrict(bool on);

// MUI_NewObjectA of that class gives NIL, as on a system without it.
void markMuiClassMissing(const char* className);
void restoreMuiClasses();

// The stable text of an object tree: class, the state that matters, shown
// text, children in brackets (see os/mui/description.h).
std::string dumpMuiTree(const Object* object);

// The call log (see os/mui/call_log.h), while recording is on.
void recordMuiCalls(bool on);
const std::vector<std::string>& muiCalls();
// The lines of the log about one object ("String#3 ..."), without its label.
std::vector<std::string> muiCallsOf(const Object* object);

int32_t muiNilCalls();                    // gets, sets and methods sent to NIL
const std::vector<std::string>& muiFaults();  // every fault since the reset
int32_t liveMuiObjects();                 // objects made and not yet disposed

}  // namespace ostest

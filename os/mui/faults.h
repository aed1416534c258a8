// Faults in the use of the engine (an unknown attribute in strict mode, a
// notification loop, a member added twice, ...). Each is printed as
// "ERROR: MUI: ..." and kept for tests; in strict mode it is also thrown
// (ostest::MuiError), so a test stops at the wrong call.
#pragma once

namespace mui {

void fault(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A fault only in strict mode (a tag or method the class does not know:
// MUI itself ignores them), then thrown and kept, not printed.
void strictFault(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool strictMode();

}  // namespace mui

namespace mui {
void setStrictMode(bool on);
void forgetFaults();
}  // namespace mui

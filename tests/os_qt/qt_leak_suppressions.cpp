// LeakSanitizer's suppressions for the display tests: Qt's own allocations
// that live as long as the process (listed with their reasons in
// tests/os_qt/qt_leaks.supp, copied in by the build).
extern "C" const char* __lsan_default_suppressions() {
  return
#include "qt_leaks.inc"
      ;
}

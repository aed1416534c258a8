// libFuzzer target: the preferences file "ENVARC:/Ludex.prefs" read by the
// program's own loader, which keeps what it read before a fault and raises
// nothing; every launcher read is given back afterwards.
#include <cstddef>
#include <cstdint>

#include "app/launching/prefs_file.h"
#include "core/arena.h"
#include "core/strings/string_space.h"
#include "fuzz/fuzz_sandbox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzSandbox& sandbox = FuzzSandbox::get();
  sandbox.write("envarc/Ludex.prefs", data, size);
  const size_t live = Arena::liveCount();
  cStringSpace* launchers = loadPrefs();
  End(launchers);
  if (Arena::liveCount() != live) __builtin_trap();
  return 0;
}

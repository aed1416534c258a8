// libFuzzer target: the game list file "PROGDIR:/Ludex.list" read by the
// program's own loader. A faulty file raises "list"; nothing else may go
// wrong, and every game and string read is given back afterwards.
#include <cstddef>
#include <cstdint>

#include "app/games/game_list_file.h"
#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string_space.h"
#include "fuzz/fuzz_sandbox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzSandbox& sandbox = FuzzSandbox::get();
  sandbox.write("progdir/Ludex.list", data, size);
  const size_t live = Arena::liveCount();
  auto* games = new cMegaList_class;
  games->new_cMegaList_class(true, nullptr, true);
  cStringSpace* tags = nullptr;
  try {
    tags = loadGameList(games);
  } catch (const Exception& e) {
    if (!e.is("list")) __builtin_trap();  // only a faulty file is an expected failure
  }
  End(tags);
  End(games);
  if (Arena::liveCount() != live) __builtin_trap();
  return 0;
}

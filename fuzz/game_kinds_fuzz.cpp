// libFuzzer target: the fifteen tests that recognise the kind of a game, on a
// file of arbitrary contents under each name ending they look at (the first
// byte of the input chooses it), the same bytes standing as its icon. Each
// test must answer the same whether it reads the file itself or shares the
// bytes read once for all of them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/games/game_file_start.h"
#include "app/games/game_kinds.h"
#include "fuzz/fuzz_sandbox.h"

namespace {

const char* const endings[] = {"",     ".adf", ".ADF", ".dms", ".msa", ".st",  ".lnx", ".bin", ".smd", ".nes",
                               ".sfc", ".t64", ".c64", ".tap", ".tzx", ".sna", ".z80", ".sp",  ".dat", ".z5",
                               ".Z8",  ".z9",  ".gam", ".iso", ".exe", ".com", ".bat", ".mzx", "."};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const FuzzSandbox& sandbox = FuzzSandbox::get();
  const std::string name = std::string("game") + endings[data[0] % (sizeof endings / sizeof endings[0])];
  sandbox.write("games/" + name, data + 1, size - 1);
  sandbox.write("games/" + name + ".info", data + 1, size - 1);
  const std::string path = "Games:" + name;
  GameFileStart start(path.c_str());
  for (const GameKindTest& test : gameKindTests)
    if (test.accepts(path.c_str(), &start) != test.accepts(path.c_str(), nullptr)) __builtin_trap();
  return 0;
}

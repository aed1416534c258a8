#include "files/paths/unique_numbers.h"

#include <cstdlib>

uint32_t DrawUniqueNumber(uint32_t* seed) {
  // The seed is unsigned, so every 32-bit value seeds the generator as it is
  // (no absolute value to overflow), and rand() is never negative.
  std::srand(*seed);
  *seed = static_cast<uint32_t>(std::rand());
  return *seed;
}

// The numbers of unique names: drawn from the C library generator, seeded
// each time with the number drawn before, so that a module's own seed alone
// decides the sequence.
#pragma once
#include <cstdint>

// Names tried before a unique name is given up.
constexpr int32_t UNIQUE_NAME_TRIES = 999;

// Seeds the generator with *seed, draws a number and stores it in *seed.
uint32_t DrawUniqueNumber(uint32_t* seed);

// Hashes of string keys. Unless caseSensitive is set, every byte a-z is taken
// as A-Z before it is hashed, so keys that differ only in case hash alike.
// NIL reads as "".
#pragma once
#include <cstdint>

// The published SuperFastHash of the key's bytes, seeded with its length
// ("" hashes to 0).
uint32_t hashString(const char* key, bool caseSensitive);
// The published one-at-a-time hash of the key's bytes.
uint32_t hashString_OneAtATime(const char* key, bool caseSensitive);

// Reading IFF files: big-endian numbers, and the chunks of a FORM, every
// length checked against what is there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

constexpr uint32_t MAKE_ID(char a, char b, char c, char d) {
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) | uint8_t(d);
}

inline uint16_t readBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline uint32_t readBE32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

class IffForm {
 public:
  // Called for each chunk with its id, its data and its length; false stops
  // the walk as a failure.
  using ChunkVisitor = std::function<bool(uint32_t id, const uint8_t* data, uint32_t length)>;

  // Whether the bytes begin with a FORM of that type.
  static bool isForm(const uint8_t* bytes, size_t size, uint32_t type);
  // Visits the chunks of the FORM at the start of the bytes. False when it is
  // no FORM of that type, the FORM's length runs past the bytes, a chunk's
  // length runs past the FORM, or the visitor says so. Chunks of odd length
  // are followed by a pad byte, which the last one may lack.
  static bool walk(const uint8_t* bytes, size_t size, uint32_t type, const ChunkVisitor& visit);
};

// Our reader of IFF 8SVX sounds: the VHDR header and the length of BODY.
#pragma once
#include <cstddef>
#include <cstdint>

struct SoundInfo {
  uint32_t sampleLength = 0;   // samples in BODY (8 bits each)
  uint16_t samplesPerSec = 0;  // 0 when the file gives none
  uint32_t oneShotSamples = 0, repeatSamples = 0;
  uint8_t octaves = 0, compression = 0;
};

class SvxReader {
 public:
  static bool recognises(const uint8_t* bytes, size_t size);
  // False for anything malformed or cut short: no VHDR (or one too short),
  // no BODY, an unknown compression, a length past the end.
  static bool read(const uint8_t* bytes, size_t size, SoundInfo* out);
};

// JPEG pictures through libjpeg.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/datatypes/decoded_picture.h"

class JpegDecoder {
 public:
  static bool recognises(const uint8_t* bytes, size_t size);
  // False for anything libjpeg reports as an error or a warning (a cut-short
  // or corrupt file is not shown half grey), or a size out of bounds; *out is
  // then left empty.
  static bool decode(const uint8_t* bytes, size_t size, DecodedPicture* out);
};

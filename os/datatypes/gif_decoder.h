// GIF pictures through giflib: the first image of the file, placed on its
// logical screen (what it leaves uncovered is see-through).
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/datatypes/decoded_picture.h"

class GifDecoder {
 public:
  static bool recognises(const uint8_t* bytes, size_t size);
  // False for anything giflib reports, a file without an image or colours,
  // or a size out of bounds; *out is then left empty.
  static bool decode(const uint8_t* bytes, size_t size, DecodedPicture* out);
};

// PNG pictures through libpng: reading any PNG, writing ARGB pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/datatypes/decoded_picture.h"

class PngCodec {
 public:
  static bool recognises(const uint8_t* bytes, size_t size);
  // False for anything libpng refuses, a cut-short file, a side out of
  // bounds, or rows more than the file's bytes can hold; *out is then left
  // empty. A picture larger than the fit comes out reduced.
  static bool decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit = PictureFit{});
  // The width and height a PNG declares, its chunks read up to its image
  // data (none of its rows); false for anything libpng refuses there.
  static bool readSize(const uint8_t* bytes, size_t size, uint32_t* width, uint32_t* height);
  // The PNG file of width by height ARGB pixels (with their alpha); false
  // when libpng fails.
  static bool encode(const uint32_t* argb, int32_t width, int32_t height, std::vector<uint8_t>* file);
};

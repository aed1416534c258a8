// JPEG pictures through libjpeg.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/datatypes/decoded_picture.h"

class JpegDecoder {
 public:
  static bool recognises(const uint8_t* bytes, size_t size);
  // RGB, greyscale, YCbCr and CMYK (plain, or inverted with an Adobe
  // marker) pictures. False for anything libjpeg reports as an error or as a
  // warning that pixels are missing or wrong (a cut-short or corrupt file is
  // not shown half grey), for a side out of bounds, or for a progressive file
  // too small for the memory its size needs; *out is then left empty. A
  // picture larger than the fit is scaled down while decoding.
  static bool decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit = PictureFit{});
};

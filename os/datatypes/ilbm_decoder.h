// Our IFF ILBM reader: BMHD, CMAP, CAMG and BODY of a FORM ILBM; 1 to 8
// planes with a palette, extra half-brite, HAM6 and HAM8, 24 and 32 planes
// of true colour; a mask plane or a transparent colour; BODY plain or
// ByteRun1 packed. Chunks of odd length are padded; unknown chunks skipped.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/datatypes/decoded_picture.h"

// CAMG display mode flags.
constexpr uint32_t CAMG_EXTRA_HALFBRITE = 0x80;
constexpr uint32_t CAMG_HAM = 0x800;

class IlbmDecoder {
 public:
  // Whether the bytes begin like a FORM ILBM.
  static bool recognises(const uint8_t* bytes, size_t size);
  // The BMHD of a FORM ILBM that has its BMHD and BODY, its chunks walked
  // but nothing unpacked; false when it has not.
  static bool readHeader(const uint8_t* bytes, size_t size, BitMapHeader* header);
  // Decodes the file into *out; false for anything malformed or cut short,
  // and then *out is left empty. Never reads or writes outside a buffer. A
  // picture larger than the fit comes out reduced (its header then gives the
  // reduced size); its BODY is unpacked one row of planes at a time.
  static bool decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit = PictureFit{});
};

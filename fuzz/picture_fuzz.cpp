// libFuzzer target: a picture file through the picture reader, which finds
// its kind from its first bytes (built as one target per kind, each run on
// seeds of its kind: PNG, JPEG, GIF). A picture it decodes has every pixel
// its size promises, within the sizes a decoder may allocate for.
#include <cstddef>
#include <cstdint>

#include "os/datatypes/picture_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedPicture picture;
  if (PictureReader::decode(data, size, &picture) != PictureReader::Result::Decoded) return 0;
  if (!acceptablePictureSize(picture.width, picture.height)) __builtin_trap();
  if (picture.argb.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();
  volatile uint32_t sum = 0;
  for (uint32_t v : picture.argb) sum = sum + v;
  return 0;
}

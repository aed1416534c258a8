// libFuzzer target: a picture file through the picture reader, which finds
// its kind from its first bytes. Built as one target per kind (FUZZED_KIND
// names its reader), each run on seeds of its kind and given only inputs of
// that kind: the other kinds have targets of their own, and a target that
// drifted into them would spend its time there. A picture it decodes has
// every pixel its size promises, within the sizes a decoder may allocate for.
//
// Each input costs little: a PNG whose rows inflate from a few bytes can
// declare a picture whose rows take seconds to decode, so a PNG that declares
// more than MAX_DECODED_PIXELS goes only to the header reader (the decoder's
// own bound on such files has its test). Inputs of even length are decoded
// for a small screen, so that the reducing paths are fuzzed as well.
#include <cstddef>
#include <cstdint>

#include "os/datatypes/gif_decoder.h"
#include "os/datatypes/jpeg_decoder.h"
#include "os/datatypes/picture_reader.h"
#include "os/datatypes/png_codec.h"

namespace {
constexpr uint64_t MAX_DECODED_PIXELS = 256 * 256;
const PictureFit SMALL_SCREEN{48, 32};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!FUZZED_KIND::recognises(data, size)) return 0;
  if (PngCodec::recognises(data, size)) {
    uint32_t width = 0, height = 0;
    if (!PngCodec::readSize(data, size, &width, &height)) return 0;
    if (uint64_t(width) * height > MAX_DECODED_PIXELS) return 0;
  }
  const PictureFit fit = size % 2 ? PictureFit{} : SMALL_SCREEN;
  DecodedPicture picture;
  if (PictureReader::decode(data, size, &picture, fit) != PictureReader::Result::Decoded) return 0;
  if (!acceptablePictureSize(picture.width, picture.height)) __builtin_trap();
  if (picture.argb.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();
  volatile uint32_t sum = 0;
  for (uint32_t v : picture.argb) sum = sum + v;
  return 0;
}

// libFuzzer target: the IFF ILBM reader on arbitrary bytes. Inputs of even
// length are decoded for a small screen, so that reducing rows is fuzzed
// too; so is every input that declares more than MAX_WHOLE_PIXELS, whose
// pixels would otherwise cost far more than its few bytes (a BODY of 4 KB
// unpacks to 2 million pixels): all its rows are still unpacked.
#include <cstddef>
#include <cstdint>

#include "os/datatypes/ilbm_decoder.h"

namespace {
constexpr uint64_t MAX_WHOLE_PIXELS = 256 * 256;
const PictureFit SMALL_SCREEN{48, 32};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BitMapHeader declared{};
  const bool large = IlbmDecoder::readHeader(data, size, &declared) &&
                     uint64_t(declared.bmh_Width) * declared.bmh_Height > MAX_WHOLE_PIXELS;
  const PictureFit fit = size % 2 == 0 || large ? SMALL_SCREEN : PictureFit{};
  DecodedPicture picture;
  if (IlbmDecoder::decode(data, size, &picture, fit)) {
    // Every pixel the reader hands out must be there.
    volatile uint32_t sum = 0;
    for (uint32_t v : picture.argb) sum = sum + v;
    if (picture.argb.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();
    if (picture.header.bmh_Width != picture.width || picture.header.bmh_Height != picture.height) __builtin_trap();
  }
  return 0;
}

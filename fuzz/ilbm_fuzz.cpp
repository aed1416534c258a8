// libFuzzer target: the IFF ILBM reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "os/datatypes/ilbm_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedPicture picture;
  if (IlbmDecoder::decode(data, size, &picture)) {
    // Every pixel the reader hands out must be there.
    volatile uint32_t sum = 0;
    for (uint32_t v : picture.argb) sum = sum + v;
    if (picture.argb.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();
  }
  return 0;
}

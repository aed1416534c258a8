// libFuzzer target: the IFF 8SVX sound reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "os/datatypes/svx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SoundInfo sound;
  SvxReader::read(data, size, &sound);
  return 0;
}

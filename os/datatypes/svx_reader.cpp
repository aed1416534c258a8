#include "os/datatypes/svx_reader.h"

#include "os/iff/iff_form.h"

namespace {
constexpr uint32_t SVX_TYPE = MAKE_ID('8', 'S', 'V', 'X');
constexpr size_t VHDR_SIZE = 20;
constexpr uint8_t COMPRESSION_FIBONACCI_DELTA = 1;
}  // namespace

bool SvxReader::recognises(const uint8_t* bytes, size_t size) { return IffForm::isForm(bytes, size, SVX_TYPE); }

bool SvxReader::read(const uint8_t* bytes, size_t size, SoundInfo* out) {
  if (!out) return false;
  *out = SoundInfo{};
  SoundInfo info;
  bool hasHeader = false, hasBody = false;
  uint32_t bodyLength = 0;
  const bool whole = IffForm::walk(bytes, size, SVX_TYPE, [&](uint32_t id, const uint8_t* data, uint32_t length) {
    if (id == MAKE_ID('V', 'H', 'D', 'R')) {
      if (length < VHDR_SIZE) return false;
      info.oneShotSamples = readBE32(data);
      info.repeatSamples = readBE32(data + 4);
      info.samplesPerSec = readBE16(data + 12);
      info.octaves = data[14];
      info.compression = data[15];
      hasHeader = true;
    } else if (id == MAKE_ID('B', 'O', 'D', 'Y')) {
      bodyLength = length;
      hasBody = true;
    }
    return true;
  });
  if (!whole || !hasHeader || !hasBody || info.compression > COMPRESSION_FIBONACCI_DELTA) return false;
  // Fibonacci delta packing: two bytes of header, then two samples a byte.
  if (info.compression == COMPRESSION_FIBONACCI_DELTA)
    info.sampleLength = bodyLength >= 2 ? (bodyLength - 2) * 2 : 0;
  else
    info.sampleLength = bodyLength;
  *out = info;
  return true;
}

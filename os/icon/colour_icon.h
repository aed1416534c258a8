// The colour images that newer icons append to the classic icon data: an IFF
// FORM ICON with a FACE chunk (the size, shared by both images) and one or
// two IMAG chunks (the normal and the selected image), each with its pixels
// and, usually, its own palette, either of them run-length packed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct ColourIcon {
  int32_t width = 0;
  int32_t height = 0;
  bool frameless = false;
  int32_t imageCount = 0;         // 1 or 2
  std::vector<uint32_t> argb[2];  // width * height each; the see-through colour has alpha 0
};

class ColourIconReader {
 public:
  // Whether the bytes begin with a FORM ICON.
  static bool recognises(const uint8_t* bytes, size_t size);
  // Reads the FORM at the start of the bytes; false when anything in it is
  // out of place (a length past the end, packed data that runs short, a
  // missing FACE or palette). Never reads or writes outside a buffer.
  static bool read(const uint8_t* bytes, size_t size, ColourIcon* out);
};

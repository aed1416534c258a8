#include "os/icon/colour_icon.h"

#include <algorithm>

#include "os/iff/iff_form.h"

namespace {


constexpr size_t FACE_SIZE = 6;
constexpr size_t IMAG_HEADER_SIZE = 10;
constexpr uint8_t IMAG_HAS_TRANSPARENT = 1;
constexpr uint8_t IMAG_HAS_PALETTE = 2;

// Reads values of `bits` bits (1..8), highest bit first, from a byte buffer.
class BitReader {
 public:
  BitReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
  bool take(unsigned bits, uint32_t* value) {
    if (bits > size_ * 8 - pos_) return false;
    uint32_t v = 0;
    for (unsigned i = 0; i < bits; ++i, ++pos_) v = (v << 1) | ((bytes_[pos_ >> 3] >> (7 - (pos_ & 7))) & 1);
    *value = v;
    return true;
  }

 private:
  const uint8_t* bytes_;
  size_t size_;
  size_t pos_ = 0;
};

// Unpacks `count` values of `bits` bits. Packed: an 8-bit control n, then
// n + 1 values as they are (n < 128), or one value repeated 257 - n times
// (n > 128); 128 does nothing. Unpacked: `bits` bits a value.
bool unpack(const uint8_t* bytes, size_t size, bool packed, unsigned bits, size_t count, std::vector<uint8_t>& out) {
  out.assign(count, 0);
  BitReader in(bytes, size);
  size_t o = 0;
  uint32_t v;
  if (!packed) {
    for (; o < count; ++o) {
      if (!in.take(bits, &v)) return false;
      out[o] = static_cast<uint8_t>(v);
    }
    return true;
  }
  while (o < count) {
    uint32_t n;
    if (!in.take(8, &n)) return false;
    if (n < 128) {
      for (uint32_t k = 0; k <= n; ++k) {
        if (!in.take(bits, &v)) return false;
        if (o < count) out[o++] = static_cast<uint8_t>(v);
      }
    } else if (n > 128) {
      if (!in.take(bits, &v)) return false;
      for (uint32_t k = 0; k < 257 - n && o < count; ++k) out[o++] = static_cast<uint8_t>(v);
    }
  }
  return true;
}

struct Face {
  int32_t width = 0, height = 0;
  bool frameless = false;
};

// One IMAG chunk into ARGB pixels. An image without a palette of its own
// takes the previous image's.
bool readImage(const uint8_t* p, size_t length, const Face& face, std::vector<uint32_t>& palette,
               std::vector<uint32_t>& argb) {
  if (length < IMAG_HEADER_SIZE) return false;
  const uint8_t transparent = p[0];
  const size_t colours = size_t(p[1]) + 1;
  const uint8_t flags = p[2];
  const bool imagePacked = p[3] == 1, palettePacked = p[4] == 1;
  const unsigned depth = p[5];
  const size_t imageBytes = size_t(readBE16(p + 6)) + 1;
  const size_t paletteBytes = size_t(readBE16(p + 8)) + 1;
  if (p[3] > 1 || p[4] > 1 || depth < 1 || depth > 8) return false;
  const uint8_t* data = p + IMAG_HEADER_SIZE;
  const size_t left = length - IMAG_HEADER_SIZE;
  if (imageBytes > left) return false;
  std::vector<uint8_t> pens;
  if (!unpack(data, imageBytes, imagePacked, imagePacked ? depth : 8, size_t(face.width) * face.height, pens))
    return false;
  if (flags & IMAG_HAS_PALETTE) {
    if (paletteBytes > left - imageBytes) return false;
    std::vector<uint8_t> rgb;
    if (!unpack(data + imageBytes, paletteBytes, palettePacked, 8, colours * 3, rgb)) return false;
    palette.assign(256, 0xFF000000u);
    for (size_t i = 0; i < colours; ++i)
      palette[i] = 0xFF000000u | (uint32_t(rgb[3 * i]) << 16) | (uint32_t(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
  }
  if (palette.empty()) return false;
  argb.resize(pens.size());
  for (size_t i = 0; i < pens.size(); ++i) {
    argb[i] = palette[pens[i]];
    if ((flags & IMAG_HAS_TRANSPARENT) && pens[i] == transparent) argb[i] &= 0x00FFFFFF;
  }
  return true;
}

}  // namespace

bool ColourIconReader::recognises(const uint8_t* bytes, size_t size) {
  return IffForm::isForm(bytes, size, MAKE_ID('I', 'C', 'O', 'N'));
}

bool ColourIconReader::read(const uint8_t* bytes, size_t size, ColourIcon* out) {
  if (!out) return false;
  *out = ColourIcon{};
  Face face;
  bool hasFace = false;
  std::vector<uint32_t> palette;
  ColourIcon icon;
  const bool whole = IffForm::walk(bytes, size, MAKE_ID('I', 'C', 'O', 'N'), [&](uint32_t id, const uint8_t* data, uint32_t length) {
    if (id == MAKE_ID('F', 'A', 'C', 'E')) {
      // One size for both images: a second FACE would give them two.
      if (length < FACE_SIZE || hasFace) return false;
      face = Face{int32_t(data[0]) + 1, int32_t(data[1]) + 1, (data[2] & 1) != 0};
      hasFace = true;
    } else if (id == MAKE_ID('I', 'M', 'A', 'G') && icon.imageCount < 2) {
      if (!hasFace || !readImage(data, length, face, palette, icon.argb[icon.imageCount])) return false;
      ++icon.imageCount;
    }
    return true;
  });
  if (!whole || icon.imageCount == 0) return false;
  icon.width = face.width;
  icon.height = face.height;
  icon.frameless = face.frameless;
  *out = std::move(icon);
  return true;
}

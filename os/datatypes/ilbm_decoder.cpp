#include "os/datatypes/ilbm_decoder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr size_t BMHD_SIZE = 20;


struct Chunks {
  bool hasHeader = false;
  BitMapHeader header{};
  std::vector<uint32_t> colours;  // CMAP, as read
  uint32_t modeID = 0;
  const uint8_t* body = nullptr;
  size_t bodySize = 0;
};

BitMapHeader readHeader(const uint8_t* p) {
  BitMapHeader h{};
  h.bmh_Width = readBE16(p);
  h.bmh_Height = readBE16(p + 2);
  h.bmh_Left = static_cast<int16_t>(readBE16(p + 4));
  h.bmh_Top = static_cast<int16_t>(readBE16(p + 6));
  h.bmh_Depth = p[8];
  h.bmh_Masking = p[9];
  h.bmh_Compression = p[10];
  h.bmh_Pad = p[11];
  h.bmh_Transparent = readBE16(p + 12);
  h.bmh_XAspect = p[14];
  h.bmh_YAspect = p[15];
  h.bmh_PageWidth = static_cast<int16_t>(readBE16(p + 16));
  h.bmh_PageHeight = static_cast<int16_t>(readBE16(p + 18));
  return h;
}

bool readChunks(const uint8_t* bytes, size_t size, Chunks& c) {
  const bool whole = IffForm::walk(bytes, size, MAKE_ID('I', 'L', 'B', 'M'), [&](uint32_t id, const uint8_t* data, uint32_t length) {
    switch (id) {
      case MAKE_ID('B', 'M', 'H', 'D'):
        if (length < BMHD_SIZE) return false;
        c.header = readHeader(data);
        c.hasHeader = true;
        break;
      case MAKE_ID('C', 'M', 'A', 'P'):
        c.colours.clear();
        for (size_t i = 0; i + 3 <= length && c.colours.size() < 256; i += 3)
          c.colours.push_back(0xFF000000u | (uint32_t(data[i]) << 16) | (uint32_t(data[i + 1]) << 8) | data[i + 2]);
        break;
      case MAKE_ID('C', 'A', 'M', 'G'):
        if (length < 4) return false;
        c.modeID = readBE32(data);
        break;
      case MAKE_ID('B', 'O', 'D', 'Y'):
        c.body = data;
        c.bodySize = length;
        break;
      default:
        break;  // chunks this reader has no use for
    }
    return true;
  });
  return whole && c.hasHeader && c.body;
}

// ByteRun1 data unpacked a few bytes at a time: n in 0..127 copies the next
// n + 1 bytes, n in -127..-1 repeats the next byte 1 - n times, -128 does
// nothing. A run may go on past the bytes asked for; the rest of it comes
// with the next ones. A run that reaches past the end of the input fails.
class ByteRun1Stream {
 public:
  ByteRun1Stream(const uint8_t* in, size_t size) : in_(in), size_(size) {}

  // The next `count` bytes into out, or skipped when out is NIL; false when
  // the data ends first.
  bool read(uint8_t* out, size_t count) {
    while (count > 0) {
      if (literal_ == 0 && repeat_ == 0 && !startRun()) return false;
      const size_t n = std::min(count, literal_ ? literal_ : repeat_);
      if (literal_) {
        if (out) std::copy_n(in_ + pos_, n, out);
        pos_ += n;
        literal_ -= n;
      } else {
        if (out) std::fill_n(out, n, value_);
        repeat_ -= n;
      }
      if (out) out += n;
      count -= n;
    }
    return true;
  }

 private:
  bool startRun() {
    while (pos_ < size_) {
      const int8_t n = static_cast<int8_t>(in_[pos_++]);
      if (n >= 0) {
        literal_ = size_t(n) + 1;
        return literal_ <= size_ - pos_;
      }
      if (n == -128) continue;
      if (pos_ >= size_) return false;
      value_ = in_[pos_++];
      repeat_ = size_t(1 - n);
      return true;
    }
    return false;
  }

  const uint8_t* in_;
  size_t size_;
  size_t pos_ = 0;
  size_t literal_ = 0;  // bytes of a literal run still to come
  size_t repeat_ = 0;   // times value_ is still to come
  uint8_t value_ = 0;
};

// The palette of a picture with pens: the CMAP (colours it lacks are black),
// or a grey ramp without one. Colours stored as 4-bit values in the top
// nibble only are widened; extra half-brite adds the 32 halved colours.
std::array<uint32_t, 256> makePalette(const Chunks& c, unsigned planes, bool halfBrite) {
  std::array<uint32_t, 256> p;
  p.fill(0xFF000000u);
  if (c.colours.empty()) {
    const unsigned levels = 1u << std::min(planes, 8u);
    for (unsigned i = 0; i < levels; ++i) {
      const uint32_t v = levels > 1 ? i * 255 / (levels - 1) : 0;
      p[i] = 0xFF000000u | (v << 16) | (v << 8) | v;
    }
  } else {
    bool lowNibblesEmpty = true;
    for (uint32_t colour : c.colours)
      if (colour & 0x0F0F0F) lowNibblesEmpty = false;
    for (size_t i = 0; i < c.colours.size(); ++i)
      p[i] = lowNibblesEmpty ? (c.colours[i] | ((c.colours[i] & 0xF0F0F0) >> 4)) : c.colours[i];
  }
  if (halfBrite)
    for (int i = 0; i < 32; ++i) p[32 + i] = 0xFF000000u | ((p[i] & 0xFEFEFE) >> 1);
  return p;
}

// The next colour of a HAM row: the top two bits say keep the value as a
// palette index, or change blue, red or green to the value's other bits.
uint32_t holdAndModify(uint32_t previous, uint32_t value, unsigned planes, const std::array<uint32_t, 256>& palette) {
  const unsigned valueBits = planes - 2;
  const uint32_t control = value >> valueBits;
  uint32_t v = value & ((1u << valueBits) - 1);
  if (control == 0) return palette[v];
  // Widen the value to 8 bits by repeating its top bits.
  v = valueBits == 4 ? (v << 4) | v : (v << 2) | (v >> 4);
  switch (control) {
    case 1: return (previous & 0xFFFFFF00u) | v;
    case 2: return (previous & 0xFF00FFFFu) | (v << 16);
    default: return (previous & 0xFFFF00FFu) | (v << 8);
  }
}

}  // namespace

bool IlbmDecoder::recognises(const uint8_t* bytes, size_t size) {
  return IffForm::isForm(bytes, size, MAKE_ID('I', 'L', 'B', 'M'));
}

bool IlbmDecoder::readHeader(const uint8_t* bytes, size_t size, BitMapHeader* header) {
  Chunks c;
  if (!header || !readChunks(bytes, size, c)) return false;
  *header = c.header;
  return true;
}

bool IlbmDecoder::decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit) {
  if (!out) return false;
  *out = DecodedPicture{};
  Chunks c;
  if (!readChunks(bytes, size, c)) return false;
  const BitMapHeader& h = c.header;
  const unsigned planes = h.bmh_Depth;
  if (!acceptablePictureSides(h.bmh_Width, h.bmh_Height)) return false;
  if (!((planes >= 1 && planes <= 8) || planes == 24 || planes == 32)) return false;
  if (h.bmh_Compression > cmpByteRun1 || h.bmh_Masking > mskLasso) return false;

  const size_t width = h.bmh_Width, height = h.bmh_Height;
  const size_t rowBytes = (width + 15) / 16 * 2;
  const bool maskPlane = h.bmh_Masking == mskHasMask;
  const size_t planesPerRow = planes + (maskPlane ? 1 : 0);
  const size_t lineBytes = rowBytes * planesPerRow;  // one row of every plane
  const size_t need = lineBytes * height;
  // A BODY that cannot hold the picture is refused before anything is
  // unpacked: packed, two bytes give at most 128.
  if (h.bmh_Compression == cmpNone ? c.bodySize < need : (c.bodySize + 1) / 2 * 128 < need) return false;

  // A picture larger than the fit keeps every f-th pixel of every f-th row;
  // rows are unpacked one at a time, so memory follows what is kept.
  const int32_t f = reductionFor(int64_t(width), int64_t(height), fit);
  const size_t outWidth = size_t(reducedSide(int64_t(width), f)), outHeight = size_t(reducedSide(int64_t(height), f));
  if (!acceptablePictureSize(int64_t(outWidth), int64_t(outHeight))) return false;

  const bool ham = (c.modeID & CAMG_HAM) && (planes == 6 || planes == 8);
  const bool halfBrite = !ham && (c.modeID & CAMG_EXTRA_HALFBRITE) && planes == 6;
  const std::array<uint32_t, 256> palette = makePalette(c, planes, halfBrite);
  const bool transparentPen = h.bmh_Masking == mskHasTransparentColor && planes <= 8;
  // HAM colours follow from every pixel before them in the row.
  const size_t step = ham ? 1 : size_t(f);

  ByteRun1Stream packed(c.body, c.bodySize);
  std::vector<uint8_t> line(h.bmh_Compression == cmpNone ? 0 : lineBytes);
  std::vector<uint32_t> argb(outWidth * outHeight);
  for (size_t y = 0; y < height; ++y) {
    const bool kept = y % size_t(f) == 0;
    const uint8_t* row;
    if (h.bmh_Compression == cmpNone) {
      row = c.body + y * lineBytes;
    } else {
      if (!packed.read(kept ? line.data() : nullptr, lineBytes)) return false;
      row = line.data();
    }
    if (!kept) continue;
    uint32_t* target = argb.data() + (y / size_t(f)) * outWidth;
    uint32_t previous = palette[0];
    for (size_t x = 0; x < width; x += step) {
      const size_t byte = x >> 3;
      const unsigned shift = 7 - (x & 7);
      uint32_t value = 0;
      for (unsigned p = 0; p < planes; ++p) value |= uint32_t((row[p * rowBytes + byte] >> shift) & 1) << p;
      if (ham) previous = holdAndModify(previous, value, planes, palette);
      if (x % size_t(f)) continue;
      uint32_t colour;
      if (planes == 24) colour = 0xFF000000u | ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
      else if (planes == 32) colour = (value & 0xFF000000u) | ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
      else if (ham) colour = previous;
      else colour = palette[value];
      if (transparentPen && value == h.bmh_Transparent) colour &= 0x00FFFFFF;
      if (maskPlane && !((row[planes * rowBytes + byte] >> shift) & 1)) colour &= 0x00FFFFFF;
      target[x / size_t(f)] = colour;
    }
  }
  out->argb = std::move(argb);
  out->width = static_cast<int32_t>(outWidth);
  out->height = static_cast<int32_t>(outHeight);
  out->header = h;
  // The header describes the pixels handed over.
  out->header.bmh_Width = static_cast<uint16_t>(outWidth);
  out->header.bmh_Height = static_cast<uint16_t>(outHeight);
  out->modeID = c.modeID;
  return true;
}

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

// Unpacks ByteRun1 data into exactly out.size() bytes: n in 0..127 copies the
// next n + 1 bytes, n in -127..-1 repeats the next byte 1 - n times, -128 does
// nothing. A run that reaches past the end of the input fails; a run past the
// end of the output is cut.
bool unpackByteRun1(const uint8_t* in, size_t inSize, std::vector<uint8_t>& out) {
  size_t i = 0, o = 0;
  const size_t need = out.size();
  while (o < need) {
    if (i >= inSize) return false;
    const int8_t n = static_cast<int8_t>(in[i++]);
    if (n >= 0) {
      const size_t count = size_t(n) + 1;
      if (count > inSize - i) return false;
      for (size_t k = 0; k < count && o < need; ++k) out[o++] = in[i + k];
      i += count;
    } else if (n != -128) {
      if (i >= inSize) return false;
      const uint8_t value = in[i++];
      const size_t count = size_t(1 - n);
      for (size_t k = 0; k < count && o < need; ++k) out[o++] = value;
    }
  }
  return true;
}

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

bool IlbmDecoder::decode(const uint8_t* bytes, size_t size, DecodedPicture* out) {
  if (!out) return false;
  *out = DecodedPicture{};
  Chunks c;
  if (!readChunks(bytes, size, c)) return false;
  const BitMapHeader& h = c.header;
  const unsigned planes = h.bmh_Depth;
  if (!acceptablePictureSize(h.bmh_Width, h.bmh_Height)) return false;
  if (!((planes >= 1 && planes <= 8) || planes == 24 || planes == 32)) return false;
  if (h.bmh_Compression > cmpByteRun1 || h.bmh_Masking > mskLasso) return false;

  const size_t width = h.bmh_Width, height = h.bmh_Height;
  const size_t rowBytes = (width + 15) / 16 * 2;
  const bool maskPlane = h.bmh_Masking == mskHasMask;
  const size_t planesPerRow = planes + (maskPlane ? 1 : 0);
  const size_t need = rowBytes * planesPerRow * height;
  // A BODY that cannot hold the picture is refused before the picture's
  // memory is taken: packed, two bytes give at most 128.
  if (h.bmh_Compression == cmpNone ? c.bodySize < need : (c.bodySize + 1) / 2 * 128 < need) return false;
  std::vector<uint8_t> planeData(need);
  if (h.bmh_Compression == cmpNone) std::copy_n(c.body, need, planeData.begin());
  else if (!unpackByteRun1(c.body, c.bodySize, planeData)) return false;

  const bool ham = (c.modeID & CAMG_HAM) && (planes == 6 || planes == 8);
  const bool halfBrite = !ham && (c.modeID & CAMG_EXTRA_HALFBRITE) && planes == 6;
  const std::array<uint32_t, 256> palette = makePalette(c, planes, halfBrite);
  const bool transparentPen = h.bmh_Masking == mskHasTransparentColor && planes <= 8;

  out->argb.resize(width * height);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* row = planeData.data() + y * planesPerRow * rowBytes;
    uint32_t previous = palette[0];
    for (size_t x = 0; x < width; ++x) {
      const size_t byte = x >> 3;
      const unsigned shift = 7 - (x & 7);
      uint32_t value = 0;
      for (unsigned p = 0; p < planes; ++p) value |= uint32_t((row[p * rowBytes + byte] >> shift) & 1) << p;
      uint32_t argb;
      if (planes == 24) argb = 0xFF000000u | ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
      else if (planes == 32) argb = (value & 0xFF000000u) | ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
      else if (ham) argb = previous = holdAndModify(previous, value, planes, palette);
      else argb = palette[value];
      if (transparentPen && value == h.bmh_Transparent) argb &= 0x00FFFFFF;
      if (maskPlane && !((row[planes * rowBytes + byte] >> shift) & 1)) argb &= 0x00FFFFFF;
      out->argb[y * width + x] = argb;
    }
  }
  out->width = static_cast<int32_t>(width);
  out->height = static_cast<int32_t>(height);
  out->header = h;
  out->modeID = c.modeID;
  return true;
}

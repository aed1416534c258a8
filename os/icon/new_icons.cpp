#include "os/icon/new_icons.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr size_t HEADER_SIZE = 5;  // see-through, width, height, two for the colour count

// The bits of one line, highest first, read as they are needed.
class LineBits {
 public:
  explicit LineBits(std::string_view text) : text_(text) {}
  // False when the line has no more bits, or a character carries none.
  bool take(unsigned count, uint32_t* value) {
    uint32_t v = 0;
    for (unsigned i = 0; i < count; ++i) {
      if (left_ == 0 && !refill()) return false;
      --left_;
      v = (v << 1) | (zeros_ ? 0 : (chunk_ >> left_) & 1);
    }
    *value = v;
    return true;
  }
  bool broken() const { return broken_; }

 private:
  bool refill() {
    if (at_ >= text_.size()) return false;
    const unsigned char c = static_cast<unsigned char>(text_[at_++]);
    zeros_ = false;
    left_ = 7;
    if (c >= 0x20 && c <= 0x6F) chunk_ = c - 0x20u;
    else if (c >= 0xA1 && c <= 0xD0) chunk_ = c - 0x51u;
    else if (c >= 0xD1) zeros_ = true, left_ = size_t(c - 0xD0) * 7;
    else return !(broken_ = true);
    return true;
  }
  std::string_view text_;
  size_t at_ = 0;
  uint32_t chunk_ = 0;
  size_t left_ = 0;  // bits of the current character not yet taken
  bool zeros_ = false;
  bool broken_ = false;
};

// The bits a colour number of an image with `colours` colours takes.
unsigned bitsFor(int32_t colours) {
  unsigned bits = 1;
  while ((1 << bits) < colours) ++bits;
  return bits;
}

// Reads `count` values of `bits` bits from the lines from `next` on, each line
// read to its end or until the values are complete (the rest of that line is
// padding); `first` is the part of the first line to start with.
bool readValues(std::string_view first, const std::vector<std::string_view>& lines, size_t& next, unsigned bits,
                size_t count, std::vector<uint32_t>& out) {
  out.clear();
  out.reserve(count);
  std::string_view text = first;
  bool haveText = !first.empty();
  while (out.size() < count) {
    if (!haveText) {
      if (next >= lines.size()) return false;
      text = lines[next++];
    }
    haveText = false;
    LineBits line(text);
    uint32_t v;
    while (out.size() < count && line.take(bits, &v)) out.push_back(v);
    if (line.broken()) return false;
  }
  return true;
}

bool readImage(const std::vector<std::string_view>& lines, IconImage& image) {
  if (lines.empty() || lines[0].size() < HEADER_SIZE) return false;
  const std::string_view head = lines[0];
  const auto at = [&](size_t i) { return int32_t(static_cast<unsigned char>(head[i])); };
  if (head[0] != 'B' && head[0] != 'C') return false;
  const bool seeThrough = head[0] == 'B';
  const int32_t width = at(1) - 0x21, height = at(2) - 0x21;
  const int32_t colours = ((at(3) - 0x21) << 6) + (at(4) - 0x21);
  if (width < 1 || height < 1 || at(3) < 0x21 || at(4) < 0x21 || colours < 1 || colours > NEW_ICONS_MAX_COLOURS)
    return false;
  size_t next = 1;
  std::vector<uint32_t> rgb;
  if (!readValues(head.substr(HEADER_SIZE), lines, next, 8, size_t(colours) * 3, rgb)) return false;
  std::vector<uint32_t> pens;
  if (!readValues({}, lines, next, bitsFor(colours), size_t(width) * size_t(height), pens)) return false;
  image.width = width;
  image.height = height;
  image.argb.resize(pens.size());
  for (size_t i = 0; i < pens.size(); ++i) {
    const uint32_t pen = pens[i];
    // A number past the palette shows black.
    uint32_t argb = 0xFF000000u;
    if (pen < uint32_t(colours)) argb |= rgb[3 * pen] << 16 | rgb[3 * pen + 1] << 8 | rgb[3 * pen + 2];
    if (seeThrough && pen == 0) argb = 0;
    image.argb[i] = argb;
  }
  return true;
}

}  // namespace

int32_t NewIconsReader::read(const char* const* toolTypes, IconImage images[2]) {
  if (!images) return 0;
  images[0] = images[1] = IconImage{};
  if (!toolTypes) return 0;
  std::vector<std::string_view> lines[2];
  for (const char* const* t = toolTypes; *t; ++t)
    for (int i = 0; i < 2; ++i)
      if (std::strncmp(*t, i == 0 ? "IM1=" : "IM2=", 4) == 0) lines[i].push_back(std::string_view(*t).substr(4));
  if (!readImage(lines[0], images[0])) {
    images[0] = IconImage{};
    return 0;
  }
  if (!readImage(lines[1], images[1])) {
    images[1] = IconImage{};
    return 1;
  }
  return 2;
}

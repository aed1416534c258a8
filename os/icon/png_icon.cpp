#include "os/icon/png_icon.h"

#include <cstring>

#include "os/datatypes/png_codec.h"
#include "os/iff/iff_form.h"

namespace {

constexpr size_t SIGNATURE_SIZE = 8;
constexpr size_t CHUNK_OVERHEAD = 12;  // length, type, CRC
constexpr size_t IHDR_SIZE = 13;

bool isStringTag(uint32_t tag) {
  return tag == ICON_ATTR_TOOLWINDOW || tag == ICON_ATTR_DEFAULTTOOL || tag == ICON_ATTR_TOOLTYPE;
}

// The tags of an icOn chunk into the icon.
void readTags(const uint8_t* data, size_t length, PngIcon& icon) {
  size_t at = 0;
  while (length - at >= 4) {
    const uint32_t tag = readBE32(data + at);
    at += 4;
    if (isStringTag(tag)) {
      const void* end = std::memchr(data + at, 0, length - at);
      if (!end) return;
      const size_t n = size_t(static_cast<const uint8_t*>(end) - (data + at));
      std::string text(reinterpret_cast<const char*>(data + at), n);
      at += n + 1;
      if (tag == ICON_ATTR_DEFAULTTOOL) icon.defaultTool = std::move(text);
      else if (tag == ICON_ATTR_TOOLWINDOW) icon.toolWindow = std::move(text);
      else icon.toolTypes.push_back(std::move(text));
    } else {
      if (length - at < 4) return;
      icon.values.emplace_back(tag, readBE32(data + at));
      at += 4;
    }
  }
}

// The length of the PNG at the start of the bytes (through its IEND chunk),
// or 0 when it has none; its icOn chunk, when wanted, into the icon.
size_t pngLength(const uint8_t* bytes, size_t size, PngIcon* tagsInto) {
  if (!PngIconReader::recognises(bytes, size)) return 0;
  size_t at = SIGNATURE_SIZE;
  while (size - at >= CHUNK_OVERHEAD) {
    const uint32_t length = readBE32(bytes + at);
    if (length > size - at - CHUNK_OVERHEAD) return 0;
    const uint8_t* type = bytes + at + 4;
    const uint8_t* data = bytes + at + 8;
    at += CHUNK_OVERHEAD + length;
    if (std::memcmp(type, "icOn", 4) == 0 && tagsInto) readTags(data, length, *tagsInto);
    if (std::memcmp(type, "IEND", 4) == 0) return at;
  }
  return 0;
}

// Decodes one PNG of at most PNG_ICON_MAX_SIDE a side, whole.
bool readImage(const uint8_t* bytes, size_t size, IconImage& image) {
  if (size < SIGNATURE_SIZE + 8 + IHDR_SIZE || std::memcmp(bytes + SIGNATURE_SIZE + 4, "IHDR", 4) != 0) return false;
  const uint32_t width = readBE32(bytes + SIGNATURE_SIZE + 8), height = readBE32(bytes + SIGNATURE_SIZE + 12);
  if (width < 1 || height < 1 || width > PNG_ICON_MAX_SIDE || height > PNG_ICON_MAX_SIDE) return false;
  DecodedPicture picture;
  if (!PngCodec::decode(bytes, size, &picture, PictureFit{PNG_ICON_MAX_SIDE, PNG_ICON_MAX_SIDE})) return false;
  if (picture.width != int32_t(width) || picture.height != int32_t(height)) return false;
  image.width = picture.width;
  image.height = picture.height;
  image.argb = std::move(picture.argb);
  return true;
}

}  // namespace

std::optional<uint32_t> PngIcon::value(uint32_t tag) const {
  std::optional<uint32_t> found;
  for (const auto& [t, v] : values)
    if (t == tag) found = v;
  return found;
}

bool PngIconReader::recognises(const uint8_t* bytes, size_t size) { return PngCodec::recognises(bytes, size); }

bool PngIconReader::read(const uint8_t* bytes, size_t size, PngIcon* out) {
  if (!out) return false;
  *out = PngIcon{};
  if (!bytes) return false;
  PngIcon icon;
  const size_t first = pngLength(bytes, size, &icon);
  if (!first || !readImage(bytes, first, icon.images[0])) return false;
  icon.imageCount = 1;
  const size_t second = pngLength(bytes + first, size - first, nullptr);
  if (second && readImage(bytes + first, second, icon.images[1])) icon.imageCount = 2;
  *out = std::move(icon);
  return true;
}

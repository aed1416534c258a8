#include "os/datatypes/png_codec.h"

#include <png.h>

#include <cstring>

namespace {

// libpng reads a picture whole without its closing IEND chunk; a file cut
// there is cut all the same.
bool hasEnd(const uint8_t* bytes, size_t size) {
  static const uint8_t end[8] = {0, 0, 0, 0, 'I', 'E', 'N', 'D'};
  for (size_t at = size >= 12 ? size - 12 : 0; at >= 8; --at)
    if (std::memcmp(bytes + at, end, 8) == 0) return true;
  return false;
}

}  // namespace

bool PngCodec::recognises(const uint8_t* bytes, size_t size) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes && size >= 8 && std::memcmp(bytes, signature, 8) == 0;
}

bool PngCodec::decode(const uint8_t* bytes, size_t size, DecodedPicture* out) {
  if (!out) return false;
  *out = DecodedPicture{};
  if (!recognises(bytes, size) || !hasEnd(bytes, size)) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) return false;
  if (!acceptablePictureSize(image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  const bool alpha = image.format & PNG_FORMAT_FLAG_ALPHA;
  const bool mapped = image.format & PNG_FORMAT_FLAG_COLORMAP;
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
  const bool read = png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr);
  png_image_free(&image);
  if (!read) return false;
  const size_t count = size_t(image.width) * image.height;
  out->argb.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = &rgba[4 * i];
    out->argb[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
  }
  out->width = static_cast<int32_t>(image.width);
  out->height = static_cast<int32_t>(image.height);
  out->header = plainHeader(out->width, out->height, mapped ? 8 : alpha ? 32 : 24);
  return true;
}

bool PngCodec::encode(const uint32_t* argb, int32_t width, int32_t height, std::vector<uint8_t>* file) {
  if (!argb || !file || width < 1 || height < 1) return false;
  const size_t count = size_t(width) * size_t(height);
  std::vector<uint8_t> rgba(count * 4);
  for (size_t i = 0; i < count; ++i) {
    rgba[4 * i] = uint8_t(argb[i] >> 16);
    rgba[4 * i + 1] = uint8_t(argb[i] >> 8);
    rgba[4 * i + 2] = uint8_t(argb[i]);
    rgba[4 * i + 3] = uint8_t(argb[i] >> 24);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  // First pass: how large the file will be.
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return false;
  file->resize(size);
  const bool written = png_image_write_to_memory(&image, file->data(), &size, 0, rgba.data(), 0, nullptr);
  png_image_free(&image);
  if (!written) return false;
  file->resize(size);
  return true;
}

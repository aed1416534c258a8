#include "os/datatypes/png_codec.h"

#include <png.h>

#include <csetjmp>
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

// Deflate gives at most 1032 bytes for one: a file whose rows cannot come out
// of its bytes is refused before anything is allocated for them.
constexpr uint64_t DEFLATE_MAX_RATIO = 1032;

struct MemoryInput {
  const uint8_t* bytes;
  size_t size;
  size_t pos;
};

void readInput(png_structp png, png_bytep out, size_t length) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > in->size - in->pos) png_error(png, "cut short");
  std::memcpy(out, in->bytes + in->pos, length);
  in->pos += length;
}

[[noreturn]] void failed(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void warned(png_structp, png_const_charp) {}

uint32_t argbAt(const uint8_t* rgba) {
  return (uint32_t(rgba[3]) << 24) | (uint32_t(rgba[0]) << 16) | (uint32_t(rgba[1]) << 8) | rgba[2];
}

// Reads the chunks up to the image data and the size they declare.
bool readHeader(png_structp png, png_infop info, MemoryInput* in, uint32_t* width, uint32_t* height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, in, readInput);
  png_read_info(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  return true;
}

// Runs libpng; every buffer lives in the caller's frame, so that a jump back
// here after an error leaves them intact for their destructors.
bool run(png_structp png, png_infop info, MemoryInput* in, const PictureFit& fit, std::vector<uint8_t>& row,
         DecodedPicture* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, in, readInput);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
  if (!acceptablePictureSides(width, height)) return false;
  const uint64_t rawBytes = uint64_t(height) * (png_get_rowbytes(png, info) + 1);
  if (rawBytes > DEFLATE_MAX_RATIO * in->size) return false;

  const bool mapped = colourType & PNG_COLOR_MASK_PALETTE;
  const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  // Every kind becomes 8-bit RGBA. Samples of 16 bits keep their high byte:
  // without a gAMA chunk they are sRGB, as 8-bit ones are.
  if (mapped) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  double gamma = 0;
  if (!png_get_valid(png, info, PNG_INFO_sRGB) && png_get_gAMA(png, info, &gamma) && gamma > 0)
    png_set_gamma(png, PNG_DEFAULT_sRGB, gamma);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) return false;

  const int32_t f = reductionFor(width, height, fit);
  const size_t outWidth = size_t(reducedSide(width, f)), outHeight = size_t(reducedSide(height, f));
  row.resize(size_t(width) * 4);
  if (passes == 1) {
    // Rows are kept as they come: memory grows only with what the file held.
    out->argb.reserve(outWidth * outHeight);
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png, row.data(), nullptr);
      if (y % f) continue;
      for (size_t x = 0; x < outWidth; ++x) out->argb.push_back(argbAt(&row[x * f * 4]));
    }
  } else {
    // Each pass gives the pixels of its own rows and columns.
    out->argb.assign(outWidth * outHeight, 0);
    for (int pass = 0; pass < passes; ++pass)
      for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        if (y % f || !PNG_ROW_IN_INTERLACE_PASS(y, pass)) continue;
        for (size_t x = 0; x < outWidth; ++x)
          if (PNG_COL_IN_INTERLACE_PASS(x * f, pass))
            out->argb[(y / f) * outWidth + x] = argbAt(&row[x * f * 4]);
      }
  }
  png_read_end(png, nullptr);
  out->width = static_cast<int32_t>(outWidth);
  out->height = static_cast<int32_t>(outHeight);
  out->header = plainHeader(out->width, out->height, mapped ? 8 : alpha ? 32 : 24);
  return true;
}

}  // namespace

bool PngCodec::recognises(const uint8_t* bytes, size_t size) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes && size >= 8 && std::memcmp(bytes, signature, 8) == 0;
}

bool PngCodec::decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit) {
  if (!out) return false;
  *out = DecodedPicture{};
  if (!recognises(bytes, size) || !hasEnd(bytes, size)) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failed, warned);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  MemoryInput in{bytes, size, 0};
  std::vector<uint8_t> row;
  const bool ok = info && run(png, info, &in, fit, row, out);
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  if (!ok) *out = DecodedPicture{};
  return ok;
}

bool PngCodec::readSize(const uint8_t* bytes, size_t size, uint32_t* width, uint32_t* height) {
  if (!width || !height || !recognises(bytes, size)) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failed, warned);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  MemoryInput in{bytes, size, 0};
  const bool ok = info && readHeader(png, info, &in, width, height);
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  return ok;
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

#include "tests/support/picture_files.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}
void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}
void chunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& data) {
  out.insert(out.end(), id, id + 4);
  put32(out, uint32_t(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() & 1) out.push_back(0);
}

}  // namespace

std::vector<uint8_t> packByteRun1(const std::vector<uint8_t>& row) {
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i < row.size()) {
    size_t run = 1;
    while (i + run < row.size() && row[i + run] == row[i] && run < 128) ++run;
    if (run >= 2) {
      out.push_back(uint8_t(int8_t(1 - int(run))));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    size_t literal = 1;
    while (i + literal < row.size() && literal < 128 &&
           !(i + literal + 1 < row.size() && row[i + literal] == row[i + literal + 1]))
      ++literal;
    out.push_back(uint8_t(literal - 1));
    out.insert(out.end(), row.begin() + long(i), row.begin() + long(i + literal));
    i += literal;
  }
  return out;
}

std::vector<uint8_t> IlbmFile::planeData() const {
  const size_t rowBytes = (width + 15) / 16 * 2;
  const size_t planesPerRow = planes + (masking == 1 ? 1 : 0);
  std::vector<uint8_t> data(rowBytes * planesPerRow * height, 0);
  for (size_t y = 0; y < height; ++y)
    for (size_t x = 0; x < width; ++x) {
      const size_t i = y * width + x;
      const uint32_t v = i < pixels.size() ? pixels[i] : 0;
      for (size_t p = 0; p < planesPerRow; ++p) {
        // Planes past the 32 bits of a value (a hostile plane count) stay empty.
        const bool bit = p < planes ? p < 32 && ((v >> p) & 1) : (i < mask.size() ? mask[i] : true);
        if (bit) data[(y * planesPerRow + p) * rowBytes + x / 8] |= uint8_t(0x80 >> (x % 8));
      }
    }
  return data;
}

std::vector<uint8_t> IlbmFile::bytes() const {
  std::vector<uint8_t> form;
  form.insert(form.end(), {'I', 'L', 'B', 'M'});
  std::vector<uint8_t> bmhd;
  put16(bmhd, width);
  put16(bmhd, height);
  put16(bmhd, 0);
  put16(bmhd, 0);
  bmhd.push_back(planes);
  bmhd.push_back(masking);
  bmhd.push_back(compression);
  bmhd.push_back(0);
  put16(bmhd, transparent);
  bmhd.push_back(10);
  bmhd.push_back(11);
  put16(bmhd, width);
  put16(bmhd, height);
  chunk(form, "BMHD", bmhd);
  if (!cmap.empty()) {
    std::vector<uint8_t> c;
    for (uint32_t rgb : cmap) c.insert(c.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    chunk(form, "CMAP", c);
  }
  if (camg) {
    std::vector<uint8_t> c;
    put32(c, *camg);
    chunk(form, "CAMG", c);
  }
  for (const auto& [id, contents] : extraChunks) chunk(form, id.c_str(), std::vector<uint8_t>(contents.begin(), contents.end()));
  std::vector<uint8_t> stored = body.empty() ? planeData() : body;
  if (compression == 1 && body.empty()) {
    // Packed row by row and plane by plane, as writers do.
    const size_t rowBytes = (width + 15) / 16 * 2;
    std::vector<uint8_t> packed;
    for (size_t at = 0; at < stored.size(); at += rowBytes) {
      const std::vector<uint8_t> row(stored.begin() + long(at), stored.begin() + long(at + rowBytes));
      const std::vector<uint8_t> p = packByteRun1(row);
      packed.insert(packed.end(), p.begin(), p.end());
    }
    stored = packed;
  }
  chunk(form, "BODY", stored);
  std::vector<uint8_t> out{'F', 'O', 'R', 'M'};
  put32(out, uint32_t(form.size()));
  out.insert(out.end(), form.begin(), form.end());
  return out;
}

std::vector<uint8_t> pngFile(int width, int height, const std::vector<uint32_t>& argb) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_ARGB;
  std::vector<uint8_t> bytes;
  for (uint32_t v : argb) bytes.insert(bytes.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, bytes.data(), 0, nullptr)) throw std::runtime_error("png");
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, bytes.data(), 0, nullptr)) throw std::runtime_error("png");
  out.resize(size);
  return out;
}

namespace {

struct JpegKind {
  int components;          // 3 (RGB) or 4 (CMYK)
  bool progressive;
  bool adobeMarker;        // CMYK: with an Adobe marker
};

// A JPEG of width by height 32-bit values, each taken apart into its bytes
// from the top one that counts (RGB: bits 23..0; CMYK: bits 31..0).
std::vector<uint8_t> compressJpeg(int width, int height, const std::vector<uint32_t>& values, const JpegKind& kind) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = kind.components;
  info.in_color_space = kind.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (kind.components == 4) {
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = kind.adobeMarker ? TRUE : FALSE;
  }
  jpeg_set_quality(&info, 100, TRUE);
  if (kind.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const int n = kind.components;
  std::vector<uint8_t> row(size_t(width) * size_t(n));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < n; ++c) row[size_t(n * x + c)] = uint8_t(values[size_t(y) * width + x] >> (8 * (n - 1 - c)));
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  free(buffer);
  return out;
}

}  // namespace

std::vector<uint8_t> jpegFile(int width, int height, const std::vector<uint32_t>& argb, bool progressive) {
  return compressJpeg(width, height, argb, JpegKind{3, progressive, false});
}

std::vector<uint8_t> cmykJpegFile(int width, int height, const std::vector<uint32_t>& cmyk, bool adobeMarker) {
  return compressJpeg(width, height, cmyk, JpegKind{4, false, adobeMarker});
}

namespace {
void appendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void flushNothing(png_structp) {}
}  // namespace

std::vector<uint8_t> png16File(int width, int height, const std::vector<uint16_t>& rgb) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("png16");
  }
  png_set_write_fn(png, &out, appendToVector, flushNothing);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 16, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t(width) * 6);
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < size_t(width) * 3; ++i) {
      const uint16_t v = rgb[size_t(y) * width * 3 + i];
      row[2 * i] = uint8_t(v >> 8);
      row[2 * i + 1] = uint8_t(v);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> pngChunk(const char* type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  put32(out, uint32_t(data.size()));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(out, uint32_t(crc32(0, out.data() + 4, uInt(data.size() + 4))));
  return out;
}

std::vector<uint8_t> pngOfChunks(const std::vector<std::vector<uint8_t>>& chunks) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const std::vector<uint8_t>& c : chunks) out.insert(out.end(), c.begin(), c.end());
  return out;
}

namespace {
int writeToVector(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}
}  // namespace

std::vector<uint8_t> gifFile(int width, int height, const std::vector<uint8_t>& pens,
                             const std::vector<uint32_t>& palette, int transparent, bool interlaced) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, writeToVector, &error);
  if (!gif) throw std::runtime_error("gif");
  int count = 2;
  while (count < int(palette.size())) count *= 2;
  std::vector<GifColorType> colours(size_t(count), GifColorType{0, 0, 0});
  for (size_t i = 0; i < palette.size(); ++i)
    colours[i] = GifColorType{uint8_t(palette[i] >> 16), uint8_t(palette[i] >> 8), uint8_t(palette[i])};
  ColorMapObject* map = GifMakeMapObject(count, colours.data());
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, width, height, 8, 0, map);
  if (transparent >= 0) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.TransparentColor = transparent;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
  }
  EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr);
  std::vector<int> order;
  if (interlaced) {
    const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = starts[pass]; y < height; y += steps[pass]) order.push_back(y);
  } else {
    for (int y = 0; y < height; ++y) order.push_back(y);
  }
  for (int y : order) {
    std::vector<GifPixelType> line(pens.begin() + long(y) * width, pens.begin() + long(y + 1) * width);
    EGifPutLine(gif, line.data(), width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

void writeBytes(const std::string& linuxPath, const std::vector<uint8_t>& bytes) {
  std::ofstream out(linuxPath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + linuxPath);
}

std::vector<uint8_t> readBytes(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#include "os/datatypes/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// What libjpeg keeps for itself, beyond its buffers of a few rows: a
// progressive file's coefficients (128 bytes a block). Each block costs at
// least one bit of the file, so a file may have its blocks' memory and 16 MB
// more; a small file that declares a huge picture is refused before libjpeg
// takes that memory.
constexpr long BASE_MEMORY = 16L << 20;
constexpr long MEMORY_PER_FILE_BYTE = 8 * 128;

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool hitEnd = false;  // the file ended before its end marker
};

[[noreturn]] void failed(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

// Warnings (level -1) that mean pixels are missing or wrong end the decoding
// (a cut-short or corrupt file is not shown half grey); the others (stray
// bytes between markers, no end marker, unusual markers) do not.
void message(j_common_ptr info, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  switch (info->err->msg_code) {
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC: failed(info);
    case JWRN_JPEG_EOF: errors->hitEnd = true; break;
    default: break;
  }
}

// Whether a file that ended without its end marker held every scan it needs
// (asked before the decoding is finished): one scan holds everything; a
// progressive file needs every coefficient of every component at least
// once. Sequential files of several scans cannot tell, and are refused.
bool complete(jpeg_decompress_struct* info) {
  if (!jpeg_has_multiple_scans(info)) return true;
  if (!info->progressive_mode || !info->coef_bits) return false;
  for (int c = 0; c < info->num_components; ++c)
    for (int k = 0; k < DCTSIZE2; ++k)
      if (info->coef_bits[c][k] < 0) return false;
  return true;
}

uint8_t product(unsigned a, unsigned b) { return uint8_t((a * b + 127) / 255); }

// One decoded row as ARGB. CMYK comes as ink amounts, or inverted when the
// file carries an Adobe marker (as Photoshop writes it).
void appendRow(const jpeg_decompress_struct* info, const uint8_t* row, std::vector<uint32_t>& argb) {
  const size_t width = info->output_width;
  if (info->out_color_space != JCS_CMYK) {
    for (size_t x = 0; x < width; ++x)
      argb.push_back(0xFF000000u | (uint32_t(row[3 * x]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x + 2]);
    return;
  }
  const bool inverted = info->saw_Adobe_marker;
  for (size_t x = 0; x < width; ++x) {
    const uint8_t* p = row + 4 * x;
    const unsigned k = inverted ? p[3] : 255u - p[3];
    uint32_t v = 0xFF000000u;
    for (int c = 0; c < 3; ++c) v |= uint32_t(product(inverted ? p[c] : 255u - p[c], k)) << (16 - 8 * c);
    argb.push_back(v);
  }
}

// Runs the decoder; every buffer lives in the caller's frame, so that a jump
// back here after an error leaves them intact for their destructors.
bool run(jpeg_decompress_struct* info, JpegErrors* errors, const uint8_t* bytes, size_t size,
         const PictureFit& fit, std::vector<uint8_t>& row, std::vector<uint32_t>& argb) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(info);
  info->mem->max_memory_to_use = BASE_MEMORY + MEMORY_PER_FILE_BYTE * long(size);
  jpeg_mem_src(info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(info, TRUE);
  if (!acceptablePictureSides(info->image_width, info->image_height)) return false;
  const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
  info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  // Scaled by eighths while decoding, no smaller than the fit needs.
  const int32_t f = reductionFor(info->image_width, info->image_height, fit);
  if (f > 1) {
    info->scale_num = static_cast<unsigned>((8 + f - 1) / f);
    info->scale_denom = 8;
  }
  jpeg_start_decompress(info);
  if (info->output_components != (cmyk ? 4 : 3)) return false;
  const size_t width = info->output_width;
  row.resize(width * size_t(info->output_components));
  // Rows are kept as they come: memory grows only with what the file held.
  argb.reserve(width * info->output_height);
  while (info->output_scanline < info->output_height) {
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(info, rows, 1) != 1) return false;
    appendRow(info, row.data(), argb);
  }
  const bool whole = !errors->hitEnd || complete(info);
  jpeg_finish_decompress(info);
  return whole;
}

}  // namespace

bool JpegDecoder::recognises(const uint8_t* bytes, size_t size) {
  return bytes && size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

bool JpegDecoder::decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit) {
  if (!out) return false;
  *out = DecodedPicture{};
  if (!recognises(bytes, size)) return false;
  jpeg_decompress_struct info;
  std::memset(&info, 0, sizeof info);  // destroying it is safe even when creating it failed
  JpegErrors errors;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = failed;
  errors.manager.emit_message = message;
  std::vector<uint8_t> row;
  std::vector<uint32_t> argb;
  const bool ok = run(&info, &errors, bytes, size, fit, row, argb);
  const int32_t width = static_cast<int32_t>(info.output_width);
  const int32_t height = static_cast<int32_t>(info.output_height);
  jpeg_destroy_decompress(&info);
  if (!ok) return false;
  out->argb = std::move(argb);
  out->width = width;
  out->height = height;
  out->header = plainHeader(width, height, 24);
  return true;
}

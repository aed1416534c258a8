#include "os/datatypes/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void failed(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

// Level -1 is a warning about the data (premature end, corrupt segment).
void message(j_common_ptr info, int level) {
  if (level < 0) failed(info);
}

// Runs the decoder; every buffer lives in the caller's frame, so that a jump
// back here after an error leaves them intact for their destructors.
bool run(jpeg_decompress_struct* info, JpegErrors* errors, const uint8_t* bytes, size_t size,
         std::vector<uint8_t>& row, std::vector<uint32_t>& argb) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(info, TRUE);
  if (!acceptablePictureSize(info->image_width, info->image_height)) return false;
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  if (info->output_components != 3) return false;
  const size_t width = info->output_width;
  row.resize(width * 3);
  argb.resize(width * info->output_height);
  while (info->output_scanline < info->output_height) {
    const size_t y = info->output_scanline;
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(info, rows, 1) != 1) return false;
    for (size_t x = 0; x < width; ++x)
      argb[y * width + x] =
          0xFF000000u | (uint32_t(row[3 * x]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x + 2];
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

bool JpegDecoder::recognises(const uint8_t* bytes, size_t size) {
  return bytes && size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

bool JpegDecoder::decode(const uint8_t* bytes, size_t size, DecodedPicture* out) {
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
  const bool ok = run(&info, &errors, bytes, size, row, argb);
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

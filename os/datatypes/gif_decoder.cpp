#include "os/datatypes/gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct MemoryInput {
  const uint8_t* bytes;
  size_t size;
  size_t pos;
};

int readInput(GifFileType* gif, GifByteType* buffer, int length) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  if (length <= 0) return 0;
  const size_t n = std::min(size_t(length), in->size - in->pos);
  std::memcpy(buffer, in->bytes + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

// The see-through colour index of a graphics control block, or -1.
int transparentIndex(const GifByteType* block) {
  if (!block || block[0] < 4) return -1;
  return (block[1] & 1) ? block[4] : -1;
}

// Reads the first image onto its part of the logical screen: the canvas
// reaches from the screen's top left corner as far as the image covers it,
// never beyond, so a screen far larger than its image costs nothing. A
// canvas larger than the fit is reduced to every f-th pixel of every f-th
// row. False on any error, or when the image lies wholly off the screen.
bool readFirstImage(GifFileType* gif, const PictureFit& fit, std::vector<GifPixelType>& line, DecodedPicture* out) {
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
    if (type == TERMINATE_RECORD_TYPE) return false;  // no image at all
    if (type == EXTENSION_RECORD_TYPE) {
      int code;
      GifByteType* block;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
      if (code == GRAPHICS_EXT_FUNC_CODE) transparent = transparentIndex(block);
      while (block)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
    const GifImageDesc& d = gif->Image;
    if (!acceptablePictureSides(d.Width, d.Height)) return false;
    const ColorMapObject* colours = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!colours || !colours->Colors) return false;
    const int64_t canvasWidth = std::min<int64_t>(gif->SWidth, int64_t(d.Left) + d.Width);
    const int64_t canvasHeight = std::min<int64_t>(gif->SHeight, int64_t(d.Top) + d.Height);
    if (canvasWidth <= d.Left || canvasHeight <= d.Top) return false;
    const int32_t f = reductionFor(canvasWidth, canvasHeight, fit);
    out->width = reducedSide(canvasWidth, f);
    out->height = reducedSide(canvasHeight, f);
    out->argb.assign(size_t(out->width) * size_t(out->height), 0);
    line.resize(size_t(d.Width));
    // Interlaced rows come in four passes.
    std::vector<int> rows;
    if (d.Interlace) {
      const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < d.Height; y += steps[pass]) rows.push_back(y);
    } else {
      for (int y = 0; y < d.Height; ++y) rows.push_back(y);
    }
    for (int y : rows) {
      if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return false;
      const int64_t cy = int64_t(d.Top) + y;
      if (cy < 0 || cy >= canvasHeight || cy % f) continue;
      uint32_t* target = out->argb.data() + size_t(cy / f) * size_t(out->width);
      for (int64_t ox = 0; ox < out->width; ++ox) {
        const int64_t x = ox * f - d.Left;
        if (x < 0 || x >= d.Width) continue;
        const int index = line[size_t(x)];
        uint32_t argb = 0xFF000000u;  // an index past the colour map shows black
        if (index == transparent) argb = 0;
        else if (index < colours->ColorCount) {
          const GifColorType& c = colours->Colors[index];
          argb |= (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
        }
        target[ox] = argb;
      }
    }
    return true;
  }
}

}  // namespace

bool GifDecoder::recognises(const uint8_t* bytes, size_t size) {
  return bytes && size >= 6 && (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0);
}

bool GifDecoder::decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit) {
  if (!out) return false;
  *out = DecodedPicture{};
  if (!recognises(bytes, size)) return false;
  MemoryInput in{bytes, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&in, readInput, &error);
  if (!gif) return false;
  std::vector<GifPixelType> line;
  const bool ok = acceptablePictureSides(gif->SWidth, gif->SHeight) && readFirstImage(gif, fit, line, out);
  DGifCloseFile(gif, &error);
  if (!ok) {
    *out = DecodedPicture{};
    return false;
  }
  out->header = plainHeader(out->width, out->height, 8);
  return true;
}

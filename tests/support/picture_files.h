// Writes picture files for tests: IFF ILBM by our own writer (plain or
// ByteRun1 packed), and PNG, JPEG and GIF through their libraries, so that
// the readers are checked against files they did not make themselves.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct IlbmFile {
  uint16_t width = 4, height = 2;
  uint8_t planes = 1;
  uint8_t masking = 0;      // 1: a mask plane from `mask`; 2: `transparent` is see-through
  uint8_t compression = 0;  // 1: ByteRun1
  uint16_t transparent = 0;
  std::optional<uint32_t> camg;
  std::vector<uint32_t> cmap;  // 0xRRGGBB each; empty: no CMAP chunk
  // The value of each pixel, row by row: a pen (up to 8 planes), or
  // plane 0 .. planes-1 as bit 0 .. planes-1 (24 and 32 planes).
  std::vector<uint32_t> pixels;
  std::vector<bool> mask;  // masking 1: false is see-through
  // Extra chunks written before BODY: id and contents (odd lengths get a pad byte).
  std::vector<std::pair<std::string, std::string>> extraChunks;
  // When not empty: the BODY as it is written (packed or not as `compression`
  // says), instead of one made from `pixels`.
  std::vector<uint8_t> body;

  std::vector<uint8_t> bytes() const;
  // The planes of BODY as stored (before packing).
  std::vector<uint8_t> planeData() const;
};

// ByteRun1 packing of a row of bytes.
std::vector<uint8_t> packByteRun1(const std::vector<uint8_t>& row);

// width * height ARGB pixels to a file of each kind; alpha only in PNG.
std::vector<uint8_t> pngFile(int width, int height, const std::vector<uint32_t>& argb);
std::vector<uint8_t> jpegFile(int width, int height, const std::vector<uint32_t>& argb, bool progressive = false);
// A CMYK JPEG of the values 0xCCMMYYKK as stored; with an Adobe marker (the
// form that stores them inverted) or without one.
std::vector<uint8_t> cmykJpegFile(int width, int height, const std::vector<uint32_t>& cmyk, bool adobeMarker);
// A 16-bit RGB PNG of three samples a pixel, written without gAMA, sRGB or
// any other colour chunk.
std::vector<uint8_t> png16File(int width, int height, const std::vector<uint16_t>& rgb);
// One PNG chunk: its length, type, data and CRC.
std::vector<uint8_t> pngChunk(const char* type, const std::vector<uint8_t>& data);
// A PNG file of the chunks given, after the signature (no chunk is added).
std::vector<uint8_t> pngOfChunks(const std::vector<std::vector<uint8_t>>& chunks);
// GIF of pens with a palette (0xRRGGBB), pen `transparent` see-through when >= 0.
std::vector<uint8_t> gifFile(int width, int height, const std::vector<uint8_t>& pens,
                             const std::vector<uint32_t>& palette, int transparent = -1, bool interlaced = false);

void writeBytes(const std::string& linuxPath, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readBytes(const std::string& linuxPath);

// Writes Workbench icon files (".info") in the classic on-disk format, for
// tests that need real icons: a project with a default tool, a drawer, a file
// to mutate.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct InfoImage {
  int16_t left = 0, top = 0;
  int16_t width = 4, height = 2, depth = 2;
  uint8_t planePick = 3, planeOnOff = 0;
  // Palette index of each pixel, row by row (width * height); missing pixels are 0.
  std::vector<uint8_t> pixels;
};

struct InfoFile {
  uint8_t type = 4;  // project
  std::optional<std::string> defaultTool;
  std::optional<std::vector<std::string>> toolTypes;
  std::optional<std::string> toolWindow;
  bool drawerData = false;
  uint32_t revision = 1;  // the gadget's user data
  int32_t currentX = 10, currentY = 20;
  int32_t stackSize = 4096;
  int16_t drawerLeft = 50, drawerTop = 60, drawerWidth = 300, drawerHeight = 200;
  uint32_t drawerFlags = 2;
  uint16_t drawerViewModes = 1;
  std::optional<InfoImage> image = InfoImage{};
  std::optional<InfoImage> selectedImage;
  // Bytes appended after the classic icon: a FORM ICON with colour images.
  std::vector<uint8_t> colourImages;

  std::vector<uint8_t> bytes() const;
  // Writes bytes() to the Linux path; false when it cannot.
  bool writeTo(const std::string& linuxPath) const;
};

// The colour images appended to a classic icon (FORM ICON: FACE, then one
// IMAG chunk per image).
struct ColourImage {
  std::vector<uint8_t> pens;      // width * height
  std::vector<uint32_t> palette;  // 0xRRGGBB; empty: the previous image's
  int transparent = -1;           // the see-through pen, or -1
  uint8_t depth = 8;              // bits a pen when packed
  bool packed = true;
};
struct ColourIconForm {
  int width = 2, height = 2;
  bool frameless = false;
  std::vector<ColourImage> images;
  std::vector<uint8_t> bytes() const;
  // Run-length packing of values of `depth` bits.
  static std::vector<uint8_t> packBits(const std::vector<uint8_t>& values, uint8_t depth);
};

// A NewIcons image as the tool types carry it: pens into a palette, pen 0
// see-through when `seeThrough`.
struct NewIconsImage {
  int width = 2, height = 2;
  std::vector<uint32_t> palette;  // 0xRRGGBB
  std::vector<uint8_t> pens;      // width * height
  bool seeThrough = true;
  // The "IM1=" (or "IM2=") lines: the header and palette line(s), then the
  // pixel lines, each at most 127 characters; runs of zero bits packed.
  std::vector<std::string> lines(int number) const;
};
// The tool types of a NewIcons icon: a blank line, the marker line, then the
// lines of each image.
std::vector<std::string> newIconsToolTypes(const NewIconsImage& normal, const NewIconsImage* selected = nullptr);

// A PNG icon: each image a PNG of its ARGB pixels; the first carries an icOn
// chunk of these tags (after its IHDR) when there are any.
struct PngIconTag {
  uint32_t tag;
  uint32_t value = 0;
  std::string text;  // the default tool, a tool type, the tool window
};
std::vector<uint8_t> pngIconFile(int width, int height, const std::vector<uint32_t>& normal,
                                 const std::vector<uint32_t>* selected, const std::vector<PngIconTag>& tags);

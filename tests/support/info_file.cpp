#include "tests/support/info_file.h"

#include "tests/support/picture_files.h"

#include <fstream>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v >> 16);
  put16(out, v & 0xFFFF);
}
void putString(std::vector<uint8_t>& out, const std::string& s) {
  put32(out, static_cast<uint32_t>(s.size() + 1));
  out.insert(out.end(), s.begin(), s.end());
  out.push_back(0);
}

void putImage(std::vector<uint8_t>& out, const InfoImage& im) {
  put16(out, static_cast<uint16_t>(im.left));
  put16(out, static_cast<uint16_t>(im.top));
  put16(out, static_cast<uint16_t>(im.width));
  put16(out, static_cast<uint16_t>(im.height));
  put16(out, static_cast<uint16_t>(im.depth));
  put32(out, 1);  // image data follows
  out.push_back(im.planePick);
  out.push_back(im.planeOnOff);
  put32(out, 0);
  const int words = (im.width + 15) / 16;
  for (int plane = 0; plane < im.depth; ++plane) {
    for (int y = 0; y < im.height; ++y) {
      for (int w = 0; w < words; ++w) {
        uint16_t word = 0;
        for (int bit = 0; bit < 16; ++bit) {
          const int x = w * 16 + bit;
          if (x >= im.width) break;
          const size_t at = static_cast<size_t>(y * im.width + x);
          const uint8_t index = at < im.pixels.size() ? im.pixels[at] : 0;
          if ((index >> plane) & 1) word |= static_cast<uint16_t>(0x8000 >> bit);
        }
        put16(out, word);
      }
    }
  }
}

}  // namespace

std::vector<uint8_t> InfoFile::bytes() const {
  std::vector<uint8_t> out;
  put16(out, 0xE310);
  put16(out, 1);
  // The gadget record.
  put32(out, 0);  // next gadget
  put16(out, 0);  // left, top
  put16(out, 0);
  put16(out, image ? static_cast<uint16_t>(image->width) : 0);
  put16(out, image ? static_cast<uint16_t>(image->height) : 0);
  put16(out, selectedImage ? 6 : 5);  // flags: highlight by image or by complement
  put16(out, 3);                      // activation
  put16(out, 1);                      // gadget type
  put32(out, image ? 1 : 0);
  put32(out, selectedImage ? 1 : 0);
  put32(out, 0);  // text
  put32(out, 0);  // mutual exclude
  put32(out, 0);  // special info
  put16(out, 0);  // id
  put32(out, revision);
  out.push_back(type);
  out.push_back(0);
  put32(out, defaultTool ? 1 : 0);
  put32(out, toolTypes ? 1 : 0);
  put32(out, static_cast<uint32_t>(currentX));
  put32(out, static_cast<uint32_t>(currentY));
  put32(out, drawerData ? 1 : 0);
  put32(out, toolWindow ? 1 : 0);
  put32(out, static_cast<uint32_t>(stackSize));
  if (drawerData) {
    put16(out, static_cast<uint16_t>(drawerLeft));
    put16(out, static_cast<uint16_t>(drawerTop));
    put16(out, static_cast<uint16_t>(drawerWidth));
    put16(out, static_cast<uint16_t>(drawerHeight));
    out.push_back(0xFF);
    out.push_back(0xFF);
    put32(out, 0);  // IDCMP
    put32(out, 0x0240027F);  // window flags
    for (int i = 0; i < 5; ++i) put32(out, 0);  // pointers
    put16(out, 90);
    put16(out, 40);
    put16(out, 0xFFFF);
    put16(out, 0xFFFF);
    put16(out, 1);
    put32(out, 0);  // current x, y of the drawer's view
    put32(out, 0);
  }
  if (image) putImage(out, *image);
  if (selectedImage) putImage(out, *selectedImage);
  if (defaultTool) putString(out, *defaultTool);
  if (toolTypes) {
    put32(out, static_cast<uint32_t>((toolTypes->size() + 1) * 4));
    for (const std::string& t : *toolTypes) putString(out, t);
  }
  if (toolWindow) putString(out, *toolWindow);
  if (drawerData && revision == 1) {
    put32(out, drawerFlags);
    put16(out, drawerViewModes);
  }
  out.insert(out.end(), colourImages.begin(), colourImages.end());
  return out;
}

std::vector<uint8_t> ColourIconForm::bytes() const {
  std::vector<uint8_t> form{'I', 'C', 'O', 'N'};
  auto chunk = [&](const char* id, const std::vector<uint8_t>& data) {
    form.insert(form.end(), id, id + 4);
    put32(form, static_cast<uint32_t>(data.size()));
    form.insert(form.end(), data.begin(), data.end());
    if (data.size() & 1) form.push_back(0);
  };
  chunk("FACE", {static_cast<uint8_t>(width - 1), static_cast<uint8_t>(height - 1), frameless ? uint8_t(1) : uint8_t(0),
                 0x11, 0, 0});
  for (const ColourImage& im : images) {
    std::vector<uint8_t> pixelData = im.packed ? packBits(im.pens, im.depth) : im.pens;
    std::vector<uint8_t> paletteData;
    for (uint32_t rgb : im.palette)
      paletteData.insert(paletteData.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    if (im.packed && !paletteData.empty()) paletteData = packBits(paletteData, 8);
    std::vector<uint8_t> imag;
    imag.push_back(static_cast<uint8_t>(im.transparent < 0 ? 0 : im.transparent));
    imag.push_back(static_cast<uint8_t>(im.palette.empty() ? 0 : im.palette.size() - 1));
    imag.push_back(static_cast<uint8_t>((im.transparent >= 0 ? 1 : 0) | (im.palette.empty() ? 0 : 2)));
    imag.push_back(im.packed ? 1 : 0);
    imag.push_back(im.packed ? 1 : 0);
    imag.push_back(im.depth);
    put16(imag, static_cast<uint16_t>(pixelData.size() - 1));
    put16(imag, static_cast<uint16_t>(paletteData.empty() ? 0 : paletteData.size() - 1));
    imag.insert(imag.end(), pixelData.begin(), pixelData.end());
    imag.insert(imag.end(), paletteData.begin(), paletteData.end());
    chunk("IMAG", imag);
  }
  std::vector<uint8_t> out{'F', 'O', 'R', 'M'};
  put32(out, static_cast<uint32_t>(form.size()));
  out.insert(out.end(), form.begin(), form.end());
  return out;
}

std::vector<uint8_t> ColourIconForm::packBits(const std::vector<uint8_t>& values, uint8_t depth) {
  // Repeats become runs, everything else literal runs; values of `depth`
  // bits are packed highest bit first after 8-bit control codes.
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int bits = 0;
  auto put = [&](uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) {
      acc = (acc << 1) | ((v >> i) & 1);
      if (++bits == 8) {
        out.push_back(static_cast<uint8_t>(acc));
        acc = 0;
        bits = 0;
      }
    }
  };
  size_t i = 0;
  while (i < values.size()) {
    size_t run = 1;
    while (i + run < values.size() && values[i + run] == values[i] && run < 128) ++run;
    if (run >= 2) {
      put(257 - run, 8);
      put(values[i], depth);
      i += run;
      continue;
    }
    size_t literal = 1;
    while (i + literal < values.size() && literal < 128 &&
           !(i + literal + 1 < values.size() && values[i + literal] == values[i + literal + 1]))
      ++literal;
    put(static_cast<uint32_t>(literal - 1), 8);
    for (size_t k = 0; k < literal; ++k) put(values[i + k], depth);
    i += literal;
  }
  if (bits) put(0, 8 - bits);
  return out;
}

bool InfoFile::writeTo(const std::string& linuxPath) const {
  const std::vector<uint8_t> data = bytes();
  std::ofstream out(linuxPath, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out);
}

namespace {

// Seven bits a character: 0x00-0x4F as 0x20-0x6F, 0x50-0x7F as 0xA1-0xD0; a
// run of n all-zero characters (n up to 47) as 0xD0 + n. Lines hold at most
// 127 characters, "IMn=" included.
class NewIconsLineWriter {
 public:
  NewIconsLineWriter(std::vector<std::string>& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}
  // A value never straddles two lines: the reader drops what a line leaves.
  void put(uint32_t value, unsigned bits) {
    const size_t used = line_.size() + (zeros_ ? 1 : 0) + (count_ ? 1 : 0);
    const size_t room = (used >= 127 ? 0 : (127 - used) * 7) + (count_ ? 7 - count_ : 0);
    if (bits > room) endLine();
    for (int b = int(bits) - 1; b >= 0; --b) {
      acc_ = (acc_ << 1) | ((value >> b) & 1);
      if (++count_ == 7) emit();
    }
  }
  // Ends the line: the bits left are padded with zeros.
  void endLine() {
    if (count_) {
      acc_ <<= 7 - count_;
      count_ = 7;
      emit();
    }
    flushZeros();
    if (line_.size() > prefix_.size() || !started_) out_.push_back(line_);
    line_ = prefix_;
    started_ = true;
  }
  void startWith(const std::string& header) { line_ = prefix_ + header; }

 private:
  void emit() {
    const uint32_t v = acc_ & 0x7F;
    acc_ = 0;
    count_ = 0;
    if (v == 0) {
      if (++zeros_ == 47) flushZeros();
      return;
    }
    flushZeros();
    add(char(v < 0x50 ? 0x20 + v : 0xA1 + (v - 0x50)));
  }
  void flushZeros() {
    if (zeros_ == 1) add(0x20);
    else if (zeros_ > 1) add(char(0xD0 + zeros_));
    zeros_ = 0;
  }
  void add(char c) { line_ += c; }
  std::vector<std::string>& out_;
  std::string prefix_;
  std::string line_;
  uint32_t acc_ = 0;
  unsigned count_ = 0;
  unsigned zeros_ = 0;
  bool started_ = false;
};

}  // namespace

std::vector<std::string> NewIconsImage::lines(int number) const {
  std::vector<std::string> out;
  const std::string prefix = "IM" + std::to_string(number) + "=";
  const int colours = int(palette.size());
  unsigned bits = 1;
  while ((1 << bits) < colours) ++bits;
  std::string header;
  header += seeThrough ? 'B' : 'C';
  header += char(width + 0x21);
  header += char(height + 0x21);
  header += char((colours >> 6) + 0x21);
  header += char((colours & 0x3F) + 0x21);
  NewIconsLineWriter w(out, prefix);
  w.startWith(header);
  for (uint32_t rgb : palette) {
    w.put(rgb >> 16 & 0xFF, 8);
    w.put(rgb >> 8 & 0xFF, 8);
    w.put(rgb & 0xFF, 8);
  }
  w.endLine();
  for (uint8_t pen : pens) w.put(pen, bits);
  w.endLine();
  return out;
}

std::vector<std::string> newIconsToolTypes(const NewIconsImage& normal, const NewIconsImage* selected) {
  std::vector<std::string> out = {" ", "*** DON'T EDIT THE FOLLOWING LINES!! ***"};
  for (const std::string& l : normal.lines(1)) out.push_back(l);
  if (selected)
    for (const std::string& l : selected->lines(2)) out.push_back(l);
  return out;
}

std::vector<uint8_t> pngIconFile(int width, int height, const std::vector<uint32_t>& normal,
                                 const std::vector<uint32_t>* selected, const std::vector<PngIconTag>& tags) {
  std::vector<uint8_t> out = pngFile(width, height, normal);
  if (!tags.empty()) {
    std::vector<uint8_t> data;
    for (const PngIconTag& t : tags) {
      put32(data, t.tag);
      const bool text = t.tag == 0x80001008 || t.tag == 0x8000100A || t.tag == 0x8000100B;
      if (text) {
        data.insert(data.end(), t.text.begin(), t.text.end());
        data.push_back(0);
      } else {
        put32(data, t.value);
      }
    }
    const std::vector<uint8_t> chunk = pngChunk("icOn", data);
    const size_t afterIhdr = 8 + 12 + 13;
    out.insert(out.begin() + long(afterIhdr), chunk.begin(), chunk.end());
  }
  if (selected) {
    const std::vector<uint8_t> second = pngFile(width, height, *selected);
    out.insert(out.end(), second.begin(), second.end());
  }
  return out;
}

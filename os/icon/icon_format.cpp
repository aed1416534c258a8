#include "os/icon/icon_format.h"

#include <cstring>
#include <memory>
#include <vector>

#include "os/dos/read_all.h"
#include "os/icon/colour_icon.h"
#include "os/icon/new_icons.h"
#include "os/icon/png_icon.h"
#include "os/iff/iff_form.h"

namespace {

// The fixed sizes of the records as stored (big-endian, 16-bit alignment).
constexpr size_t DISK_OBJECT_SIZE = 78;
constexpr size_t DRAWER_DATA_SIZE = 56;
constexpr size_t DRAWER_DATA_EXTENSION_SIZE = 6;
constexpr size_t IMAGE_SIZE = 20;
constexpr int32_t MAX_IMAGE_SIDE = 1024;
constexpr int32_t MAX_IMAGE_DEPTH = 8;

// A read position in a byte buffer that never moves past its end.
class ByteReader {
 public:
  ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

  // Points *at at the next n bytes and moves past them; false when fewer are left.
  bool take(size_t n, const uint8_t** at) {
    if (n > size_ - pos_) return false;
    *at = bytes_ + pos_;
    pos_ += n;
    return true;
  }
  size_t left() const { return size_ - pos_; }
  const uint8_t* here() const { return bytes_ + pos_; }

 private:
  const uint8_t* bytes_;
  size_t size_;
  size_t pos_ = 0;
};

uint16_t be16(const uint8_t* p) { return readBE16(p); }
uint32_t be32(const uint8_t* p) { return readBE32(p); }
int16_t sbe16(const uint8_t* p) { return static_cast<int16_t>(be16(p)); }
int32_t sbe32(const uint8_t* p) { return static_cast<int32_t>(be32(p)); }

struct DecodedImage {
  Image image{};
  std::vector<uint16_t> planes;
  std::vector<uint32_t> argb;
};

int32_t liveIcons = 0;

// The icon as handed out: the public record first, what it points at after.
struct LoadedIcon : DiskObject {
  // The public record starts zeroed: parts the file lacks stay NIL.
  LoadedIcon() : DiskObject{} { ++liveIcons; }
  ~LoadedIcon() { --liveIcons; }
  LoadedIcon(const LoadedIcon&) = delete;
  LoadedIcon& operator=(const LoadedIcon&) = delete;
  DrawerData drawer{};
  DecodedImage images[2];
  std::vector<std::unique_ptr<char[]>> strings;
  std::vector<char*> toolTypes;
  ColourIcon colour;
  // The full-colour images of NewIcons tool types, or of a PNG icon.
  IconImage fullColour[2];
  int32_t fullColourCount = 0;
};

char* keepString(LoadedIcon& icon, const uint8_t* text, size_t length) {
  const size_t n = strnlen(reinterpret_cast<const char*>(text), length);
  auto copy = std::make_unique<char[]>(n + 1);
  std::memcpy(copy.get(), text, n);
  copy[n] = '\0';
  icon.strings.push_back(std::move(copy));
  return icon.strings.back().get();
}

// A string stored as its length (the final NUL counted) and its bytes.
bool readString(ByteReader& in, LoadedIcon& icon, char** out) {
  const uint8_t* p;
  if (!in.take(4, &p)) return false;
  const uint32_t length = be32(p);
  if (length > in.left() || !in.take(length, &p)) return false;
  *out = keepString(icon, p, length);
  return true;
}

void readNewWindow(const uint8_t* p, NewWindow& w) {
  w.LeftEdge = sbe16(p + 0);
  w.TopEdge = sbe16(p + 2);
  w.Width = sbe16(p + 4);
  w.Height = sbe16(p + 6);
  w.DetailPen = p[8];
  w.BlockPen = p[9];
  w.IDCMPFlags = be32(p + 10);
  w.Flags = be32(p + 14);
  // The five pointers at 18..37 mean nothing on disk.
  w.MinWidth = sbe16(p + 38);
  w.MinHeight = sbe16(p + 40);
  w.MaxWidth = be16(p + 42);
  w.MaxHeight = be16(p + 44);
  w.Type = be16(p + 46);
}

// Turns the planes into palette colours. Destination plane k takes the next
// data plane when bit k of PlanePick is set, else bit k of PlaneOnOff.
void decodePixels(DecodedImage& d) {
  const Image& im = d.image;
  const size_t wordsPerRow = (static_cast<size_t>(im.Width) + 15) / 16;
  const size_t planeWords = wordsPerRow * static_cast<size_t>(im.Height);
  const size_t dataPlanes = im.ImageData ? static_cast<size_t>(im.Depth) : 0;
  d.argb.assign(static_cast<size_t>(im.Width) * static_cast<size_t>(im.Height), 0);
  for (int32_t y = 0; y < im.Height; ++y) {
    for (int32_t x = 0; x < im.Width; ++x) {
      unsigned index = 0;
      size_t dataPlane = 0;
      for (unsigned k = 0; k < 8; ++k) {
        unsigned bit;
        if (im.PlanePick & (1u << k)) {
          if (dataPlane >= dataPlanes) {
            bit = 0;
          } else {
            const uint16_t word = d.planes[dataPlane * planeWords + static_cast<size_t>(y) * wordsPerRow + x / 16];
            bit = (word >> (15 - x % 16)) & 1;
          }
          ++dataPlane;
        } else {
          bit = (im.PlaneOnOff >> k) & 1;
        }
        index |= bit << k;
      }
      d.argb[static_cast<size_t>(y) * im.Width + x] = ICON_PALETTE_ARGB[index & 7];
    }
  }
}

bool readImage(ByteReader& in, DecodedImage& d) {
  const uint8_t* p;
  if (!in.take(IMAGE_SIZE, &p)) return false;
  Image& im = d.image;
  im.LeftEdge = sbe16(p + 0);
  im.TopEdge = sbe16(p + 2);
  im.Width = sbe16(p + 4);
  im.Height = sbe16(p + 6);
  im.Depth = sbe16(p + 8);
  const bool hasData = be32(p + 10) != 0;
  im.PlanePick = p[14];
  im.PlaneOnOff = p[15];
  im.NextImage = nullptr;
  if (im.Width < 0 || im.Height < 0 || im.Width > MAX_IMAGE_SIDE || im.Height > MAX_IMAGE_SIDE) return false;
  if (im.Depth < 0 || im.Depth > MAX_IMAGE_DEPTH) return false;
  if (hasData) {
    const size_t words = static_cast<size_t>(im.Depth) * static_cast<size_t>(im.Height) *
                         ((static_cast<size_t>(im.Width) + 15) / 16);
    if (words > in.left() / 2 || !in.take(words * 2, &p)) return false;
    d.planes.resize(words);
    for (size_t i = 0; i < words; ++i) d.planes[i] = be16(p + 2 * i);
    im.ImageData = d.planes.empty() ? nullptr : d.planes.data();
  }
  decodePixels(d);
  return true;
}

bool readToolTypes(ByteReader& in, LoadedIcon& icon) {
  const uint8_t* p;
  if (!in.take(4, &p)) return false;
  // Stored as the size of the pointer table: (entries + 1) * 4.
  const uint32_t tableSize = be32(p);
  if (tableSize < 4 || tableSize % 4 != 0) return false;
  const size_t entries = tableSize / 4 - 1;
  if (entries > in.left() / 4) return false;  // every entry takes at least its length word
  icon.toolTypes.reserve(entries + 1);
  for (size_t i = 0; i < entries; ++i) {
    char* entry;
    if (!readString(in, icon, &entry)) return false;
    icon.toolTypes.push_back(entry);
  }
  icon.toolTypes.push_back(nullptr);
  icon.do_ToolTypes = icon.toolTypes.data();
  return true;
}

bool parseInto(ByteReader& in, LoadedIcon& icon) {
  const uint8_t* p;
  if (!in.take(DISK_OBJECT_SIZE, &p)) return false;
  icon.do_Magic = be16(p + 0);
  icon.do_Version = be16(p + 2);
  if (icon.do_Magic != WB_DISKMAGIC || icon.do_Version != WB_DISKVERSION) return false;

  Gadget& g = icon.do_Gadget;
  const uint8_t* gp = p + 4;
  g.NextGadget = nullptr;
  g.LeftEdge = sbe16(gp + 4);
  g.TopEdge = sbe16(gp + 6);
  g.Width = sbe16(gp + 8);
  g.Height = sbe16(gp + 10);
  g.Flags = be16(gp + 12);
  g.Activation = be16(gp + 14);
  g.GadgetType = be16(gp + 16);
  const bool hasRender = be32(gp + 18) != 0;
  const bool hasSelect = be32(gp + 22) != 0;
  g.MutualExclude = sbe32(gp + 30);
  g.GadgetID = be16(gp + 38);
  const uint32_t revision = be32(gp + 40);
  g.UserData = reinterpret_cast<void*>(static_cast<uintptr_t>(revision));

  icon.do_Type = p[48];
  if (icon.do_Type < WBDISK || icon.do_Type > WBAPPICON) return false;
  // The pointer fields of the file only say whether the part follows.
  const bool hasDefaultTool = be32(p + 50) != 0;
  const bool hasToolTypes = be32(p + 54) != 0;
  icon.do_CurrentX = sbe32(p + 58);
  icon.do_CurrentY = sbe32(p + 62);
  const bool hasDrawer = be32(p + 66) != 0;
  const bool hasToolWindow = be32(p + 70) != 0;
  icon.do_StackSize = sbe32(p + 74);

  if (hasDrawer) {
    if (!in.take(DRAWER_DATA_SIZE, &p)) return false;
    readNewWindow(p, icon.drawer.dd_NewWindow);
    icon.drawer.dd_CurrentX = sbe32(p + 48);
    icon.drawer.dd_CurrentY = sbe32(p + 52);
    icon.do_DrawerData = &icon.drawer;
  }
  if (hasRender) {
    if (!readImage(in, icon.images[0])) return false;
    g.GadgetRender = &icon.images[0].image;
  }
  if (hasSelect) {
    if (!readImage(in, icon.images[1])) return false;
    g.SelectRender = &icon.images[1].image;
  }
  if (hasDefaultTool && !readString(in, icon, &icon.do_DefaultTool)) return false;
  if (hasToolTypes && !readToolTypes(in, icon)) return false;
  if (hasToolWindow && !readString(in, icon, &icon.do_ToolWindow)) return false;
  if (hasDrawer && revision == WB_DISKREVISION) {
    if (!in.take(DRAWER_DATA_EXTENSION_SIZE, &p)) return false;
    icon.drawer.dd_Flags = be32(p);
    icon.drawer.dd_ViewModes = be16(p + 4);
  }
  // Colour images may follow. A broken colour part leaves the icon as it
  // stands: its classic images, tool and tool types are still good.
  if (ColourIconReader::recognises(in.here(), in.left()) && !ColourIconReader::read(in.here(), in.left(), &icon.colour))
    icon.colour = ColourIcon{};
  // So may NewIcons images in the tool types.
  icon.fullColourCount = NewIconsReader::read(icon.do_ToolTypes, icon.fullColour);
  return true;
}

// A PNG icon: its images, and from its icOn chunk what a classic icon keeps
// in its records. Without a type it is a project.
bool readPngIcon(const uint8_t* bytes, size_t size, LoadedIcon& icon) {
  PngIcon png;
  if (!PngIconReader::read(bytes, size, &png)) return false;
  icon.do_Magic = WB_DISKMAGIC;
  icon.do_Version = WB_DISKVERSION;
  icon.do_Gadget.Width = int16_t(png.images[0].width);
  icon.do_Gadget.Height = int16_t(png.images[0].height);
  icon.do_Gadget.UserData = reinterpret_cast<void*>(WB_DISKREVISION);
  const uint32_t type = png.value(ICON_ATTR_TYPE).value_or(WBPROJECT);
  icon.do_Type = type >= WBDISK && type <= WBAPPICON ? uint8_t(type) : WBPROJECT;
  icon.do_CurrentX = int32_t(png.value(ICON_ATTR_ICONX).value_or(uint32_t(NO_ICON_POSITION)));
  icon.do_CurrentY = int32_t(png.value(ICON_ATTR_ICONY).value_or(uint32_t(NO_ICON_POSITION)));
  icon.do_StackSize = int32_t(png.value(ICON_ATTR_STACKSIZE).value_or(0));
  const auto keep = [&](const std::string& text) {
    return keepString(icon, reinterpret_cast<const uint8_t*>(text.c_str()), text.size() + 1);
  };
  if (png.defaultTool) icon.do_DefaultTool = keep(*png.defaultTool);
  if (png.toolWindow) icon.do_ToolWindow = keep(*png.toolWindow);
  if (!png.toolTypes.empty()) {
    for (const std::string& t : png.toolTypes) icon.toolTypes.push_back(keep(t));
    icon.toolTypes.push_back(nullptr);
    icon.do_ToolTypes = icon.toolTypes.data();
  }
  const uint32_t drawerTags[] = {ICON_ATTR_DRAWERX,      ICON_ATTR_DRAWERY,   ICON_ATTR_DRAWERWIDTH,
                                 ICON_ATTR_DRAWERHEIGHT, ICON_ATTR_DRAWERFLAGS, ICON_ATTR_VIEWMODES,
                                 ICON_ATTR_DD_CURRENTX,  ICON_ATTR_DD_CURRENTY};
  for (uint32_t tag : drawerTags)
    if (png.value(tag)) icon.do_DrawerData = &icon.drawer;
  if (icon.do_DrawerData) {
    DrawerData& d = icon.drawer;
    d.dd_NewWindow.LeftEdge = int16_t(png.value(ICON_ATTR_DRAWERX).value_or(0));
    d.dd_NewWindow.TopEdge = int16_t(png.value(ICON_ATTR_DRAWERY).value_or(0));
    d.dd_NewWindow.Width = int16_t(png.value(ICON_ATTR_DRAWERWIDTH).value_or(0));
    d.dd_NewWindow.Height = int16_t(png.value(ICON_ATTR_DRAWERHEIGHT).value_or(0));
    d.dd_Flags = png.value(ICON_ATTR_DRAWERFLAGS).value_or(0);
    d.dd_ViewModes = uint16_t(png.value(ICON_ATTR_VIEWMODES).value_or(0));
    d.dd_CurrentX = int32_t(png.value(ICON_ATTR_DD_CURRENTX).value_or(0));
    d.dd_CurrentY = int32_t(png.value(ICON_ATTR_DD_CURRENTY).value_or(0));
  }
  icon.fullColourCount = png.imageCount;
  for (int32_t i = 0; i < png.imageCount; ++i) icon.fullColour[i] = std::move(png.images[i]);
  return true;
}

}  // namespace

// A classic icon file carries no palette: its pens are shown in the colours
// the desktop had for them, so the hosted system shows them in this fixed
// palette of its own.
const uint32_t ICON_PALETTE_ARGB[8] = {
    0x00AAAAAA,  // background, see-through
    0xFF000000, 0xFFFFFFFF, 0xFF6688BB, 0xFF999999, 0xFFBBBBBB, 0xFFBBAA99, 0xFFFFBBAA,
};

DiskObject* parseDiskObject(const uint8_t* bytes, size_t size) {
  if (!bytes) return nullptr;
  auto icon = std::make_unique<LoadedIcon>();
  if (PngIconReader::recognises(bytes, size)) return readPngIcon(bytes, size, *icon) ? icon.release() : nullptr;
  ByteReader in(bytes, size);
  if (!parseInto(in, *icon)) return nullptr;
  return icon.release();
}

DiskObject* readDiskObjectFile(const char* linuxPath) {
  std::vector<uint8_t> bytes;
  if (!readRegularFile(linuxPath, MAX_ICON_FILE_SIZE, bytes)) return nullptr;
  return parseDiskObject(bytes.data(), bytes.size());
}

void FreeDiskObject(DiskObject* icon) { delete static_cast<LoadedIcon*>(icon); }

bool GetIconPixels(const DiskObject* icon, bool selected, IconPixels* pixels) {
  if (!icon || !pixels) return false;
  const auto* loaded = static_cast<const LoadedIcon*>(icon);
  // As the systems' icon libraries pick: the colour images first, then the
  // NewIcons (or PNG) images, then the classic ones; an icon without a
  // selected image of its kind shows its normal one selected too.
  const ColourIcon& colour = loaded->colour;
  if (colour.imageCount > 0) {
    const std::vector<uint32_t>& argb = colour.argb[selected && colour.imageCount > 1 ? 1 : 0];
    pixels->left = pixels->top = 0;
    pixels->width = colour.width;
    pixels->height = colour.height;
    pixels->argb = argb.data();
    return true;
  }
  if (loaded->fullColourCount > 0) {
    const IconImage& image = loaded->fullColour[selected && loaded->fullColourCount > 1 ? 1 : 0];
    pixels->left = pixels->top = 0;
    pixels->width = image.width;
    pixels->height = image.height;
    pixels->argb = image.argb.data();
    return true;
  }
  const Image* image =
      static_cast<const Image*>(selected ? icon->do_Gadget.SelectRender : icon->do_Gadget.GadgetRender);
  if (!image) return false;
  const DecodedImage& d = loaded->images[selected ? 1 : 0];
  pixels->left = image->LeftEdge;
  pixels->top = image->TopEdge;
  pixels->width = image->Width;
  pixels->height = image->Height;
  pixels->argb = d.argb.empty() ? nullptr : d.argb.data();
  return true;
}

int32_t ostest::liveDiskObjects() { return liveIcons; }

#include "os/datatypes/datatypes.h"

#include <algorithm>
#include <string>
#include <vector>

#include "os/datatypes/picture_reader.h"
#include "os/datatypes/png_codec.h"
#include "os/datatypes/svx_reader.h"
#include "os/dos/host_paths.h"
#include "os/dos/read_all.h"
#include "os/graphics/pixel_conversion.h"

namespace {

struct PictureObject {
  uint32_t group = GID_PICTURE;
  SoundInfo sound;  // a sound's
  DecodedPicture picture;
  bool fromFile = false;
  bool withoutHeader = false;  // test hooks: a class that fails
  bool withoutDestBitMap = false;
  Screen* screen = nullptr;
  bool useFriendBitMap = false;
  bool remap = true;
  uint32_t destMode = PMODE_V42;
  BitMap* dest = nullptr;
  // A picture to be written: what PDTA_BitMap, PDTA_ColorMap and
  // PDTA_MaskBitMap named; read when it is written.
  const BitMap* source = nullptr;
  const ColorMap* colours = nullptr;
  const BitMap* mask = nullptr;
};

struct DataTypesState {
  bool nextWithoutHeader = false;
  bool nextWithoutDestBitMap = false;
  int32_t live = 0;
};

DataTypesState& state() {
  static DataTypesState s;
  return s;
}

PictureObject* picture(Object* o) { return reinterpret_cast<PictureObject*>(o); }

// The size a picture is needed at: the screen it is for, when one is named
// and has a size; else the decoders' own bound.
PictureFit fitFor(const TagItem* tags) {
  PictureFit fit;
  const auto* screen = reinterpret_cast<const Screen*>(GetTagData(PDTA_Screen, 0, tags));
  if (screen && screen->Width > 0 && screen->Height > 0) fit = PictureFit{screen->Width, screen->Height};
  return fit;
}

// Reads the file at an Amiga path into the object, as the kind its content
// says; false (IoErr set) when it is missing, of no known kind, not of the
// group wanted (0: any), or broken.
bool readFile(const char* name, uint32_t wanted, const PictureFit& fit, PictureObject* p) {
  std::string linuxPath;
  if (!HostPathOfAmigaPath(name, false, linuxPath)) return false;  // IoErr says why
  std::vector<uint8_t> bytes;
  if (!readRegularFile(linuxPath.c_str(), MAX_PICTURE_FILE_SIZE, bytes)) {
    SetIoErr(DTERROR_COULDNT_OPEN);
    return false;
  }
  if (SvxReader::recognises(bytes.data(), bytes.size())) {
    p->group = GID_SOUND;
    if (wanted && wanted != GID_SOUND) {
      SetIoErr(DTERROR_UNKNOWN_DATATYPE);
      return false;
    }
    if (SvxReader::read(bytes.data(), bytes.size(), &p->sound)) return true;
    SetIoErr(DTERROR_COULDNT_OPEN);
    return false;
  }
  if (wanted && wanted != GID_PICTURE) {
    SetIoErr(DTERROR_UNKNOWN_DATATYPE);
    return false;
  }
  switch (PictureReader::decode(bytes.data(), bytes.size(), &p->picture, fit)) {
    case PictureReader::Result::Decoded: return true;
    case PictureReader::Result::UnknownKind: SetIoErr(DTERROR_UNKNOWN_DATATYPE); return false;
    case PictureReader::Result::Broken: break;
  }
  SetIoErr(DTERROR_COULDNT_OPEN);
  return false;
}

// Makes the destination bitmap: with the screen's bitmap as friend when asked
// (a screen with pens gets the nearest pens), else 32-bit ARGB.
uint32_t layout(PictureObject* p) {
  if (p->dest) return 1;
  if (!p->fromFile || p->group != GID_PICTURE || p->withoutDestBitMap) return 0;
  const BitMap* screenBitMap = p->screen ? p->screen->RastPort.BitMap : nullptr;
  const BitMap* friendBitMap = p->useFriendBitMap ? screenBitMap : nullptr;
  const uint32_t depth = friendBitMap ? friendBitMap->Depth : 32;
  const uint32_t flags = depth > 8 ? BMF_CLEAR | BMF_SPECIALFMT | SHIFT_PIXFMT(PIXFMT_ARGB32) : BMF_CLEAR;
  const DecodedPicture& d = p->picture;
  BitMap* bm = AllocBitMap(uint32_t(d.width), uint32_t(d.height), depth, flags, friendBitMap);
  if (!bm) return 0;
  PixelConversion convert(32, bm->Depth);
  for (size_t i = 0; i < d.argb.size(); ++i) bm->Pixels[i] = convert(d.argb[i]);
  p->dest = bm;
  return 1;
}

// Writes the picture set with PDTA_BitMap as a PNG file.
uint32_t writePicture(PictureObject* p, const dtWrite* msg) {
  const BitMap* bm = p->source;
  if (!bm || !msg->dtw_FileHandle) {
    SetIoErr(ERROR_REQUIRED_ARG_MISSING);
    return 0;
  }
  std::vector<uint32_t> argb(size_t(bm->Width) * bm->Height);
  for (size_t i = 0; i < argb.size(); ++i) {
    const uint32_t v = bm->Pixels[i];
    if (bm->Depth > 8) argb[i] = bm->Depth == 24 ? v | 0xFF000000u : v;
    else if (p->colours && v < p->colours->Count) argb[i] = p->colours->ColorTable[v];
    else argb[i] = PenARGB(v);
  }
  if (const BitMap* mask = p->mask)
    for (int32_t y = 0; y < bm->Height && y < mask->Height; ++y)
      for (int32_t x = 0; x < bm->Width && x < mask->Width; ++x)
        if (!(mask->Pixels[size_t(y) * mask->Width + x] & 1)) argb[size_t(y) * bm->Width + x] &= 0x00FFFFFF;
  std::vector<uint8_t> file;
  if (!PngCodec::encode(argb.data(), bm->Width, bm->Height, &file)) {
    SetIoErr(ERROR_NO_FREE_STORE);
    return 0;
  }
  size_t written = 0;
  while (written < file.size()) {
    const int32_t n = Write(msg->dtw_FileHandle, file.data() + written,
                            static_cast<int32_t>(std::min<size_t>(file.size() - written, 1 << 20)));
    if (n <= 0) return 0;  // Write left the reason in IoErr
    written += size_t(n);
  }
  return 1;
}

}  // namespace

Object* NewDTObjectA(const char* name, const TagItem* tags) {
  const uint32_t group = static_cast<uint32_t>(GetTagData(DTA_GroupID, 0, tags));
  const uint32_t source = static_cast<uint32_t>(GetTagData(DTA_SourceType, DTST_FILE, tags));
  if ((group && group != GID_PICTURE && group != GID_SOUND) || (source != DTST_RAM && source != DTST_FILE) ||
      (source == DTST_RAM && group == GID_SOUND)) {
    SetIoErr(DTERROR_UNKNOWN_DATATYPE);
    return nullptr;
  }
  auto* p = new PictureObject;
  if (source == DTST_FILE) {
    if (!name || !readFile(name, group, fitFor(tags), p)) {
      if (!name) SetIoErr(ERROR_REQUIRED_ARG_MISSING);
      delete p;
      return nullptr;
    }
    p->fromFile = true;
  }
  DataTypesState& s = state();
  p->withoutHeader = s.nextWithoutHeader;
  p->withoutDestBitMap = s.nextWithoutDestBitMap;
  s.nextWithoutHeader = s.nextWithoutDestBitMap = false;
  ++s.live;
  Object* o = reinterpret_cast<Object*>(p);
  SetDTAttrsA(o, nullptr, nullptr, tags);
  return o;
}

void DisposeDTObject(Object* o) {
  if (!o) return;
  PictureObject* p = picture(o);
  FreeBitMap(p->dest);
  delete p;
  --state().live;
}

uint32_t GetDTAttrsA(Object* o, const TagItem* tags) {
  if (!o) return 0;
  PictureObject* p = picture(o);
  uint32_t known = 0;
  TagItem* cursor = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&cursor)) {
    void* where = reinterpret_cast<void*>(item->ti_Data);
    if (!where) continue;
    switch (item->ti_Tag) {
      case PDTA_BitMapHeader:
        *static_cast<BitMapHeader**>(where) =
            p->fromFile && p->group == GID_PICTURE && !p->withoutHeader ? &p->picture.header : nullptr;
        break;
      case SDTA_SampleLength: *static_cast<uint32_t*>(where) = p->sound.sampleLength; break;
      case SDTA_SamplesPerSec: *static_cast<uint32_t*>(where) = p->sound.samplesPerSec; break;
      case PDTA_DestBitMap: *static_cast<BitMap**>(where) = p->dest; break;
      case PDTA_ModeID: *static_cast<uint32_t*>(where) = p->picture.modeID; break;
      case DTA_GroupID: *static_cast<uint32_t*>(where) = p->group; break;
      default: continue;
    }
    ++known;
  }
  return known;
}

uint32_t SetDTAttrsA(Object* o, Window*, Requester*, const TagItem* tags) {
  if (!o) return 0;
  PictureObject* p = picture(o);
  uint32_t known = 0;
  TagItem* cursor = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&cursor)) {
    const intptr_t v = item->ti_Data;
    switch (item->ti_Tag) {
      case PDTA_Screen: p->screen = reinterpret_cast<Screen*>(v); break;
      case PDTA_UseFriendBitMap: p->useFriendBitMap = v != 0; break;
      case PDTA_Remap: p->remap = v != 0; break;
      case PDTA_DestMode: p->destMode = static_cast<uint32_t>(v); break;
      case PDTA_BitMap: p->source = reinterpret_cast<const BitMap*>(v); break;
      case PDTA_ColorMap: p->colours = reinterpret_cast<const ColorMap*>(v); break;
      case PDTA_MaskBitMap: p->mask = reinterpret_cast<const BitMap*>(v); break;
      case DTA_GroupID:
      case DTA_SourceType:
      case DTA_BaseName: break;
      default: continue;
    }
    ++known;
  }
  return known;
}

uint32_t DoDTMethodA(Object* o, Window*, Requester*, Msg msg) {
  if (!o || !msg) return 0;
  PictureObject* p = picture(o);
  switch (msg->MethodID) {
    case GM_LAYOUT:
    case DTM_PROCLAYOUT: return layout(p);
    case DTM_WRITE: return writePicture(p, reinterpret_cast<const dtWrite*>(msg));
    default: return 0;
  }
}

void ostest::nextPictureWithoutHeader() { state().nextWithoutHeader = true; }
void ostest::nextPictureWithoutDestBitMap() { state().nextWithoutDestBitMap = true; }
int32_t ostest::livePictureObjects() { return state().live; }

#include "os/datatypes/ilbm_decoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/picture_files.h"

namespace {

std::vector<uint32_t> decoded(const IlbmFile& f) {
  const std::vector<uint8_t> bytes = f.bytes();
  DecodedPicture d;
  EXPECT_TRUE(IlbmDecoder::decode(bytes.data(), bytes.size(), &d));
  EXPECT_EQ(d.width, f.width);
  EXPECT_EQ(d.height, f.height);
  return d.argb;
}

// A palette whose every colour differs: 0xRRGGBB from the index.
std::vector<uint32_t> distinctColours(size_t n) {
  std::vector<uint32_t> c;
  for (size_t i = 0; i < n; ++i) c.push_back(uint32_t((i * 7 + 3) << 16 | (255 - i) << 8 | (i * 13 % 256)));
  return c;
}

TEST(IlbmDecoder, PalettePicturesDecodeToTheirColoursPackedOrNot) {
  struct Case {
    uint8_t planes;
    uint16_t width, height;
  };
  for (const Case c : {Case{1, 5, 3}, Case{5, 33, 4}, Case{8, 40, 9}}) {
    for (uint8_t compression : {0, 1}) {
      IlbmFile f;
      f.width = c.width;
      f.height = c.height;
      f.planes = c.planes;
      f.compression = compression;
      f.cmap = distinctColours(size_t(1) << c.planes);
      for (int i = 0; i < c.width * c.height; ++i) f.pixels.push_back(uint32_t((i * 5 + i / 3) % (1 << c.planes)));
      const std::vector<uint32_t> argb = decoded(f);
      ASSERT_EQ(argb.size(), f.pixels.size());
      for (size_t i = 0; i < argb.size(); ++i)
        ASSERT_EQ(argb[i], 0xFF000000u | f.cmap[f.pixels[i]]) << int(c.planes) << " planes, packed "
                                                             << int(compression) << ", pixel " << i;
    }
  }
}

TEST(IlbmDecoder, ExtraHalfBriteShowsTheUpperPensAtHalfBrightness) {
  IlbmFile f;
  f.width = 4;
  f.height = 1;
  f.planes = 6;
  f.camg = CAMG_EXTRA_HALFBRITE;
  f.cmap = {0x000000, 0xFF8040, 0x102030};
  f.cmap.resize(32, 0x808080);
  f.pixels = {1, 33, 2, 34};
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0xFFFF8040, 0xFF7F4020, 0xFF102030, 0xFF081018}));
}

TEST(IlbmDecoder, HoldAndModifyChangesOneComponentAtATime) {
  IlbmFile f;
  f.width = 6;
  f.height = 2;
  f.planes = 6;
  f.camg = CAMG_HAM;
  f.cmap = {0x112233, 0x445566};
  f.cmap.resize(16, 0);
  // Control in the top two bits: 00 pen, 01 blue, 10 red, 11 green.
  f.pixels = {0x01, 0x2F, 0x13, 0x38, 0x00, 0x3A,  //
              0x1F, 0x01, 0x20, 0x30, 0x10, 0x00};
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{
                            0xFF445566, 0xFFFF5566, 0xFFFF5533, 0xFFFF8833, 0xFF112233, 0xFF11AA33,
                            // each row starts from colour 0
                            0xFF1122FF, 0xFF445566, 0xFF005566, 0xFF000066, 0xFF000000, 0xFF112233}));
}

TEST(IlbmDecoder, HoldAndModify8UsesSixBitValues) {
  IlbmFile f;
  f.width = 3;
  f.height = 1;
  f.planes = 8;
  f.camg = CAMG_HAM;
  f.cmap = distinctColours(64);
  f.pixels = {5, 0x80 | 0x3F, 0x40 | 0x01};
  const uint32_t c5 = 0xFF000000u | f.cmap[5];
  const uint32_t redFull = (c5 & 0xFF00FFFF) | 0xFF0000;
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{c5, redFull, (redFull & 0xFFFFFF00) | 0x04}));
}

TEST(IlbmDecoder, TrueColourPlanesAreRedGreenBlueThenAlpha) {
  IlbmFile f;
  f.width = 3;
  f.height = 1;
  f.planes = 24;
  f.compression = 1;
  f.pixels = {0x563412, 0xFFFFFF, 0x0000FF};  // stored red first: 0x12, 0x34, 0x56
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0xFF123456, 0xFFFFFFFF, 0xFFFF0000}));
  f.planes = 32;
  f.pixels = {0x80563412, 0x00FFFFFF};
  f.width = 2;
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0x80123456, 0x00FFFFFF}));
}

TEST(IlbmDecoder, MaskPlaneAndTransparentPenMakePixelsSeeThrough) {
  IlbmFile f;
  f.width = 3;
  f.height = 1;
  f.planes = 2;
  f.cmap = {0x000000, 0x111111, 0x222222, 0x333333};
  f.pixels = {1, 2, 3};
  f.masking = 1;
  f.mask = {true, false, true};
  for (uint8_t compression : {0, 1}) {
    f.compression = compression;
    EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0xFF111111, 0x00222222, 0xFF333333}));
  }
  f.masking = 2;
  f.transparent = 3;
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0xFF111111, 0xFF222222, 0x00333333}));
}

TEST(IlbmDecoder, UnknownAndOddChunksAreSkippedAndFourBitColoursWidened) {
  IlbmFile f;
  f.width = 2;
  f.height = 1;
  f.planes = 1;
  f.cmap = {0xF0A000, 0x5060F0};  // low nibbles all empty: 4-bit colours
  f.pixels = {0, 1};
  f.extraChunks = {{"ANNO", "odd"}, {"DPI ", "1234"}, {"GRAB", "x"}};
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0xFFFFAA00, 0xFF5566FF}));
  f.cmap.clear();  // no CMAP: a grey ramp
  EXPECT_EQ(decoded(f), (std::vector<uint32_t>{0xFF000000, 0xFFFFFFFF}));
}

// A picture larger than its fit keeps every f-th pixel of every f-th row of
// the whole picture, whatever its kind; one that fits is decoded whole.
TEST(IlbmDecoder, APictureLargerThanItsFitIsTheFullPictureReduced) {
  struct Kind {
    const char* what;
    uint8_t planes;
    std::optional<uint32_t> camg;
    uint8_t masking;
  };
  const Kind kinds[] = {
      {"5 planes", 5, std::nullopt, 0},         {"HAM6", 6, CAMG_HAM, 0},
      {"HAM8", 8, CAMG_HAM, 0},                 {"extra half-brite", 6, CAMG_EXTRA_HALFBRITE, 0},
      {"24 planes", 24, std::nullopt, 0},       {"32 planes", 32, std::nullopt, 0},
      {"mask plane", 3, std::nullopt, 1},       {"transparent pen", 4, std::nullopt, 2},
  };
  const PictureFit fits[] = {{40, 30}, {10, 50}, {97, 61}, {4096, 4096}};
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  for (const Kind& k : kinds) {
    for (uint8_t compression : {0, 1}) {
      IlbmFile f;
      f.width = 97;
      f.height = 61;
      f.planes = k.planes;
      f.camg = k.camg;
      f.masking = k.masking;
      f.transparent = 5;
      f.compression = compression;
      if (k.planes <= 8) f.cmap = distinctColours(size_t(1) << std::min<int>(k.planes, 8));
      for (int i = 0; i < f.width * f.height; ++i) {
        // Runs of equal values as pictures have, so that packing has runs to find.
        const uint32_t v = (i % 7 < 3) ? 5u : next();
        f.pixels.push_back(k.planes == 32 ? v << 8 ^ next() : v & ((1u << std::min<int>(k.planes, 24)) - 1));
        f.mask.push_back(next() & 1);
      }
      const std::vector<uint8_t> bytes = f.bytes();
      DecodedPicture full;
      ASSERT_TRUE(IlbmDecoder::decode(bytes.data(), bytes.size(), &full, PictureFit{97, 61})) << k.what;
      for (const PictureFit& fit : fits) {
        const int32_t factor = reductionFor(97, 61, fit);
        DecodedPicture reduced;
        ASSERT_TRUE(IlbmDecoder::decode(bytes.data(), bytes.size(), &reduced, fit)) << k.what;
        ASSERT_EQ(reduced.width, (97 + factor - 1) / factor) << k.what;
        ASSERT_EQ(reduced.height, (61 + factor - 1) / factor) << k.what;
        EXPECT_EQ(reduced.header.bmh_Width, reduced.width) << k.what;
        EXPECT_EQ(reduced.header.bmh_Height, reduced.height) << k.what;
        for (int y = 0; y < reduced.height; ++y)
          for (int x = 0; x < reduced.width; ++x)
            ASSERT_EQ(reduced.argb[size_t(y * reduced.width + x)], full.argb[size_t(y * factor * 97 + x * factor)])
                << k.what << ", packed " << int(compression) << ", reduced by " << factor << " at " << x << "," << y;
      }
    }
  }
}

// The header reader gives what BMHD declares without unpacking BODY: a
// picture whose BODY cannot hold it still has its header read.
TEST(IlbmDecoder, TheHeaderIsReadWithoutItsBody) {
  IlbmFile f;
  f.width = 16384;
  f.height = 4096;
  f.planes = 5;
  f.compression = 1;
  f.body = {0x81, 0x00};
  const std::vector<uint8_t> bytes = f.bytes();
  BitMapHeader h{};
  ASSERT_TRUE(IlbmDecoder::readHeader(bytes.data(), bytes.size(), &h));
  EXPECT_EQ(h.bmh_Width, 16384);
  EXPECT_EQ(h.bmh_Height, 4096);
  EXPECT_EQ(h.bmh_Depth, 5);
  DecodedPicture d;
  EXPECT_FALSE(IlbmDecoder::decode(bytes.data(), bytes.size(), &d));
  const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 4);
  EXPECT_FALSE(IlbmDecoder::readHeader(cut.data(), cut.size(), &h));
}

TEST(IlbmDecoder, EveryTruncationIsRefused) {
  IlbmFile f;
  f.width = 20;
  f.height = 5;
  f.planes = 3;
  f.cmap = distinctColours(8);
  for (int i = 0; i < 100; ++i) f.pixels.push_back(uint32_t(i % 8));
  for (uint8_t compression : {0, 1}) {
    f.compression = compression;
    const std::vector<uint8_t> whole = f.bytes();
    for (size_t n = 0; n < whole.size(); ++n) {
      DecodedPicture d;
      const std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(n));
      ASSERT_FALSE(IlbmDecoder::decode(cut.data(), cut.size(), &d)) << "cut at " << n;
      EXPECT_TRUE(d.argb.empty());
    }
  }
}

TEST(IlbmDecoder, HostileHeadersAndChunksAreRefused) {
  auto base = [] {
    IlbmFile f;
    f.width = 16;
    f.height = 2;
    f.planes = 1;
    f.pixels.assign(32, 1);
    return f;
  };
  struct Case {
    const char* what;
    IlbmFile file;
  };
  std::vector<Case> cases;
  {
    IlbmFile f = base();
    f.width = 0;
    cases.push_back({"width 0", f});
  }
  {
    IlbmFile f = base();
    f.height = 0;
    cases.push_back({"height 0", f});
  }
  {
    IlbmFile f = base();
    f.width = 16385;
    f.height = 1;
    f.compression = 1;
    cases.push_back({"width 16385", f});
  }
  {
    IlbmFile f = base();
    f.height = 16385;
    f.width = 1;
    f.compression = 1;
    cases.push_back({"height 16385", f});
  }
  for (uint8_t planes : {0, 9, 16, 25, 33}) {
    IlbmFile f = base();
    f.planes = planes;
    cases.push_back({"odd plane count", f});
  }
  {
    IlbmFile f = base();
    f.compression = 2;
    cases.push_back({"unknown compression", f});
  }
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes = c.file.bytes();
    DecodedPicture d;
    EXPECT_FALSE(IlbmDecoder::decode(bytes.data(), bytes.size(), &d)) << c.what;
  }

  // Byte surgery on a good file.
  const std::vector<uint8_t> good = base().bytes();
  auto find = [&](const char* id) {
    return size_t(std::search(good.begin(), good.end(), id, id + 4) - good.begin());
  };
  auto setLength = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (24 - 8 * i));
  };
  std::vector<std::pair<const char*, std::vector<uint8_t>>> surgery;
  {
    std::vector<uint8_t> b = good;
    setLength(b, find("BODY") + 4, 0x7FFFFFF0);
    surgery.push_back({"BODY length past the end", b});
  }
  {
    std::vector<uint8_t> b = good;
    setLength(b, 4, uint32_t(b.size()));  // FORM claims 8 bytes more than there are
    surgery.push_back({"FORM length past the end", b});
  }
  {
    std::vector<uint8_t> b = good;
    const size_t body = find("BODY");
    setLength(b, body + 4, 3);  // one byte short of the 2 rows of 2 bytes the picture needs
    b.erase(b.begin() + long(body + 8 + 3), b.end());
    setLength(b, 4, uint32_t(b.size() - 8));
    surgery.push_back({"BODY shorter than the picture", b});
  }
  {
    std::vector<uint8_t> b = good;
    b[find("BMHD")] = 'X';
    surgery.push_back({"no BMHD", b});
  }
  {
    std::vector<uint8_t> b = good;
    b[find("BODY")] = 'X';
    surgery.push_back({"no BODY", b});
  }
  {
    std::vector<uint8_t> b = good;
    setLength(b, find("BMHD") + 4, 19);
    surgery.push_back({"short BMHD", b});
  }
  for (const auto& [what, bytes] : surgery) {
    DecodedPicture d;
    EXPECT_FALSE(IlbmDecoder::decode(bytes.data(), bytes.size(), &d)) << what;
  }
}

TEST(IlbmDecoder, PackedRunsThatEndShortOrOverflowAreHandled) {
  // Two planes-rows of 2 bytes: 16 x 2 pixels, 1 plane.
  IlbmFile f;
  f.width = 16;
  f.height = 2;
  f.planes = 1;
  f.compression = 1;
  f.pixels.assign(32, 1);
  std::vector<uint8_t> good = f.bytes();
  const size_t body = size_t(std::search(good.begin(), good.end(), "BODY", "BODY" + 4) - good.begin());
  auto withBody = [&](std::vector<uint8_t> data) {
    std::vector<uint8_t> b(good.begin(), good.begin() + long(body));
    b.insert(b.end(), {'B', 'O', 'D', 'Y', 0, 0, 0, uint8_t(data.size())});
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() & 1) b.push_back(0);
    const uint32_t form = uint32_t(b.size() - 8);
    for (int i = 0; i < 4; ++i) b[4 + i] = uint8_t(form >> (24 - 8 * i));
    return b;
  };
  DecodedPicture d;
  // One repeat run of 128 bytes for a picture of 4: cut at the picture's end.
  std::vector<uint8_t> b = withBody({0x81, 0xFF});
  EXPECT_TRUE(IlbmDecoder::decode(b.data(), b.size(), &d));
  EXPECT_EQ(d.argb, std::vector<uint32_t>(32, 0xFFFFFFFF));
  // A literal run that claims more bytes than BODY holds.
  b = withBody({0x05, 0xFF, 0xFF});
  EXPECT_FALSE(IlbmDecoder::decode(b.data(), b.size(), &d));
  // A repeat run without its byte, and only no-ops.
  b = withBody({0xFD});
  EXPECT_FALSE(IlbmDecoder::decode(b.data(), b.size(), &d));
  b = withBody({0x80, 0x80, 0x80, 0x80});
  EXPECT_FALSE(IlbmDecoder::decode(b.data(), b.size(), &d));
}

}  // namespace

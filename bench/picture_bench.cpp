// How long an ILBM far larger than the screen it is shown on takes to
// decode: 8192 by 8192 and 16384 by 4096, one plane, every row present and
// ByteRun1 packed (131 KB each), decoded for a 640 by 512 screen, for no
// screen (a fit of 4096 by 4096), and whole (what every decode cost before
// rows were reduced while unpacked). Each line gives the best wall and
// processor time of a few runs and how far the decode raised the process's
// peak memory.
//
//   ludex_picture_bench [runs]     (default 3)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "os/datatypes/ilbm_decoder.h"

namespace {

// The bytes of a big-endian number of `bytes` bytes.
void putBE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int s = 8 * (bytes - 1); s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

// A FORM ILBM of one plane whose every row of planes is repeat runs of 128
// bytes, each run's byte varying with the row.
std::vector<uint8_t> ilbmOfRuns(uint16_t width, uint16_t height) {
  std::vector<uint8_t> bmhd;
  putBE(bmhd, width, 2);
  putBE(bmhd, height, 2);
  putBE(bmhd, 0, 4);                      // left, top
  bmhd.insert(bmhd.end(), {1, 0, 1, 0});  // planes, masking, ByteRun1, pad
  putBE(bmhd, 0, 2);                      // transparent pen
  bmhd.insert(bmhd.end(), {1, 1});        // aspect
  putBE(bmhd, width, 2);                  // page
  putBE(bmhd, height, 2);
  std::vector<uint8_t> body;
  const size_t runs = (size_t(width) + 15) / 16 * 2 / 128;
  for (size_t y = 0; y < height; ++y)
    for (size_t r = 0; r < runs; ++r) body.insert(body.end(), {0x81, uint8_t(y * 37 + r * 101)});
  const std::vector<uint8_t> cmap = {0x12, 0x34, 0x56, 0xFE, 0xDC, 0xBA};
  std::vector<uint8_t> form = {'I', 'L', 'B', 'M'};
  for (const auto& [id, data] : {std::pair<const char*, const std::vector<uint8_t>*>{"BMHD", &bmhd},
                                 {"CMAP", &cmap},
                                 {"BODY", &body}}) {
    form.insert(form.end(), id, id + 4);
    putBE(form, uint32_t(data->size()), 4);
    form.insert(form.end(), data->begin(), data->end());
  }
  std::vector<uint8_t> file = {'F', 'O', 'R', 'M'};
  putBE(file, uint32_t(form.size()), 4);
  file.insert(file.end(), form.begin(), form.end());
  return file;
}

long statusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
  return -1;
}

struct Measure {
  double wallMs = 1e300, cpuMs = 1e300;
  long peakGrowthKb = 0;
  int32_t width = 0, height = 0;
};

Measure measure(const std::vector<uint8_t>& file, const PictureFit& fit, int runs) {
  Measure m;
  for (int i = 0; i < runs; ++i) {
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from what is held now
    const long before = statusKb("VmRSS:");
    const BenchClock start = BenchClock::now();
    DecodedPicture picture;
    if (!IlbmDecoder::decode(file.data(), file.size(), &picture, fit)) {
      std::fprintf(stderr, "the picture was not decoded\n");
      std::exit(1);
    }
    m.wallMs = std::min(m.wallMs, start.wallMs());
    m.cpuMs = std::min(m.cpuMs, start.cpuSinceMs());
    m.peakGrowthKb = std::max(m.peakGrowthKb, statusKb("VmHWM:") - before);
    m.width = picture.width;
    m.height = picture.height;
  }
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  struct Picture {
    uint16_t width, height;
  };
  struct Fit {
    const char* what;
    PictureFit fit;
  };
  for (const Picture& p : {Picture{8192, 8192}, Picture{16384, 4096}}) {
    const std::vector<uint8_t> file = ilbmOfRuns(p.width, p.height);
    for (const Fit& f : {Fit{"a 640x512 screen", PictureFit{640, 512}}, Fit{"no screen", PictureFit{}},
                         Fit{"whole", PictureFit{p.width, p.height}}}) {
      const Measure m = measure(file, f.fit, runs);
      std::printf("ILBM %5dx%-5d (%zu KB) for %-16s -> %5dx%-5d  %8.1f ms wall %8.1f ms cpu  peak +%ld MB\n",
                  p.width, p.height, file.size() / 1024, f.what, m.width, m.height, m.wallMs, m.cpuMs,
                  m.peakGrowthKb / 1024);
    }
  }
  return 0;
}

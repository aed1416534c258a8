// Trees of small game files for the benchmarks that walk and add folders:
// sample files of a few kinds, cycled through folders in groups of 100.
#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// One kind of file a tree holds: its name's ending and its bytes.
struct GameSample {
  const char* ending;
  std::string contents;
};

// `start` padded with zero bytes to `size`.
inline std::string paddedBytes(std::string start, size_t size) {
  start.resize(size, '\0');
  return start;
}

inline void writeBenchFile(const std::filesystem::path& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

// `files` files spread over `folders` folders named FOLDERSTEM0000 in groups
// of up to 100 ("group00/..."), each file named FILESTEM<number><ending>
// after the samples in turn. `finishFolder(folder, index)`, when given, adds
// what each folder holds besides and counts for `keepPerFolder` of its files.
inline void makeGameTree(const std::filesystem::path& root, int files, int folders,
                         const std::vector<GameSample>& kinds, const char* folderStem, const std::string& fileStem,
                         int keepPerFolder = 0,
                         const std::function<void(const std::filesystem::path&, int)>& finishFolder = {}) {
  for (int f = 0; f < folders; ++f) {
    char dir[64];
    std::snprintf(dir, sizeof dir, "group%02d/%s%04d", f / 100, folderStem, f);
    const std::filesystem::path folder = root / dir;
    std::filesystem::create_directories(folder);
    const int first = static_cast<int>(static_cast<long long>(files) * f / folders);
    const int last = static_cast<int>(static_cast<long long>(files) * (f + 1) / folders);
    for (int i = first; i < last - keepPerFolder; ++i) {
      const GameSample& s = kinds[static_cast<size_t>(i) % kinds.size()];
      writeBenchFile(folder / (fileStem + std::to_string(i) + s.ending), s.contents);
    }
    if (finishFolder) finishFolder(folder, f);
  }
}

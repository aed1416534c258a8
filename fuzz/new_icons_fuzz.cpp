// libFuzzer target: the reader of NewIcons images in an icon's tool types.
// The input is the tool types, one a line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "os/icon/new_icons.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') lines.emplace_back();
    else if (data[i]) lines.back() += char(data[i]);
  }
  std::vector<const char*> toolTypes;
  for (const std::string& l : lines) toolTypes.push_back(l.c_str());
  toolTypes.push_back(nullptr);
  IconImage images[2];
  const int32_t count = NewIconsReader::read(toolTypes.data(), images);
  if (count < 0 || count > 2) __builtin_trap();
  for (int32_t i = 0; i < count; ++i)
    if (images[i].width < 1 || images[i].argb.size() != size_t(images[i].width) * size_t(images[i].height))
      __builtin_trap();
  return 0;
}

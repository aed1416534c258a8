// libFuzzer target: translateStr on a text and a dictionary taken from the
// input (its parts between NUL bytes: the text, then keys and replacements),
// checked against a plain model: from left to right, at each position the
// first key that stands there is replaced and the scan goes on after it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/translate_str.h"
#include "core/strings/string.h"

namespace {

std::string model(const std::string& text, const std::vector<std::string>& dictionary) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    bool replaced = false;
    for (size_t k = 0; k + 1 < dictionary.size() && !replaced; k += 2) {
      const std::string& key = dictionary[k];
      if (!key.empty() && text.compare(at, key.size(), key) == 0) {
        out += dictionary[k + 1];
        at += key.size();
        replaced = true;
      }
    }
    if (!replaced) out += text[at++];
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) parts.emplace_back();
    else parts.back() += static_cast<char>(data[i]);
  }
  const std::string text = parts[0];
  std::vector<std::string> dictionary(parts.begin() + 1, parts.end());
  if (dictionary.size() % 2) dictionary.pop_back();
  std::vector<const char*> pointers;
  for (const std::string& s : dictionary) pointers.push_back(s.c_str());
  pointers.push_back(nullptr);
  char* result = translateStr(text.c_str(), pointers.data());
  if (std::string(result) != model(text, dictionary) || EstrLen(result) != static_cast<int32_t>(std::strlen(result)))
    __builtin_trap();
  DisposeString(result);
  return 0;
}

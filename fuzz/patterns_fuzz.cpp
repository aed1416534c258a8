// libFuzzer target: AmigaDOS patterns, parsed and matched without case. The
// input is a pattern, a NUL byte and a name, each cut to a bound (a pattern
// of 48 characters, a name of 96) that keeps one match short; a pattern
// without wildcards matches exactly the names equal to it, case aside.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "os/dos/dos.h"

namespace {
constexpr size_t MAX_PATTERN = 48;
constexpr size_t MAX_NAME = 96;

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const size_t split = std::strlen(std::string(text, size).c_str());
  const std::string pattern(text, split < MAX_PATTERN ? split : MAX_PATTERN);
  std::string name = split < size ? std::string(text + split + 1, size - split - 1) : "";
  name = name.substr(0, std::strlen(name.c_str()));
  if (name.size() > MAX_NAME) name.resize(MAX_NAME);

  char parsed[2 * MAX_PATTERN + 2];
  const int32_t kind = ParsePatternNoCase(pattern.c_str(), parsed, sizeof parsed);
  if (kind < 0) return 0;
  const bool matched = MatchPatternNoCase(parsed, name.c_str());
  if (kind == 0) {
    // No wildcards: a "'" takes the next character literally.
    std::string literal;
    for (size_t i = 0; i < pattern.size(); ++i) literal += pattern[i] == '\'' ? pattern[++i] : pattern[i];
    bool equal = literal.size() == name.size();
    for (size_t i = 0; equal && i < name.size(); ++i) equal = upper(literal[i]) == upper(name[i]);
    if (matched != equal) __builtin_trap();
  }
  return 0;
}

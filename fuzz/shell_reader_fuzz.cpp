// libFuzzer target: the shell's reader of command lines. Every item it gives
// ends within the line and after the one before, and a word read back from
// the line, quoted as the launcher writes a path, reads as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/launching/shell_quoting.h"
#include "core/strings/string.h"
#include "os/shell/shell_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  ShellReader reader(line);
  ShellItem item;
  std::string error;
  size_t end = 0;
  while (reader.next(&item, &error)) {
    if (item.end > line.size() || item.end < end) __builtin_trap();
    end = item.end;
    // Any text, put in quotes as the launcher writes a path, is one word
    // that reads as the text itself.
    if (item.text.find('\0') != std::string::npos) continue;
    char* escaped = ShellQuoting::escapedForQuotes(item.text.c_str());
    const std::string quoted = "x \"" + std::string(escaped) + "\" y";
    DisposeString(escaped);
    ShellLine parsed;
    if (!parseShellLine(quoted, &parsed, &error) || parsed.words.size() != 3 || parsed.words[1].text != item.text)
      __builtin_trap();
  }
  ShellLine parsed;
  parseShellLine(line, &parsed, &error);
  return 0;
}

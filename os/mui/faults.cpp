#include "os/mui/faults.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "os/mui/mui_testing.h"

namespace mui {
namespace {
bool strict = false;
std::vector<std::string>& kept() {
  static std::vector<std::string> faults;
  return faults;
}

std::string format(const char* fmt, va_list args) {
  char buffer[512];
  std::vsnprintf(buffer, sizeof buffer, fmt, args);
  return buffer;
}
}  // namespace

void fault(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const std::string text = format(fmt, args);
  va_end(args);
  kept().push_back(text);
  std::printf("ERROR: MUI: %s\n", text.c_str());
  std::fflush(stdout);
  if (strict) throw ostest::MuiError(text);
}

void strictFault(const char* fmt, ...) {
  if (!strict) return;
  va_list args;
  va_start(args, fmt);
  const std::string text = format(fmt, args);
  va_end(args);
  kept().push_back(text);
  throw ostest::MuiError(text);
}

bool strictMode() { return strict; }
void setStrictMode(bool on) { strict = on; }
void forgetFaults() { kept().clear(); }

}  // namespace mui

const std::vector<std::string>& ostest::muiFaults() { return mui::kept(); }

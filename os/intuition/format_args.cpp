#include "os/intuition/format_args.h"

#include <cstring>

namespace {

// Widths and limits above this are cut: a template must not be able to make
// the system build a text of gigabytes.
constexpr size_t MAX_FIELD = 1024;

struct Placeholder {
  bool leftAlign = false;
  bool zeroPad = false;
  size_t width = 0;
  bool hasLimit = false;
  size_t limit = 0;
  char type = 0;
  size_t length = 0;  // characters of the placeholder, from the '%'
};

size_t readNumber(const char* p, size_t& i) {
  size_t n = 0;
  while (p[i] >= '0' && p[i] <= '9') {
    if (n <= MAX_FIELD) n = n * 10 + static_cast<size_t>(p[i] - '0');
    ++i;
  }
  return n < MAX_FIELD ? n : MAX_FIELD;
}

// Reads the placeholder that starts at format[0] == '%'. type is 0 when the
// text ends inside it.
Placeholder parsePlaceholder(const char* format) {
  Placeholder ph;
  size_t i = 1;
  for (;; ++i) {
    if (format[i] == '-') ph.leftAlign = true;
    else if (format[i] == '0') ph.zeroPad = true;
    else break;
  }
  ph.width = readNumber(format, i);
  if (format[i] == '.') {
    ++i;
    ph.hasLimit = true;
    ph.limit = readNumber(format, i);
  }
  if (format[i] == 'l') ++i;
  ph.type = format[i];
  ph.length = format[i] ? i + 1 : i;
  return ph;
}

void appendPadded(std::string& out, const std::string& field, const Placeholder& ph, bool numeric) {
  if (field.size() >= ph.width) {
    out += field;
    return;
  }
  const size_t pad = ph.width - field.size();
  if (ph.leftAlign) {
    out += field;
    out.append(pad, ' ');
  } else if (ph.zeroPad && numeric) {
    // Zeros go between a minus sign and the digits.
    size_t sign = (!field.empty() && field[0] == '-') ? 1 : 0;
    out.append(field, 0, sign);
    out.append(pad, '0');
    out.append(field, sign, std::string::npos);
  } else {
    out.append(pad, ' ');
    out += field;
  }
}

std::string digits(uint64_t value, unsigned base, bool upper) {
  const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char buffer[24];
  size_t n = 0;
  do {
    buffer[n++] = set[value % base];
    value /= base;
  } while (value);
  std::string s;
  while (n) s += buffer[--n];
  return s;
}

// The field for one placeholder of a known type, taking the word `value`.
std::string field(const Placeholder& ph, intptr_t value) {
  const uint32_t word = static_cast<uint32_t>(value);
  switch (ph.type) {
    case 'd': {
      const int32_t v = static_cast<int32_t>(word);
      const int64_t wide = v;
      const uint64_t magnitude = static_cast<uint64_t>(wide < 0 ? -wide : wide);
      return (v < 0 ? "-" : "") + digits(magnitude, 10, false);
    }
    case 'u':
      return digits(word, 10, false);
    case 'x':
      return digits(word, 16, false);
    case 'X':
      return digits(word, 16, true);
    case 'c':
      return std::string(1, static_cast<char>(word & 0xFF));
    case 's': {
      const char* s = reinterpret_cast<const char*>(value);
      if (!s) return {};
      const size_t n = ph.hasLimit ? strnlen(s, ph.limit) : std::strlen(s);
      return std::string(s, n);
    }
    default:
      return {};
  }
}

bool takesWord(char type) { return type && std::strchr("duxXcs", type) != nullptr; }

}  // namespace

FormattedText formatWithArgs(const char* format, const intptr_t* args, size_t argCount) {
  FormattedText result;
  if (!format) return result;
  if (!args) argCount = 0;
  std::string& out = result.text;
  for (size_t i = 0; format[i];) {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    const Placeholder ph = parsePlaceholder(format + i);
    if (!takesWord(ph.type) || result.argsUsed >= argCount) {
      out.append(format + i, ph.length);  // copied as it stands
    } else {
      const intptr_t value = args[result.argsUsed++];
      appendPadded(out, field(ph, value), ph, ph.type != 's' && ph.type != 'c');
    }
    i += ph.length;
  }
  return result;
}

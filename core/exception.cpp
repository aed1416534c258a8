#include "core/exception.h"

#include <cstdarg>
#include <cstdio>

Exception::Exception(int32_t id, const char* message, int32_t exitCode)
    : id_(id), hasMessage_(message != nullptr), message_(message ? message : ""), exitCode_(exitCode) {}

void Throw(const char* id, const char* message) { throw Exception(MakeId(id), message); }

void ThrowF(const char* id, const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  throw Exception(MakeId(id), buffer);
}

void CleanUp(int32_t code) { throw Exception(ORDERLY_EXIT_ID, nullptr, code); }

std::string IdText(int32_t id) {
  std::string text(4, ' ');
  const uint32_t v = static_cast<uint32_t>(id);
  for (int i = 0; i < 4; ++i) {
    const unsigned char c = static_cast<unsigned char>(v >> (8 * (3 - i)));
    text[i] = c < 32 ? ' ' : static_cast<char>(c);
  }
  return text;
}

void PrintException(const Exception& e) {
  if (e.id() == ORDERLY_EXIT_ID) return;
  const std::string id = IdText(e.id());
  if (e.message())
    std::printf("EXCEPTION: \"%s\"; %s.\n", id.c_str(), e.message());
  else
    std::printf("EXCEPTION: \"%s\".\n", id.c_str());
  std::fflush(stdout);
}

// The program's one error type: a 32-bit id of up to four characters (first
// character most significant) and an optional message. Id -1 is an orderly
// exit carrying a return code.
#pragma once
#include <cstdint>
#include <string>

constexpr int32_t ORDERLY_EXIT_ID = -1;

// "EPU" -> 0x00455055: the characters of a short id, first most significant.
constexpr int32_t MakeId(const char* id) {
  uint32_t v = 0;
  for (int i = 0; i < 4 && id[i]; ++i) v = (v << 8) | static_cast<unsigned char>(id[i]);
  return static_cast<int32_t>(v);
}

class Exception {
 public:
  Exception(int32_t id, const char* message, int32_t exitCode = 0);
  int32_t id() const { return id_; }
  // NIL when the error carries no message.
  const char* message() const { return hasMessage_ ? message_.c_str() : nullptr; }
  int32_t exitCode() const { return exitCode_; }
  bool is(const char* shortId) const { return id_ == MakeId(shortId); }

 private:
  int32_t id_;
  bool hasMessage_;
  std::string message_;
  int32_t exitCode_;
};

// Raises an error with the given id ("EPU", "FILE", ...) and message (NIL: none).
[[noreturn]] void Throw(const char* id, const char* message = nullptr);
// As Throw, with a printf-style message.
[[noreturn]] void ThrowF(const char* id, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// The orderly exit: raises id -1 carrying the return code.
[[noreturn]] void CleanUp(int32_t code);

// Prints the error as the main procedure reports it:
//   EXCEPTION: "ID  "; message.\n   or   EXCEPTION: "ID  ".\n
// An orderly exit prints nothing.
void PrintException(const Exception& e);
// The id as four characters, characters below 32 shown as blanks.
std::string IdText(int32_t id);

// A text put together piece by piece whose final length is not known ahead:
// a string of the program that doubles its capacity whenever a piece does
// not fit, so that appending n bytes in any pieces costs O(n).
#pragma once
#include <cstdint>

class TextBuilder {
 public:
  TextBuilder() = default;
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;
  ~TextBuilder();

  // Appends the first `length` bytes of piece (no NUL among them).
  void add(const char* piece, int32_t length);
  // Appends the whole of piece (NIL: nothing).
  void add(const char* piece);
  void add(char c) { add(&c, 1); }
  // The text so far as a new string the caller owns; the builder is empty again.
  char* take();

 private:
  char* text_ = nullptr;
};

// The system's text formatting for requesters: templates with the exec-style
// placeholders %[-][0][width][.limit][l]type, types d, u, x, X, s, c, and %%.
// Values come from an array of pointer-sized words, one word per placeholder
// (a string placeholder takes a char pointer, the others a number of which the
// low 32 bits count).
//
// The formatter never reads past the words it is given: a placeholder with no
// word left, an unknown type or a cut-off placeholder is copied as it stands,
// and a NIL string prints as nothing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct FormattedText {
  std::string text;
  size_t argsUsed = 0;  // words taken from the argument array
};

// Formats `format` (NIL reads as "") with up to argCount words of args.
FormattedText formatWithArgs(const char* format, const intptr_t* args, size_t argCount);

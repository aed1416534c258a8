#include "app/games/game_name.h"

#include <cstring>

#include "core/strings/string.h"
#include "core/strings/text.h"

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
char lowerChar(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

bool isAllUpperCase(const char* name) {
  for (const char* c = name; *c; ++c)
    if (isLower(*c)) return false;
  return true;
}

// Each ending is looked at only while the name is longer than 3 characters,
// so a test never reads before the name's start ("a.ST" is cut to "a", and
// ".SP" is then not looked for) and no name is cut to nothing.
int32_t withoutGameEndings(const char* name, int32_t length) {
  if (length > 4 && name[length - 4] == '.') length -= 4;
  if (length > 3 && StrCmpNoCase(name + length - 3, ".ST", 3)) length -= 3;
  if (length > 3 && std::strncmp(name + length - 3, ".SP", 3) == 0) length -= 3;
  if (length > 3 && name[length - 3] == '.' && UpperChar(name[length - 2]) == 'Z' && name[length - 1] >= '1' &&
      name[length - 1] <= '8')
    length -= 3;
  return length;
}

// A blank belongs between before and c: letter and digit either way round,
// or a lower-case letter and an upper-case one.
bool blankBetween(char before, char c) {
  return (isLetter(before) && isDigit(c)) || (isDigit(before) && isLetter(c)) || (isLower(before) && isUpper(c));
}

}  // namespace

char* makeGameName(const char* fileName, bool isProgram) {
  const int32_t length = static_cast<int32_t>(std::strlen(fileName));
  char* work = NewString(length);
  char* name = nullptr;
  try {
    StrCopy(work, fileName);
    if (isProgram && isAllUpperCase(work))
      for (int32_t i = 1; i < length; ++i) work[i] = lowerChar(work[i]);
    const int32_t kept = withoutGameEndings(work, length);

    // At most one blank is inserted per character.
    name = NewString(2 * kept);
    char* out = name;
    if (kept > 0) *out++ = work[0];
    for (int32_t i = 1; i < kept; ++i) {
      const char c = work[i];
      if (c == '_') {
        *out++ = ' ';
        continue;
      }
      if (blankBetween(out[-1], c)) *out++ = ' ';
      *out++ = c;
    }
    *out = '\0';
    UpdateStrLen(name);
  } catch (...) {
    DisposeString(work);
    DisposeString(name);
    throw;
  }
  DisposeString(work);
  return name;
}

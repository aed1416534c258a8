#include "app/launching/shell_quoting.h"

#include <cstring>

#include "core/strings/string.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The name with "*", '"' and line breaks escaped for a place inside quotes.
char* escaped(const char* name) {
  int32_t extra = 0;
  for (const char* p = name; *p; ++p)
    if (*p == '*' || *p == '"' || *p == '\n') ++extra;
  char* text = NewString(static_cast<int32_t>(std::strlen(name)) + extra);
  for (const char* p = name; *p; ++p) {
    if (*p == '\n') {
      StrAdd(text, "*N", 2);
      continue;
    }
    if (*p == '*' || *p == '"') StrAdd(text, "*", 1);
    StrAdd(text, p, 1);
  }
  return text;
}

}  // namespace

void ShellQuoting::feed(const char* text, int32_t length) {
  for (int32_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (c == '\n') {
      place_ = Place::LineStart;  // a line break ends the command, open quotes too
      star_ = false;
      continue;
    }
    switch (place_) {
      case Place::LineStart:
        if (c == ';') place_ = Place::InComment;
        else if (c == '"') place_ = Place::InQuotes;
        else if (!isBlank(c) && c != '<' && c != '>') place_ = Place::InWord;
        break;
      case Place::BetweenWords:
        // A redirection's file name may follow its "<" or ">" directly.
        if (c == '"') place_ = Place::InQuotes;
        else if (!isBlank(c) && c != '<' && c != '>') place_ = Place::InWord;
        break;
      case Place::InWord:
        if (isBlank(c)) place_ = Place::BetweenWords;
        break;
      case Place::InQuotes:
        if (star_) {
          star_ = false;
          if (c == '"' || c == '*' || c == 'N' || c == 'n') break;  // the escaped character
        }
        if (c == '*') star_ = true;
        else if (c == '"') place_ = Place::BetweenWords;  // the next word may follow at once
        break;
      case Place::InComment:
        break;
    }
  }
}

void ShellQuoting::feed(const char* text) { feed(text, static_cast<int32_t>(std::strlen(text))); }

ShellQuoting ShellQuoting::after(const char* text, int32_t length) {
  ShellQuoting quoting;
  quoting.feed(text, length);
  return quoting;
}

char* ShellQuoting::fileNameHere(const char* name) const {
  if (place_ == Place::InQuotes || place_ == Place::InComment) return escaped(name);
  if (std::strchr(name, '\n')) return nullptr;
  return StrClone(name);
}

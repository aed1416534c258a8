#include "app/launching/shell_quoting.h"

#include <cstring>

#include "core/strings/string.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

int32_t ShellQuoting::escapedForQuotes(char c, char* out) {
  if (c == '\n') {
    out[0] = '*', out[1] = 'N';
    return 2;
  }
  if (c == '*' || c == '"') {
    out[0] = '*', out[1] = c;
    return 2;
  }
  out[0] = c;
  return 1;
}

char* ShellQuoting::escapedForQuotes(const char* text) {
  int32_t length = 0;
  char two[2];
  for (const char* p = text; *p; ++p) length += escapedForQuotes(*p, two);
  char* written = NewString(length);
  for (const char* p = text; *p; ++p) StrAdd(written, two, escapedForQuotes(*p, two));
  return written;
}

bool ShellQuoting::startsBareWord(char c) const {
  if (place_ != Place::LineStart && place_ != Place::BetweenWords) return false;
  if (place_ == Place::LineStart && c == ';') return false;
  return !isBlank(c) && c != '\n' && c != '"' && c != '<' && c != '>' && c != '\0';
}

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
  if (place_ == Place::InQuotes || place_ == Place::InComment) return escapedForQuotes(name);
  if (std::strchr(name, '\n')) return nullptr;
  return StrClone(name);
}

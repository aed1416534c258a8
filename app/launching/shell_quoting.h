// How a file name must be written at a place of a shell command line. The
// shell reads double quotes as grouping (only at a word's start), and inside
// them "*" as an escape: "**" is a star, '*"' a quote and "*N" a line break.
// Outside quotes nothing is special but blanks, "<" and ">" at a word's
// start, and a line break, which ends the command. So a name put inside
// quotes is escaped, and a name put outside them goes in unchanged, unless it
// holds a line break: then it cannot be written there at all (the rest of it
// would run as another command).
#pragma once
#include <cstdint>

class ShellQuoting {
 public:
  // Follows the command text as it is written, character by character.
  void feed(const char* text, int32_t length);
  void feed(const char* text);
  // The state after the first `length` characters of text.
  static ShellQuoting after(const char* text, int32_t length);

  // The name as it must be written here, a new string; NIL when it holds a
  // line break and this place is outside quotes. In a comment line, which
  // nothing reads, it is written escaped so that it stays one line.
  char* fileNameHere(const char* name) const;
  // TRUE when c, written next, begins a word outside quotes: at a line's
  // start or between words, c being none of a blank, a line break, '"',
  // "<", ">" or (at a line's start) the ";" of a comment.
  bool startsBareWord(char c) const;

  // The text as it must be written inside double quotes ("*", '"' and line
  // breaks escaped), a new string.
  static char* escapedForQuotes(const char* text);
  // One character as it must be written inside double quotes, into out (room
  // for 2); the number of characters written.
  static int32_t escapedForQuotes(char c, char* out);

 private:
  enum class Place { LineStart, BetweenWords, InWord, InQuotes, InComment };
  Place place_ = Place::LineStart;
  bool star_ = false;  // a "*" inside quotes whose escaped character may follow
};

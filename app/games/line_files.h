// The application's text files as chains of lines: the game list, the
// preferences and the launch script. Lines are separated by "\n"; the last
// line has none after it; a "\r" ending a line is dropped when reading.
#pragma once
#include <cstdint>

struct FileFailure;

// The file's text, read whole, as a new string of *length characters and a
// "\n" after them; NIL when the file cannot be opened or read whole (then
// *failure, when given, says why).
char* readText(const char* path, int32_t* length, FileFailure* failure = nullptr);

// The lines of a text as readText gives it, taken one at a time: each line
// ends at a "\n" (a "\r" before it dropped), and the text after the last
// "\n" is a line too, empty or not.
class LineReader {
 public:
  LineReader(char* text, int32_t length) : text_(text), length_(length) {}
  bool atEnd() const { return position_ > length_; }
  // The next line as a new string.
  char* take();
  // The next line where it stands in the text, a NUL put over its end;
  // valid while the text is. *lineLength (when given) counts any NUL in it.
  const char* takeInPlace(int32_t* lineLength = nullptr);

 private:
  // Moves past the next line: its start in *start, its length returned.
  int32_t next(int32_t* start);

  char* text_;
  int32_t length_;
  int32_t position_ = 0;
};

// The file's lines as a chain of new strings (the caller disposes it), NIL when
// the file cannot be opened or read whole (*failure, when given, says why).
// *last (when given) gets the last line.
char* readLines(const char* path, char** last = nullptr, FileFailure* failure = nullptr);
// Writes the chain as the file's lines. TRUE only when the file was opened and
// every write, the flush and the close succeeded. Otherwise FALSE and no file
// is left, whatever the file object raised; FALSE for an empty chain too.
// *failure (when given) says why it failed.
bool writeLines(const char* path, const char* lines, FileFailure* failure = nullptr);
// Copies one file to a new file (never over an existing one). TRUE when made.
bool fileCopy(const char* source, const char* destination);

// Splitting a shell command line into items the AmigaDOS way: blanks and tabs
// separate; "..." groups, and inside quotes *" is a quote, ** a star and *N a
// newline; an unquoted item that begins with <, > or >> is a redirection whose
// file name follows directly or as the next item. Nothing else is special:
// no variables, no globbing, no command substitution.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

enum class ShellItemKind { Word, RedirectInput, RedirectOutput, RedirectAppend };

struct ShellItem {
  ShellItemKind kind = ShellItemKind::Word;
  std::string text;     // the word, or the redirection's file name
  bool quoted = false;  // the word (or file name) was written in quotes
  size_t end = 0;       // offset in the line just past the item
};

// Reads the items of one line in order.
class ShellReader {
 public:
  explicit ShellReader(const std::string& line, size_t start = 0) : line_(line), pos_(start) {}
  // Fills *item with the next item. false at the end of the line, and false
  // with *error set for a redirection that names no file.
  bool next(ShellItem* item, std::string* error);
  // Offset of the first character not yet read.
  size_t position() const { return pos_; }

 private:
  void skipBlanks();
  // Reads a quoted string starting at the opening quote.
  std::string readQuoted();
  std::string readBare();
  // Reads the word at the position into *item (quoted or bare).
  bool readWord(ShellItem* item);

  const std::string& line_;
  size_t pos_;
};

struct ShellRedirection {
  ShellItemKind kind = ShellItemKind::RedirectOutput;
  std::string file;
};

// A line taken apart: the command name and its arguments, and the redirections
// wherever they stood.
struct ShellLine {
  std::vector<ShellItem> words;
  std::vector<ShellRedirection> redirections;
};

// Reads every item of the line from `start`. false with *error set when a
// redirection names no file.
bool parseShellLine(const std::string& line, ShellLine* parsed, std::string* error, size_t start = 0);

// True when the character separates items.
inline bool isShellBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

#include "os/shell/shell_reader.h"

void ShellReader::skipBlanks() {
  while (pos_ < line_.size() && isShellBlank(line_[pos_])) ++pos_;
}

std::string ShellReader::readQuoted() {
  std::string text;
  ++pos_;  // the opening quote
  while (pos_ < line_.size()) {
    const char c = line_[pos_++];
    if (c == '"') return text;
    if (c == '*' && pos_ < line_.size()) {
      const char escaped = line_[pos_];
      if (escaped == '"' || escaped == '*') {
        text += escaped;
        ++pos_;
        continue;
      }
      if (escaped == 'N' || escaped == 'n') {
        text += '\n';
        ++pos_;
        continue;
      }
    }
    text += c;
  }
  // A quote left open runs to the end of the line.
  return text;
}

std::string ShellReader::readBare() {
  const size_t start = pos_;
  while (pos_ < line_.size() && !isShellBlank(line_[pos_])) ++pos_;
  return line_.substr(start, pos_ - start);
}

bool ShellReader::readWord(ShellItem* item) {
  skipBlanks();
  if (pos_ >= line_.size()) return false;
  item->quoted = line_[pos_] == '"';
  item->text = item->quoted ? readQuoted() : readBare();
  item->end = pos_;
  return true;
}

bool ShellReader::next(ShellItem* item, std::string* error) {
  *item = ShellItem{};
  skipBlanks();
  if (pos_ >= line_.size()) return false;
  const char c = line_[pos_];
  if (c != '<' && c != '>') {
    item->kind = ShellItemKind::Word;
    return readWord(item);
  }

  if (c == '<') {
    item->kind = ShellItemKind::RedirectInput;
    ++pos_;
  } else if (pos_ + 1 < line_.size() && line_[pos_ + 1] == '>') {
    item->kind = ShellItemKind::RedirectAppend;
    pos_ += 2;
  } else {
    item->kind = ShellItemKind::RedirectOutput;
    ++pos_;
  }
  // The file name follows directly (">NIL:", '>"my file"') or as the next word.
  if (pos_ < line_.size() && !isShellBlank(line_[pos_])) {
    item->quoted = line_[pos_] == '"';
    item->text = item->quoted ? readQuoted() : readBare();
  } else if (!readWord(item)) {
    if (error) *error = "missing file name after redirection";
    return false;
  }
  item->end = pos_;
  if (item->text.empty()) {
    if (error) *error = "missing file name after redirection";
    return false;
  }
  return true;
}

bool parseShellLine(const std::string& line, ShellLine* parsed, std::string* error, size_t start) {
  *parsed = ShellLine{};
  if (error) error->clear();
  ShellReader reader(line, start);
  ShellItem item;
  std::string problem;
  while (reader.next(&item, &problem)) {
    if (item.kind == ShellItemKind::Word)
      parsed->words.push_back(item);
    else
      parsed->redirections.push_back({item.kind, item.text});
  }
  if (!problem.empty()) {
    if (error) *error = problem;
    return false;
  }
  return true;
}

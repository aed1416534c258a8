// AmigaDOS wildcard patterns, matched without regard to the case of a-z.
//
// The parsed form is the checked pattern text itself: matching builds a small
// tree from it and runs the name through the tree as a set of positions, so a
// pattern costs polynomial time whatever it nests (no backtracking blow-up).

#include <cstring>
#include <string>
#include <vector>

#include "os/dos/dos.h"
#include "os/dos/name_case.h"
#include "os/dos/process_record.h"

namespace {

struct PatternNode {
  enum Kind { Literal, AnyChar, Class, Sequence, Either, Repeat, Not } kind = Sequence;
  char c = 0;
  bool negated = false;                            // Class: [~...]
  std::vector<std::pair<char, char>> ranges;        // Class
  std::vector<PatternNode> parts;                   // Sequence, Either; Repeat and Not: one
};

class Parser {
 public:
  explicit Parser(const char* text) : p_(text) {}

  // The whole pattern; FALSE on a syntax error.
  bool parse(PatternNode& out) {
    out = sequence(false);
    return ok_ && *p_ == '\0';
  }
  bool hasWildcards() const { return wild_; }

 private:
  PatternNode sequence(bool inGroup) {
    PatternNode seq;
    seq.kind = PatternNode::Sequence;
    while (ok_ && *p_ && !(inGroup && (*p_ == '|' || *p_ == ')'))) {
      if (*p_ == ')') {  // a ")" with no group open
        ok_ = false;
        break;
      }
      seq.parts.push_back(item());
    }
    return seq;
  }

  PatternNode item() {
    PatternNode n;
    const char c = *p_++;
    switch (c) {
      case '?':
        wild_ = true;
        n.kind = PatternNode::AnyChar;
        return n;
      case '#':
      case '~':
        wild_ = true;
        n.kind = c == '#' ? PatternNode::Repeat : PatternNode::Not;
        if (!*p_ || *p_ == '|' || *p_ == ')') {
          ok_ = false;
          return n;
        }
        n.parts.push_back(item());
        return n;
      case '(':
        wild_ = true;
        n.kind = PatternNode::Either;
        for (;;) {
          n.parts.push_back(sequence(true));
          if (!ok_) return n;
          if (*p_ == '|') {
            ++p_;
            continue;
          }
          if (*p_ == ')') {
            ++p_;
            return n;
          }
          ok_ = false;  // the group was never closed
          return n;
        }
      case '[':
        wild_ = true;
        return charClass();
      case '\'':
        if (!*p_) {
          ok_ = false;
          return n;
        }
        n.kind = PatternNode::Literal;
        n.c = *p_++;
        return n;
      default:
        n.kind = PatternNode::Literal;
        n.c = c;
        return n;
    }
  }

  PatternNode charClass() {
    PatternNode n;
    n.kind = PatternNode::Class;
    if (*p_ == '~') {
      n.negated = true;
      ++p_;
    }
    while (*p_ && *p_ != ']') {
      char low = *p_++;
      if (low == '\'' && *p_) low = *p_++;
      char high = low;
      if (*p_ == '-' && p_[1] && p_[1] != ']') {
        ++p_;
        high = *p_++;
        if (high == '\'' && *p_) high = *p_++;
      }
      n.ranges.emplace_back(low, high);
    }
    if (*p_ != ']') {
      ok_ = false;
      return n;
    }
    ++p_;
    return n;
  }

  const char* p_;
  bool ok_ = true;
  bool wild_ = false;
};

using Positions = std::vector<char>;  // [i]: a match may stand at name position i

bool sameLetter(char a, char b) { return dosname::foldAZ(a) == dosname::foldAZ(b); }

bool inClass(const PatternNode& n, char c) {
  const auto u = static_cast<unsigned char>(c);
  const auto folded = static_cast<unsigned char>(dosname::foldAZ(c));
  const auto lower = static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
  bool in = false;
  for (const auto& [lo, hi] : n.ranges) {
    const auto l = static_cast<unsigned char>(lo), h = static_cast<unsigned char>(hi);
    if ((u >= l && u <= h) || (folded >= l && folded <= h) || (lower >= l && lower <= h)) {
      in = true;
      break;
    }
  }
  return in != n.negated;
}

// Where a match of n can end, for matches starting at any position in `from`.
Positions ends(const PatternNode& n, const std::string& name, const Positions& from) {
  const size_t len = name.size();
  Positions to(len + 1, 0);
  switch (n.kind) {
    case PatternNode::Literal:
    case PatternNode::AnyChar:
    case PatternNode::Class:
      for (size_t i = 0; i < len; ++i) {
        if (!from[i]) continue;
        const char c = name[i];
        const bool one = n.kind == PatternNode::AnyChar || (n.kind == PatternNode::Literal ? sameLetter(n.c, c)
                                                                                           : inClass(n, c));
        if (one) to[i + 1] = 1;
      }
      return to;
    case PatternNode::Sequence: {
      Positions at = from;
      for (const PatternNode& part : n.parts) at = ends(part, name, at);
      return at;
    }
    case PatternNode::Either:
      for (const PatternNode& part : n.parts) {
        const Positions e = ends(part, name, from);
        for (size_t i = 0; i <= len; ++i) to[i] |= e[i];
      }
      return to;
    case PatternNode::Repeat: {
      to = from;
      Positions frontier = from;
      for (;;) {
        const Positions e = ends(n.parts[0], name, frontier);
        bool grew = false;
        for (size_t i = 0; i <= len; ++i) {
          frontier[i] = e[i] && !to[i];
          if (frontier[i]) {
            to[i] = 1;
            grew = true;
          }
        }
        if (!grew) return to;
      }
    }
    case PatternNode::Not:
      // Any stretch from a start that the item does not match as a whole.
      for (size_t i = 0; i <= len; ++i) {
        if (!from[i]) continue;
        Positions start(len + 1, 0);
        start[i] = 1;
        const Positions e = ends(n.parts[0], name, start);
        for (size_t j = i; j <= len; ++j)
          if (!e[j]) to[j] = 1;
      }
      return to;
  }
  return to;
}

}  // namespace

int32_t ParsePatternNoCase(const char* pattern, char* buffer, int32_t length) {
  if (!pattern || !buffer || length <= 0) {
    dosproc::fail(ERROR_LINE_TOO_LONG);
    return -1;
  }
  const size_t size = std::strlen(pattern);
  if (size + 1 > static_cast<size_t>(length)) {
    dosproc::fail(ERROR_LINE_TOO_LONG);
    return -1;
  }
  Parser parser(pattern);
  PatternNode tree;
  if (!parser.parse(tree)) {
    dosproc::fail(ERROR_BAD_TEMPLATE);
    return -1;
  }
  std::memcpy(buffer, pattern, size + 1);
  return parser.hasWildcards() ? 1 : 0;
}

bool MatchPatternNoCase(const char* parsedPattern, const char* name) {
  if (!parsedPattern || !name) return false;
  Parser parser(parsedPattern);
  PatternNode tree;
  if (!parser.parse(tree)) return dosproc::fail(ERROR_BAD_TEMPLATE);
  const std::string text(name);
  Positions from(text.size() + 1, 0);
  from[0] = 1;
  return ends(tree, text, from)[text.size()] != 0;
}

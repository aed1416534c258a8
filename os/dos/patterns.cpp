// AmigaDOS wildcard patterns, matched without regard to the case of a-z.
//
// The parsed form is the checked pattern text itself. Matching builds a tree
// from it, makes the tree a program of states (at most 2m+2 for a pattern of
// m characters, one more for each "~") and runs the name of n characters
// through it as the set of states a match may be in at each position, each
// state at most once a position (no backtracking). The steps counted are the
// states visited and the earlier starts of "~" items looked at; a match takes
//   - at most (n+1)(2m+2) steps for a pattern without "~";
//   - for each "~" item, its own steps once from each start the match reaches
//     it at (every end it matches from there is kept: (n+1)^2 bits), and a
//     look at its earlier starts at each position: at most (n+1)^2 (2m+3)
//     steps more for a "~" not inside another, and a "~" inside another costs
//     (n+1) times that of one that is not.
// Items nest at most MAX_PATTERN_NESTING deep; a deeper pattern is refused
// as a bad template.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
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

constexpr int32_t MAX_PATTERN_NESTING = 100;

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
    if (depth_ >= MAX_PATTERN_NESTING) {
      ok_ = false;
      return {};
    }
    ++depth_;
    PatternNode n = itemHere();
    --depth_;
    return n;
  }

  PatternNode itemHere() {
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
  int32_t depth_ = 0;
};

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

bool takesChar(const PatternNode& n, char c) {
  return n.kind == PatternNode::AnyChar || (n.kind == PatternNode::Literal ? sameLetter(n.c, c) : inClass(n, c));
}

// The pattern as a program of states, run over the name as the set of states
// a match may be in at each position (each state once a position): a "#"
// loops back, "|" forks. A "~" item is a state of its own whose way on,
// from a start position to an end, is open when the item does NOT match the
// stretch between them; the item's own program finds, once per start, every
// end it matches.
struct Instruction {
  enum Op { Char, Fork, Jump, Not, Match } op;
  const PatternNode* node = nullptr;  // Char: what it takes
  int32_t to = 0;                     // Fork, Jump: where to go; Not: the item's program
  int32_t orTo = 0;                   // Fork: the other way
};

class Program {
 public:
  explicit Program(const PatternNode& tree) {
    starts_.push_back(0);
    emit(tree);
    code_.push_back({Instruction::Match});
    // The items of "~" follow, each ending in a Match of its own; an item
    // may hold further "~" items, which are queued in turn.
    for (size_t i = 0; i < pending_.size(); ++i) {
      code_[static_cast<size_t>(pending_[i].first)].to = static_cast<int32_t>(starts_.size());
      starts_.push_back(static_cast<int32_t>(code_.size()));
      emit(*pending_[i].second);
      code_.push_back({Instruction::Match});
    }
    nots_.resize(starts_.size());
    for (int32_t program = 0; program < programs(); ++program) {
      const int32_t end = program + 1 < programs() ? start(program + 1) : here();
      for (int32_t pc = start(program); pc < end; ++pc)
        if (code_[static_cast<size_t>(pc)].op == Instruction::Not) nots_[static_cast<size_t>(program)].push_back(pc);
    }
  }
  const std::vector<Instruction>& code() const { return code_; }
  // The "~" states of a program.
  const std::vector<int32_t>& nots(int32_t program) const { return nots_[static_cast<size_t>(program)]; }
  // Where the program of the pattern (0) or of a "~" item (1 on) starts.
  int32_t start(int32_t program) const { return starts_[static_cast<size_t>(program)]; }
  int32_t programs() const { return static_cast<int32_t>(starts_.size()); }

 private:
  int32_t here() const { return static_cast<int32_t>(code_.size()); }
  void emit(const PatternNode& n) {
    switch (n.kind) {
      case PatternNode::Literal:
      case PatternNode::AnyChar:
      case PatternNode::Class: code_.push_back({Instruction::Char, &n}); return;
      case PatternNode::Sequence:
        for (const PatternNode& part : n.parts) emit(part);
        return;
      case PatternNode::Either: {
        std::vector<int32_t> jumps;
        for (size_t i = 0; i < n.parts.size(); ++i) {
          const bool last = i + 1 == n.parts.size();
          const int32_t fork = here();
          if (!last) code_.push_back({Instruction::Fork, nullptr, fork + 1, 0});
          emit(n.parts[i]);
          if (last) break;
          jumps.push_back(here());
          code_.push_back({Instruction::Jump});
          code_[static_cast<size_t>(fork)].orTo = here();
        }
        for (int32_t jump : jumps) code_[static_cast<size_t>(jump)].to = here();
        return;
      }
      case PatternNode::Repeat: {
        const int32_t fork = here();
        code_.push_back({Instruction::Fork, nullptr, fork + 1, 0});
        emit(n.parts[0]);
        code_.push_back({Instruction::Jump, nullptr, fork, 0});
        code_[static_cast<size_t>(fork)].orTo = here();
        return;
      }
      case PatternNode::Not:
        pending_.emplace_back(here(), &n.parts[0]);
        code_.push_back({Instruction::Not});
        return;
    }
  }

  std::vector<Instruction> code_;
  std::vector<int32_t> starts_;
  std::vector<std::pair<int32_t, const PatternNode*>> pending_;  // Not instructions and their items
  std::vector<std::vector<int32_t>> nots_;
};

// The states visited and the starts of "~" items looked at, by every match
// so far (tests read it).
uint64_t patternSteps = 0;

// The set of name positions an item matches to, from one start, as bits.
using Ends = std::vector<uint64_t>;
bool has(const Ends& ends, size_t at) { return (ends[at / 64] >> (at % 64)) & 1; }
void put(Ends& ends, size_t at) { ends[at / 64] |= uint64_t{1} << (at % 64); }

class Matcher {
 public:
  Matcher(const Program& program, const std::string& name)
      : program_(program), name_(name), length_(name.size()), rows_(static_cast<size_t>(program.programs())),
        seen_(program.code().size(), SIZE_MAX) {}

  // The ends of the matches of a program from the start position.
  Ends run(int32_t which, size_t from) {
    const auto& code = program_.code();
    Ends matched((length_ + 64) / 64, 0);
    // Per "~" state: the positions where it was reached in this run.
    std::vector<std::vector<size_t>> notStarts(static_cast<size_t>(program_.programs()));
    std::vector<int32_t> current, next, pending;
    next.push_back(program_.start(which));
    for (size_t at = from; at <= length_; ++at) {
      const size_t generation = ++generation_;
      current.clear();
      // The ways on of the "~" states reached before: open where the item
      // does not match the stretch since.
      for (int32_t pc : program_.nots(which)) {
        const int32_t item = code[static_cast<size_t>(pc)].to;
        if (notOpen(item, notStarts[static_cast<size_t>(item)], at)) next.push_back(pc + 1);
      }
      pending.swap(next);
      next.clear();
      while (!pending.empty()) {
        const int32_t pc = pending.back();
        pending.pop_back();
        if (seen_[static_cast<size_t>(pc)] == generation) continue;
        seen_[static_cast<size_t>(pc)] = generation;
        ++patternSteps;
        const Instruction& i = code[static_cast<size_t>(pc)];
        switch (i.op) {
          case Instruction::Char: current.push_back(pc); break;
          case Instruction::Fork:
            pending.push_back(i.orTo);
            pending.push_back(i.to);
            break;
          case Instruction::Jump: pending.push_back(i.to); break;
          case Instruction::Match: put(matched, at); break;
          case Instruction::Not: {
            notStarts[static_cast<size_t>(i.to)].push_back(at);
            // The empty stretch from here.
            if (!has(row(i.to, at), at)) pending.push_back(pc + 1);
            break;
          }
        }
      }
      if (at == length_) break;
      for (int32_t pc : current)
        if (takesChar(*code[static_cast<size_t>(pc)].node, name_[at])) next.push_back(pc + 1);
      // No state left and no "~" item that could still open a way: nothing
      // further can match.
      if (next.empty() && std::all_of(notStarts.begin(), notStarts.end(), [](const auto& s) { return s.empty(); }))
        break;
    }
    return matched;
  }

 private:
  // TRUE when, from some earlier start, the item does not match up to here.
  bool notOpen(int32_t item, const std::vector<size_t>& starts, size_t at) {
    for (size_t start : starts) {
      if (start >= at) continue;
      ++patternSteps;
      if (!has(row(item, start), at)) return true;
    }
    return false;
  }

  // Every end of the item's matches from the start, found once.
  const Ends& row(int32_t item, size_t start) {
    auto& rows = rows_[static_cast<size_t>(item)];
    if (rows.empty()) rows.resize(length_ + 1);
    Ends& ends = rows[start];
    if (ends.empty()) {
      Ends found = run(item, start);
      rows_[static_cast<size_t>(item)][start] = std::move(found);
    }
    return rows_[static_cast<size_t>(item)][start];
  }

  const Program& program_;
  const std::string& name_;
  size_t length_;
  std::vector<std::vector<Ends>> rows_;  // per "~" item, per start
  std::vector<size_t> seen_;             // per state: the generation it was last put in
  size_t generation_ = 0;
};

}  // namespace

uint64_t ostest::patternMatchSteps() { return patternSteps; }

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
  const Program program(tree);
  return has(Matcher(program, text).run(0, 0), text.size());
}

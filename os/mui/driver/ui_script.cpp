#include "os/mui/driver/ui_script.h"

#include <cstring>

#include "os/exec/hosted_failure.h"

namespace mui {
namespace {

constexpr int ANY = 1000;

// The verbs, with how many arguments each takes.
struct Verb {
  const char* name;
  int least, most;
};
constexpr Verb VERBS[] = {
    {"window", 1, 1},          {"press", 1, 1},        {"type", 2, 3},           {"tick", 1, 1},
    {"untick", 1, 1},          {"choose", 2, 2},       {"click-row", 2, 3},      {"double-click-row", 2, 2},
    {"click-title", 2, 2},     {"close", 0, 0},        {"drop", 1, ANY},         {"quit", 0, 0},
    {"answer-choice", 1, 1},   {"answer-file", 1, ANY}, {"answer-text", 1, 1},  {"answer-cancel", 0, 0},
    {"expect-row", 2, 2},      {"expect-no-row", 2, 2}, {"expect-rows", 2, 2},   {"expect-text", 2, 2},
    {"wait", 0, 0},
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

struct LineFault {
  std::string why;
};

bool startsComment(const std::string& line, size_t at) {
  if (line[at] != '#') return false;
  size_t end = at + 1;
  while (end < line.size() && !isBlank(line[end])) ++end;
  return !(end > at + 1 && isUiScriptNumber(line.substr(at + 1, end - at - 1)));
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  for (;;) {
    while (at < line.size() && isBlank(line[at])) ++at;
    if (at >= line.size() || startsComment(line, at)) return words;
    std::string word;
    while (at < line.size() && !isBlank(line[at])) {
      if (line[at] != '"') {
        word += line[at++];
        continue;
      }
      for (++at;; ++at) {
        if (at >= line.size()) throw LineFault{"a quote is not closed"};
        if (line[at] == '"') break;
        if (line[at] == '\\' && at + 1 < line.size() && (line[at + 1] == '"' || line[at + 1] == '\\')) ++at;
        word += line[at];
      }
      ++at;
    }
    words.push_back(word);
  }
}

void check(const UiScriptLine& line) {
  const Verb* verb = nullptr;
  for (const Verb& v : VERBS)
    if (line.verb == v.name) verb = &v;
  if (!verb) throw LineFault{"unknown action \"" + line.verb + "\""};
  const int count = static_cast<int>(line.args.size());
  if (count < verb->least || count > verb->most) {
    std::string takes = verb->least == verb->most ? std::to_string(verb->least)
                        : verb->most == ANY       ? "at least " + std::to_string(verb->least)
                                                  : std::to_string(verb->least) + " or " + std::to_string(verb->most);
    throw LineFault{line.verb + " takes " + takes + " argument" + (takes.back() == '1' ? "" : "s") + ", not " +
                    std::to_string(count)};
  }
  const std::string last = line.args.empty() ? "" : line.args.back();
  if (line.verb == "type" && count == 3 && last != "enter")
    throw LineFault{"type ends with \"enter\" or nothing, not \"" + last + "\""};
  if (line.verb == "click-row" && count == 3 && last != "shift" && last != "ctrl")
    throw LineFault{"click-row ends with \"shift\", \"ctrl\" or nothing, not \"" + last + "\""};
  if ((line.verb == "click-title" && (!isUiScriptNumber(last) || std::stoul(last) == 0)) ||
      (line.verb == "expect-rows" && !isUiScriptNumber(last)))
    throw LineFault{line.verb + " needs a number" + std::string(line.verb == "click-title" ? " from 1" : "") +
                    ", not \"" + last + "\""};
}
}  // namespace

bool isUiScriptNumber(const std::string& s) {
  return !s.empty() && s.size() <= 9 && s.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<UiScriptLine> parseUiScript(const std::string& text, const std::string& scriptName) {
  std::vector<UiScriptLine> lines;
  int number = 0;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string raw = text.substr(at, end - at);
    at = end + 1;
    ++number;
    try {
      std::vector<std::string> words = split(raw);
      if (words.empty()) continue;
      UiScriptLine line{number, words.front(), std::vector<std::string>(words.begin() + 1, words.end())};
      check(line);
      lines.push_back(std::move(line));
    } catch (const LineFault& fault) {
      throw HostedFailure("UI script \"" + scriptName + "\", line " + std::to_string(number) + ": " + fault.why);
    }
  }
  return lines;
}

}  // namespace mui

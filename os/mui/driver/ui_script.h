// UI scripts: a file of user actions, one a line, that drives the program
// as a person would (see os/mui/driver/ui_script_runner.h for how they run).
//
//   # a comment; blank lines are skipped
//   window "Edit game"        act in that window from now on
//   type Name "Lemmings 2" enter
//   click-row Games #3 shift
//
// Arguments are separated by blanks; one with blanks is written in double
// quotes, in which \" is a quote and \\ a backslash. A "#" that begins an
// argument begins a comment, unless the argument is "#" and digits (a row).
#pragma once
#include <string>
#include <vector>

namespace mui {

struct UiScriptLine {
  int number;  // from 1
  std::string verb;
  std::vector<std::string> args;
};

// The lines of a script; HostedFailure names the script, the line and the
// fault of the first line that is not a valid action.
std::vector<UiScriptLine> parseUiScript(const std::string& text, const std::string& scriptName);

// A number as scripts write one: digits only, few enough to read without overflow.
bool isUiScriptNumber(const std::string& text);

}  // namespace mui

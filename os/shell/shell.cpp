#include "os/shell/shell.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "os/shell/command_search.h"
#include "os/shell/shell_builtins.h"
#include "os/shell/shell_paths.h"
#include "os/shell/shell_reader.h"
#include "os/shell/write_all.h"

namespace {

// Files a line's redirections opened; closed when the line is done.
struct RedirectedFiles {
  int fds[3] = {-1, -1, -1};
  RedirectedFiles() = default;
  RedirectedFiles(const RedirectedFiles&) = delete;
  RedirectedFiles& operator=(const RedirectedFiles&) = delete;
  ~RedirectedFiles() {
    for (int fd : fds)
      if (fd >= 0) close(fd);
  }
};

// Opens the redirections over the shell's streams: the input replaces stdin,
// an output replaces stdout (the shell's own messages keep going to stderr).
// false after printing why a file could not be opened.
bool openRedirections(const ShellState& state, const std::vector<ShellRedirection>& redirections,
                      RedirectedFiles* files, HostStreams* streams) {
  *streams = state.streams;
  for (const ShellRedirection& r : redirections) {
    std::string host;
    int fd = -1;
    if (shellHostPath(r.file, state.dir, r.kind != ShellItemKind::RedirectInput, &host)) {
      switch (r.kind) {
        case ShellItemKind::RedirectInput:
          fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
          break;
        case ShellItemKind::RedirectOutput:
          fd = open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
          break;
        default:
          fd = open(host.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
          break;
      }
    }
    if (fd < 0) {
      shellWrite(state.streams.err, "Unable to open redirection file \"" + r.file + "\"\n");
      return false;
    }
    const int slot = r.kind == ShellItemKind::RedirectInput ? 0 : 1;
    if (files->fds[slot] >= 0) close(files->fds[slot]);  // the last one of a kind wins
    files->fds[slot] = fd;
    if (slot == 0)
      streams->in = fd;
    else
      streams->out = fd;
  }
  return true;
}

int32_t runProgram(const ShellState& state, const ShellLine& parsed, const HostStreams& streams) {
  const std::string& name = parsed.words[0].text;
  const std::string path = findShellCommand(name, state.dir);
  if (path.empty()) {
    shellWrite(state.streams.err, name + ": Unknown command\n");
    return RC_FAIL;
  }
  HostProgram program;
  program.path = path;
  program.args.push_back(path);
  for (size_t i = 1; i < parsed.words.size(); ++i) program.args.push_back(mapShellArgument(parsed.words[i].text, state.dir));
  program.dir = state.dir;
  program.streams = streams;
  program.priority = state.priority;
  int startError = 0;
  const int32_t rc = runHostProgram(program, &startError);
  if (rc < 0) {
    shellWrite(state.streams.err, name + ": " + std::strerror(startError) + "\n");
    return RC_FAIL;
  }
  return rc;
}

// Runs a parsed command; `script` is the Execute script read beforehand.
int32_t runParsed(ShellState& state, const ShellLine& parsed, const std::vector<std::string>* script) {
  RedirectedFiles files;
  HostStreams streams;
  if (!openRedirections(state, parsed.redirections, &files, &streams)) return RC_FAIL;
  if (parsed.words.empty()) return RC_OK;  // redirections alone: the files were made
  if (ShellBuiltin builtin = findShellBuiltin(parsed.words[0].text)) {
    ShellCommand command;
    command.name = parsed.words[0].text;
    command.args.assign(parsed.words.begin() + 1, parsed.words.end());
    command.streams = streams;
    command.script = script;
    return builtin(state, command);
  }
  return runProgram(state, parsed, streams);
}

bool parseOrReport(const ShellState& state, const std::string& line, size_t start, ShellLine* parsed) {
  std::string error;
  if (parseShellLine(line, parsed, &error, start)) return true;
  shellWrite(state.streams.err, error + "\n");
  return false;
}

bool isExecute(const ShellLine& parsed) {
  return !parsed.words.empty() && sameCommandName(parsed.words[0].text, "Execute");
}

// Run <command line>: the rest of the line, exactly as written, runs in a
// background shell; redirections in front of "Run" become that shell's streams.
int32_t runInBackground(ShellState& state, const std::vector<ShellRedirection>& redirections,
                        const std::string& line, size_t rest) {
  RedirectedFiles files;
  ShellState background = state;
  if (!openRedirections(state, redirections, &files, &background.streams)) return RC_FAIL;
  while (rest < line.size() && isShellBlank(line[rest])) ++rest;
  if (rest >= line.size()) {
    shellWrite(state.streams.err, "Run: no command given\n");
    return RC_FAIL;
  }
  const int32_t rc = startShellInBackground(background, {line.substr(rest)});
  return rc < 0 ? RC_FAIL : rc;
}

std::string withoutLineEnd(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) --end;
  return line.substr(0, end);
}

}  // namespace

void shellWrite(int fd, const std::string& text) { writeAll(fd, text.data(), text.size()); }

int32_t runShellLine(ShellState& state, const std::string& rawLine) {
  const std::string line = withoutLineEnd(rawLine);
  size_t first = 0;
  while (first < line.size() && isShellBlank(line[first])) ++first;
  if (first >= line.size()) return RC_OK;
  if (state.echo) shellWrite(state.streams.out, line + "\n");
  if (line[first] == ';') return RC_OK;

  // Redirections may stand before the command word; "Run" takes the rest of
  // the line after it unparsed, so read only up to the command word first.
  std::vector<ShellRedirection> leading;
  ShellReader reader(line, first);
  ShellItem item;
  std::string error;
  while (reader.next(&item, &error) && item.kind != ShellItemKind::Word) leading.push_back({item.kind, item.text});
  if (!error.empty()) {
    shellWrite(state.streams.err, error + "\n");
    return RC_ERROR;
  }
  if (item.kind == ShellItemKind::Word && sameCommandName(item.text, "Run"))
    return runInBackground(state, leading, line, item.end);

  ShellLine parsed;
  if (!parseOrReport(state, line, first, &parsed)) return RC_ERROR;
  return runParsed(state, parsed, nullptr);
}

int32_t runShellLines(ShellState& state, const std::vector<std::string>& lines) {
  int32_t rc = RC_OK;
  for (const std::string& line : lines) {
    rc = runShellLine(state, line);
    if (rc >= RC_ERROR) break;
  }
  return rc;
}

int32_t startShellInBackground(const ShellState& state, const std::vector<std::string>& lines) {
  // An Execute script is read now, while the caller still knows the file is
  // the one it means; the background shell runs the lines it was given.
  ShellLine first;
  std::vector<std::string> script;
  bool preloaded = false;
  std::string error;
  if (!lines.empty() && parseShellLine(withoutLineEnd(lines[0]), &first, &error) && isExecute(first)) {
    ShellCommand command;
    command.name = first.words[0].text;
    command.args.assign(first.words.begin() + 1, first.words.end());
    command.streams = state.streams;
    if (loadExecuteScript(state, command, &script) != RC_OK) return RC_FAIL;
    preloaded = true;
  }

  ShellState background = state;
  // In the background process the streams are its own 0, 1 and 2.
  background.streams = HostStreams{};
  const bool started = startBackgroundJob(state.streams, state.priority, [&]() -> int32_t {
    size_t next = 0;
    int32_t rc = RC_OK;
    if (preloaded) {
      if (background.echo) shellWrite(background.streams.out, withoutLineEnd(lines[0]) + "\n");
      rc = runParsed(background, first, &script);
      next = 1;
    }
    for (; next < lines.size() && rc < RC_ERROR; ++next) rc = runShellLine(background, lines[next]);
    return rc;
  });
  return started ? RC_OK : -1;
}

std::vector<std::string> splitShellLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

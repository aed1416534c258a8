#include "tests/e2e/ludex_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <thread>

extern char** environ;

namespace {

// A program that has not ended by then is taken to hang (the sanitizer build
// runs a few times slower than the normal one).
constexpr auto TIME_LIMIT = std::chrono::seconds(60);

// This process's environment with the sandbox's and the display's changes, as execve takes it.
std::vector<std::string> environmentFor(const LudexSandbox& box, const char* script, E2eDisplay display) {
  std::map<std::string, std::string> variables;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const size_t equals = entry.find('=');
    if (equals != std::string::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
  }
  LudexEnvironment changes = box.prepareRun(script);
  changes.emplace_back("QT_QPA_PLATFORM", std::nullopt);
  changes.emplace_back("LUDEX_SHOW_UI", std::nullopt);
  if (display == E2eDisplay::Offscreen) {
    changes.emplace_back("QT_QPA_PLATFORM", "offscreen");
    changes.emplace_back("LUDEX_SHOW_UI", "1");
  }
  // Qt's allocations that live as long as the process are not the program's.
  changes.emplace_back("LSAN_OPTIONS", "suppressions=" LUDEX_QT_LEAKS);
  for (const auto& [name, value] : changes) {
    if (value)
      variables[name] = *value;
    else
      variables.erase(name);
  }
  std::vector<std::string> entries;
  for (const auto& [name, value] : variables) entries.push_back(name + "=" + value);
  return entries;
}

}  // namespace

LudexProcess::LudexProcess(const LudexSandbox& box, const char* script, E2eDisplay display) : box_(box) {
  std::vector<std::string> entries = environmentFor(box, script, display);
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const std::filesystem::path& folder = box.folder();
  const std::string out = (folder / "stdout.txt").string(), err = (folder / "stderr.txt").string();
  const std::string program = LUDEX_PROGRAM;
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_ = fork();
  if (pid_ < 0) status_ = 127 << 8;  // as a program that could not be started, never as a clean end
  if (pid_ == 0) {
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (o < 0 || e < 0 || in < 0 || dup2(in, 0) < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(folder.c_str()) != 0)
      _exit(127);
    execve(argv[0], argv, envp.data());
    _exit(127);
  }
}

LudexProcess::~LudexProcess() {
  if (pid_ > 0) kill();
}

LudexRunResult LudexProcess::finish() {
  const auto limit = std::chrono::steady_clock::now() + TIME_LIMIT;
  bool hung = false;
  while (pid_ > 0) {
    const pid_t ended = waitpid(pid_, &status_, WNOHANG);
    if (ended == pid_ || ended < 0) {
      pid_ = -1;
      break;
    }
    if (std::chrono::steady_clock::now() > limit) {
      hung = true;
      kill();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  LudexRunResult r;
  r.exitCode = WIFEXITED(status_) ? WEXITSTATUS(status_) : WIFSIGNALED(status_) ? 128 + WTERMSIG(status_) : -1;
  r.output = box_.read("stdout.txt");
  r.errors = box_.read("stderr.txt") + (hung ? "(killed: still running after the time limit)\n" : "");
  return r;
}

void LudexProcess::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  waitpid(pid_, &status_, 0);
  pid_ = -1;
}

LudexRunResult runLudex(const LudexSandbox& box, const char* script, E2eDisplay display) {
  return LudexProcess(box, script, display).finish();
}

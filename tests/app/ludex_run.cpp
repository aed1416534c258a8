#include "tests/app/ludex_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/startup.h"
#include "os/dos/dos_testing.h"
#include "tests/support/child_process.h"
#include "tests/support/scoped_env.h"
#include "tests/support/test_folder.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeAll(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

LudexSandbox::LudexSandbox() : folder_(freshTestFolder("ludex_run")) {
  for (const char* sub : {"home", "progdir", "run", "games", "bin"}) fs::create_directories(folder_ / sub);
  fs::permissions(folder_ / "run", fs::perms::owner_all);  // a runtime folder is its user's alone
  writeProgram("bin/fakeemu", "#!/bin/sh\necho \"$@\" >> \"" + (folder_ / "starts.txt").string() + "\"\n");
}

void LudexSandbox::writeList(const std::string& text) const { writeAll(folder_ / "progdir" / "Ludex.list", text); }

std::string LudexSandbox::list() const { return readAll(folder_ / "progdir" / "Ludex.list"); }

bool LudexSandbox::hasFile(const std::string& relative) const { return fs::exists(folder_ / relative); }

std::string LudexSandbox::read(const std::string& relative) const { return readAll(folder_ / relative); }

void LudexSandbox::writeProgram(const std::string& relative, const std::string& text) const {
  writeAll(folder_ / relative, text);
  chmod((folder_ / relative).c_str(), 0755);
}

void LudexSandbox::writePrefs(bool autoExit, const std::string& launchers) const {
  writeAll(folder_ / "home/.config/ludex/ENVARC/Ludex.prefs", std::string("1\n") + (autoExit ? "1" : "0") + "\n0\n" + launchers);
}

void LudexSandbox::writeGame(const std::string& relative) const { writeAll(folder_ / "games" / relative, "game"); }

std::string LudexSandbox::emulatorStarts(size_t expected) const {
  std::string starts = readAll(folder_ / "starts.txt");
  for (int waited = 0; waited < 100; ++waited) {
    if (static_cast<size_t>(std::count(starts.begin(), starts.end(), '\n')) >= expected) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    starts = readAll(folder_ / "starts.txt");
  }
  return starts;
}

LudexEnvironment LudexSandbox::prepareRun(const char* script) const {
  const std::string scriptPath = (folder_ / "ui.script").string();
  if (script) writeAll(scriptPath, script);
  return {
      {"LUDEX_UI_SCRIPT", script ? std::optional(scriptPath) : std::nullopt},
      {"HOME", (folder_ / "home").string()},
      {"LUDEX_HOME", (folder_ / "progdir").string()},
      {"XDG_RUNTIME_DIR", (folder_ / "run").string()},
      {"LUDEX_VOLUMES", "Games=" + (folder_ / "games").string()},
      {"PATH", (folder_ / "bin").string() + ":/usr/bin:/bin"},
      {"DISPLAY", std::nullopt},
      {"WAYLAND_DISPLAY", std::nullopt},
  };
}

LudexRunResult LudexSandbox::run(const char* script, const std::function<void()>& beforeStart) const {
  std::deque<ScopedEnv> environment;
  for (const auto& [name, value] : prepareRun(script)) environment.emplace_back(name.c_str(), value ? value->c_str() : nullptr);
  const ChildResult r = runInChild([&beforeStart] {
    ostest::resetDos();  // the volumes from the environment above
    if (beforeStart) beforeStart();
    char arg0[] = "ludex";
    char* argv[] = {arg0, nullptr};
    return ludexMain(1, argv);
  });
  return {r.exitCode, r.output, ""};
}

#include "tests/e2e/e2e_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

std::string e2eQuoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

void e2eWriteRecordingEmulator(const LudexSandbox& box, const std::string& relative) {
  const std::string starts = (box.folder() / "starts").string();
  std::filesystem::create_directories(starts);
  box.writeProgram(relative, "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"" + starts +
                                 "/part.$$\"\nmv \"" + starts + "/part.$$\" \"" + starts + "/start.$$\"\n");
}

std::vector<std::string> e2eEmulatorStarts(const LudexSandbox& box, size_t expected) {
  std::vector<std::string> records;
  for (int waited = 0; waited < 200; ++waited) {
    records.clear();
    for (const auto& entry : std::filesystem::directory_iterator(box.folder() / "starts"))
      if (entry.path().filename().string().rfind("start.", 0) == 0)
        records.push_back(box.read("starts/" + entry.path().filename().string()));
    if (records.size() >= expected) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  std::sort(records.begin(), records.end());
  return records;
}

void playScenario(LudexSandbox& box, const E2eScenario& scenario) {
  for (const E2eFile& file : scenario.files) {
    const std::filesystem::path path = box.folder() / "games" / file.path;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << file.bytes;
  }
  if (scenario.list) box.writeList(*scenario.list);
  for (size_t n = 0; n < scenario.starts.size(); ++n) {
    const E2eStart& start = scenario.starts[n];
    SCOPED_TRACE("start " + std::to_string(n + 1));
    const LudexRunResult r = runLudex(box, start.script.c_str(), scenario.display);
    EXPECT_EQ(r.output, start.output);
    EXPECT_EQ(r.exitCode, start.exitCode) << r.errors;
    const std::string list = box.list();
    for (const std::string& text : start.listHas) EXPECT_NE(list.find(text), std::string::npos) << text << " in\n" << list;
    for (const std::string& text : start.listLacks) EXPECT_EQ(list.find(text), std::string::npos) << text << " in\n" << list;
    if (start.listIs) {
      EXPECT_EQ(list, *start.listIs);
    }
    if (start.then) start.then();
  }
}

void PrintTo(E2eDisplay display, std::ostream* out) {
  *out << (display == E2eDisplay::Headless ? "Headless" : "Offscreen");
}

std::string e2eDisplayName(const testing::TestParamInfo<E2eDisplay>& info) { return testing::PrintToString(info.param); }

#include "tests/e2e/e2e_scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
    const LudexRunResult r = box.run(start.script.c_str());
    EXPECT_EQ(r.output, start.output);
    EXPECT_EQ(r.exitCode, start.exitCode);
    const std::string list = box.list();
    for (const std::string& text : start.listHas) EXPECT_NE(list.find(text), std::string::npos) << text << " in\n" << list;
    for (const std::string& text : start.listLacks) EXPECT_EQ(list.find(text), std::string::npos) << text << " in\n" << list;
    if (start.listIs) {
      EXPECT_EQ(list, *start.listIs);
    }
  }
}

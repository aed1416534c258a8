// A fresh, empty folder of the running test on the host:
// $LUDEX_TEST_ROOT/<area>/<test name> (under /tmp when the variable is unset).
// Whatever an earlier run left there is removed first.
#pragma once
#include <filesystem>

std::filesystem::path freshTestFolder(const char* area);

// Runs an action that must raise the program's Exception with the given id and
// message text; a missing error or another id or text fails the test.
#pragma once
#include <functional>

void expectError(const char* id, const char* message, const std::function<void()>& action);

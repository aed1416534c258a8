// Runs a piece of a test as an ordinary user. The tests may run as root, past
// whom permission bits let everything through; a child process that has given
// up root ("nobody") meets them as a user does.
#pragma once
#include <functional>
#include <string>

#include "tests/support/child_process.h"

// The exit code of a child that could not be an ordinary user whom the
// permission bits stop.
constexpr int CANNOT_DROP_ROOT = 125;

// body in a forked child as an ordinary user: the tests' own user when they
// do not run as root, else "nobody". Its output is captured; the exit code is
// CANNOT_DROP_ROOT when root could not be given up.
ChildResult runAsOrdinaryUser(const std::function<int()>& body);

// runAsOrdinaryUser while the folder at hostFolder (which holds at least one
// entry) is that user's with mode 0400: they may list its names but not
// examine its entries. The mode is put back afterwards. CANNOT_DROP_ROOT also
// when the bits do not stop the child.
ChildResult runWithUnsearchableFolder(const std::string& hostFolder, const std::function<int()>& body);

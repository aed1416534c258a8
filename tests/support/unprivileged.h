// Runs a piece of a test as an ordinary user. The tests may run as root, past
// whom permission bits let everything through; a child process that has given
// up root ("nobody") meets them as a user does.
#pragma once
#include <functional>
#include <string>

#include "tests/support/child_process.h"

// The exit code of a child that could not become an ordinary user.
constexpr int CANNOT_DROP_ROOT = 125;

// Makes the object at a host path (not following a link) the ordinary user's,
// so that the child may own it. Does nothing when the tests are not root.
void giveToOrdinaryUser(const std::string& hostPath);

// body in a forked child as an ordinary user: the tests' own user when they
// do not run as root, else "nobody". Its output is captured; the exit code is
// CANNOT_DROP_ROOT when root could not be given up.
ChildResult runAsOrdinaryUser(const std::function<int()>& body);

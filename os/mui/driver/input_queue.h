// The input queue: the user's actions wait here until the application's input
// processing (MUIM_Application_NewInput) performs them, one per call, so that
// the program sees the effects of each before the next: on a real system the
// input handler delivers one event after the other the same way. Queuing an
// action signals the current application, so a Wait on its input signals
// returns at once.
#pragma once
#include <cstddef>
#include <functional>
#include <string>

namespace mui {

// `what` names the action for messages ("press \"OK\"").
void queueUserAction(const std::string& what, std::function<void()> perform);
// Performs the oldest action; FALSE when none waits. An error the action
// raises passes on (the action is gone from the queue then).
bool performNextUserAction();
size_t queuedUserActions();
// Drops every waiting action unperformed.
void dropUserActions();

}  // namespace mui

// What the hosted desktop says itself when it cannot open an object, as the
// Amiga desktop shows its own requester: on the display when one has
// installed its way of showing it, else one line on standard error
// ("Workbench: ..."). Every message is also kept for tests.
#pragma once
#include <string>
#include <vector>

// Shows one message of the desktop.
using DesktopMessenger = void (*)(const std::string& text);
// Installs the display's way of showing (NIL: one line on standard error);
// answers the one before.
DesktopMessenger SetDesktopMessenger(DesktopMessenger messenger);
// Shows the message as installed.
void showDesktopMessage(const std::string& text);

namespace ostest {
// The desktop's messages since the last reset, oldest first.
std::vector<std::string> desktopMessages();
void resetDesktopMessages();
}  // namespace ostest

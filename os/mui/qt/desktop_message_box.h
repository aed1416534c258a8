// The hosted desktop's own messages on screen (what it cannot open and why):
// a message box of the desktop, titled "Workbench", that the program does not
// wait for.
#pragma once
#include <string>

namespace mui::qt {

// The box's object name, by which tests find it.
constexpr const char* DESKTOP_MESSAGE_BOX = "desktopMessage";

void showDesktopMessageBox(const std::string& text);

}  // namespace mui::qt

#include "os/workbench/desktop_messages.h"

#include <cstdio>
#include <mutex>

namespace {

struct Messages {
  std::mutex lock;
  DesktopMessenger messenger = nullptr;
  std::vector<std::string> shown;
};

Messages& messages() {
  static Messages m;
  return m;
}

}  // namespace

DesktopMessenger SetDesktopMessenger(DesktopMessenger messenger) {
  Messages& m = messages();
  std::lock_guard<std::mutex> guard(m.lock);
  const DesktopMessenger before = m.messenger;
  m.messenger = messenger;
  return before;
}

void showDesktopMessage(const std::string& text) {
  Messages& m = messages();
  DesktopMessenger messenger;
  {
    std::lock_guard<std::mutex> guard(m.lock);
    m.shown.push_back(text);
    messenger = m.messenger;
  }
  if (messenger) messenger(text);
  else std::fprintf(stderr, "Workbench: %s\n", text.c_str());
}

std::vector<std::string> ostest::desktopMessages() {
  Messages& m = messages();
  std::lock_guard<std::mutex> guard(m.lock);
  return m.shown;
}

void ostest::resetDesktopMessages() {
  Messages& m = messages();
  std::lock_guard<std::mutex> guard(m.lock);
  m.shown.clear();
}

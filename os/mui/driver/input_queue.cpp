#include "os/mui/driver/input_queue.h"

#include <deque>
#include <utility>

#include "os/exec/signals.h"
#include "os/mui/classes/application.h"

namespace mui {
namespace {
struct UserAction {
  std::string what;
  std::function<void()> perform;
};
std::deque<UserAction>& queue() {
  static std::deque<UserAction> actions;
  return actions;
}

void signalApplication() {
  if (Application* app = Application::current()) Signal(nullptr, app->inputSignals());
}
}  // namespace

void queueUserAction(const std::string& what, std::function<void()> perform) {
  queue().push_back(UserAction{what, std::move(perform)});
  signalApplication();
}

bool performNextUserAction() {
  if (queue().empty()) return false;
  UserAction action = std::move(queue().front());
  queue().pop_front();
  // The next one is due at once: the program's next Wait must not block.
  if (!queue().empty()) signalApplication();
  action.perform();
  return true;
}

size_t queuedUserActions() { return queue().size(); }
void dropUserActions() { queue().clear(); }

}  // namespace mui

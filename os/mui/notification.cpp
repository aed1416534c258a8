#include "os/mui/notification.h"

#include <algorithm>

#include "os/mui/faults.h"
#include "os/mui/live_objects.h"
#include "os/mui/mui.h"
#include "os/mui/object.h"

namespace mui {
namespace {
int depth = 0;

// Counts one level of nested notifications for as long as it lives.
struct DepthLevel {
  DepthLevel() { ++depth; }
  ~DepthLevel() { --depth; }
};

// What one firing needs of a notification, taken before any action runs.
struct Pending {
  Object* destination;
  uint32_t destinationSerial;
  std::vector<IPTR> message;
};

bool isSpecialDestination(IPTR d) {
  return d == MUIV_Notify_Self || d == MUIV_Notify_Window || d == MUIV_Notify_Application;
}

Object* resolve(Object* source, IPTR destination) {
  if (destination == MUIV_Notify_Self) return source;
  if (destination == MUIV_Notify_Window) return source->ancestorOfClass("Window.mui");
  if (destination == MUIV_Notify_Application) return source->ancestorOfClass("Application.mui");
  return reinterpret_cast<Object*>(destination);
}
}  // namespace

void addNotification(Object* source, const IPTR* message) {
  const Tag attribute = static_cast<Tag>(message[1]);
  IPTR trigger = message[2];
  const IPTR destination = message[3];
  const IPTR count = message[4];
  if (count < 1 || count > MAX_NOTIFY_ACTION_WORDS) {
    fault("%s: MUIM_Notify on %s with %ld action words", source->label().c_str(), attributeName(attribute),
          static_cast<long>(count));
    return;
  }
  if (!isSpecialDestination(destination) && !isLive(reinterpret_cast<Object*>(destination))) {
    fault("%s: MUIM_Notify on %s to something that is not an object", source->label().c_str(),
          attributeName(attribute));
    return;
  }
  // Flags are kept as 1 or 0, so a trigger of TRUE given as -1 must match 1.
  const AttrSpec* spec = source->muiClass->findAttr(attribute);
  if (spec && spec->kind == AttrKind::Flag && trigger != MUIV_EveryTime) trigger = trigger ? 1 : 0;
  const uint32_t serial = isSpecialDestination(destination) ? 0 : reinterpret_cast<Object*>(destination)->serial;
  source->notifications.push_back(Notification{attribute, trigger, destination, serial,
                                               std::vector<IPTR>(message + 5, message + 5 + count)});
}

void removeNotifications(Object* source, Tag attribute) {
  auto& list = source->notifications;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const Notification& n) { return n.attribute == attribute; }),
             list.end());
}

void fireNotifications(Object* source, Tag attribute, IPTR value) {
  std::vector<Pending> due;
  for (const Notification& n : source->notifications) {
    if (n.attribute != attribute || (n.trigger != MUIV_EveryTime && n.trigger != value)) continue;
    if (!isSpecialDestination(n.destination) &&
        !isLive(reinterpret_cast<Object*>(n.destination), n.destinationSerial)) {
      // An object named when the notification was made, disposed since.
      fault("%s: the notification on %s goes to an object that was disposed", source->label().c_str(),
            attributeName(attribute));
      continue;
    }
    Object* destination = resolve(source, n.destination);
    if (!destination) continue;  // no window or application above yet
    Pending p{destination, destination->serial, n.action};
    for (size_t i = 1; i < p.message.size(); ++i) {
      if (p.message[i] == MUIV_TriggerValue)
        p.message[i] = value;
      else if (p.message[i] == MUIV_NotTriggerValue)
        p.message[i] = value ? 0 : 1;
    }
    due.push_back(std::move(p));
  }
  if (due.empty()) return;
  if (depth >= MAX_NOTIFY_DEPTH) {
    fault("%s: notifications on %s nest deeper than %d: a loop, stopped", source->label().c_str(),
          attributeName(attribute), MAX_NOTIFY_DEPTH);
    return;
  }
  DepthLevel level;
  for (Pending& p : due) {
    if (!isLive(p.destination, p.destinationSerial)) continue;  // disposed by an earlier action
    p.destination->method(p.message.data());
  }
}

}  // namespace mui

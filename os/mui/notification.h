// Notifications: "when attribute A of this object is set to value V, send
// this method to that object". They fire on every set whose value matches the
// trigger (MUIV_EveryTime matches every value), also when the value did not
// change. In the action, MUIV_TriggerValue stands for the value that was set
// and MUIV_NotTriggerValue for its negation.
#pragma once
#include <cstdint>
#include <vector>

#include "os/utility/hooks.h"
#include "os/utility/tags.h"

struct Object;

namespace mui {

struct Notification {
  Tag attribute;
  IPTR trigger;
  IPTR destination;          // an Object*, or MUIV_Notify_Self/Window/Application
  uint32_t destinationSerial;  // of the Object* when the notification was made
  std::vector<IPTR> action;  // the method and its arguments
};

// Notifications set off by notifications nest at most this deep; deeper is a
// loop, which is reported and stopped.
constexpr int MAX_NOTIFY_DEPTH = 32;
// Actions longer than this are refused as a broken message.
constexpr IPTR MAX_NOTIFY_ACTION_WORDS = 64;

// MUIM_Notify: {method, attribute, trigger, destination, count, action...}.
void addNotification(Object* source, const IPTR* message);
// MUIM_KillNotify: drops the source's notifications on the attribute.
void removeNotifications(Object* source, Tag attribute);
// Runs the source's notifications that match the value. They run from a
// copy of the list, so an action may set attributes (notifying again), add
// notifications or dispose objects; actions whose objects are gone are skipped.
void fireNotifications(Object* source, Tag attribute, IPTR value);

}  // namespace mui

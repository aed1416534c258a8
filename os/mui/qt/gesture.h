// A person's gesture on screen becomes the user driver's action on its
// object, queued like every user action and performed by the program's next
// input processing. A gesture that can no longer be performed by then (the
// object gone, its window closed or asleep, the object disabled) is dropped,
// as a real screen drops a click that arrives after its window went to sleep.
#pragma once
#include <functional>

struct Object;

namespace mui::qt {

void queueGesture(const char* what, Object* target, std::function<void(Object*)> perform);

}  // namespace mui::qt

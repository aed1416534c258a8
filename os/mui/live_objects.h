// Which engine objects exist now. Actions can dispose objects while the
// engine still holds their address (a hook closes a window from inside a
// notification); the engine asks here before it touches one again. The serial
// tells a new object at a reused address from the old one.
#pragma once
#include <cstdint>

struct Object;

namespace mui {

void registerObject(Object* object);  // gives it its serial
void unregisterObject(Object* object);
bool isLive(const Object* object, uint32_t serial);
bool isLive(const Object* object);
int32_t liveObjectCount();
void restartSerials();  // the next object gets serial 1

}  // namespace mui

#include "os/mui/live_objects.h"

#include <unordered_map>

#include "os/mui/object.h"

namespace mui {
namespace {
struct Registry {
  std::unordered_map<const Object*, uint32_t> serials;
  uint32_t next = 1;
};
Registry& registry() {
  static Registry r;
  return r;
}
}  // namespace

void registerObject(Object* object) {
  object->serial = registry().next++;
  registry().serials[object] = object->serial;
}

void unregisterObject(Object* object) { registry().serials.erase(object); }

bool isLive(const Object* object, uint32_t serial) {
  auto found = registry().serials.find(object);
  return found != registry().serials.end() && found->second == serial;
}

bool isLive(const Object* object) { return registry().serials.count(object) != 0; }

int32_t liveObjectCount() { return static_cast<int32_t>(registry().serials.size()); }

void restartSerials() { registry().next = 1; }

}  // namespace mui

#include "gui/mui/client/gui_client_hooks.h"

#include "core/exception.h"
#include "gui/mui/client/gui_app_client.h"
#include "os/commodities/commodities.h"

namespace {

cGuiAppClient* clientOf(Hook* hook) { return static_cast<cGuiAppClient*>(hook->h_Data); }

// Runs body, printing an error raised inside it the way the program prints
// errors; MUI never sees it.
template <class Body>
IPTR guarded(Body body) {
  try {
    body();
  } catch (const Exception& e) {
    PrintException(e);
  }
  return 0;
}

IPTR guiAction(Hook* hook, void* object, void* message) {
  (void)object;
  const IPTR* words = static_cast<const IPTR*>(message);
  return guarded([&] {
    clientOf(hook)->queueItemChange(reinterpret_cast<cGuiItem*>(words[0]), reinterpret_cast<cGuiWindow*>(words[1]));
  });
}

IPTR winAction(Hook* hook, void* object, void* message) {
  (void)object;
  const IPTR* words = static_cast<const IPTR*>(message);
  return guarded([&] {
    clientOf(hook)->windowAction(reinterpret_cast<cGuiWindow*>(words[0]), static_cast<Tag>(words[1]), words[2]);
  });
}

IPTR appCxBroker(Hook* hook, void* object, void* message) {
  (void)object;
  return guarded([&] { clientOf(hook)->brokerCommand(static_cast<CxMsg*>(message)); });
}

void install(Hook* hook, IPTR (*entry)(Hook*, void*, void*), cGuiAppClient* client) {
  *hook = Hook{};
  hook->h_Entry = entry;
  hook->h_Data = client;
}

}  // namespace

void installClientHooks(cGuiAppClient* client, Hook* brokerHook, Hook* windowHook, Hook* actionHook) {
  install(brokerHook, appCxBroker, client);
  install(windowHook, winAction, client);
  install(actionHook, guiAction, client);
}

#include "gui/mui/client/gui_module.h"

#include <cstring>

#include "core/exception.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/client/gui_window_host.h"
#include "os/exec/exec.h"
#include "platform/system_data.h"

bool isAROS = false;

namespace {
Library* commoditiesBase = nullptr;
Library* iconBase = nullptr;

cGuiAppClient* builtClient(const char* operation) {
  if (!guiAppClient || !guiAppClient->infoApplication())
    ThrowF("EPU", "cGuiHost; %s(); cApp.build() must be called first", operation);
  return guiAppClient;
}
}  // namespace

void new_cgui() {
  isAROS = std::strcmp(systemName, "AROS") == 0;
  commoditiesBase = OpenLibrary("commodities.library", 0);
  iconBase = OpenLibrary("icon.library", 0);
  if (!appHost) Throw("EMU", "cGui; new_cgui(); the application object has not been made");
  guiAppClient = new cGuiAppClient;
  guiAppClient->new_cGuiAppClient();
  appHost->registerClient(guiAppClient);
}

void end_cgui() {
  if (guiAppClient && appHost) appHost->unregisterClient(guiAppClient);
  End(guiAppClient);
  CloseLibrary(iconBase);
  iconBase = nullptr;
  CloseLibrary(commoditiesBase);
  commoditiesBase = nullptr;
}

cGuiWindow* CreateGuiWindow(const char* title) {
  cGuiAppClient* client = builtClient("CreateGuiWindow");
  auto* window = new cGuiWindowHost;
  try {
    window->new_cGuiWindow(title);
  } catch (...) {
    End(window);
    throw;
  }
  client->add(window);
  return window;
}

cGuiWindow* DestroyGuiWindow(cGuiWindow* window) {
  if (!guiAppClient || !window) return nullptr;
  if (window->infoIsOpen()) window->close();
  guiAppClient->rem(window);
  End(window);
  return nullptr;
}

cGuiItem* WaitForChangedGuiItem(cGuiWindow** window) {
  if (!guiAppClient) Throw("EPU", "cGuiHost; waitForChangedGuiItem(); cApp.build() must be called first");
  return guiAppClient->waitForChangedGuiItem(window);
}

cGuiItem* CheckForChangedGuiItem(bool keepOthers, cGuiWindow** window) {
  if (!guiAppClient) Throw("EPU", "cGuiHost; checkForChangedGuiItem(); cApp.build() must be called first");
  return guiAppClient->checkForChangedGuiItem(keepOthers, window);
}

#include "gui/mui/client/gui_app_client.h"

#include <cstring>

#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/dos/program.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/client/gui_client_hooks.h"
#include "os/icon/icon.h"

cGuiAppClient* guiAppClient = nullptr;

namespace {

bool isLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// A copy of text cut to length characters, every character that keep refuses
// replaced by blank.
template <class Keep>
char* cleanedCopy(const char* text, int32_t length, char blank, Keep keep) {
  const int32_t taken = static_cast<int32_t>(std::min<size_t>(std::strlen(text), static_cast<size_t>(length)));
  char* copy = NewString(taken);
  StrCopy(copy, text, taken);
  for (int32_t i = 0; i < taken; ++i)
    if (!keep(copy[i])) copy[i] = blank;
  return copy;
}

// The program's icon: the icon of its own file.
DiskObject* programIcon() {
  char* path = strSafeGetProgramPath();
  DiskObject* found = path ? GetDiskObject(path) : nullptr;
  DisposeString(path);
  // Iconified, the program's icon goes wherever there is room.
  if (found) found->do_CurrentX = found->do_CurrentY = NO_ICON_POSITION;
  return found;
}

}  // namespace

cGuiAppClient* cGuiAppClient::new_cGuiAppClient() {
  application = nullptr;
  icon = nullptr;
  InitSemaphore(&queueSemaphore);
  versionString = appTitle = appBase = nullptr;
  return this;
}

void cGuiAppClient::disposeStrings() {
  DisposeString(versionString);
  DisposeString(appTitle);
  DisposeString(appBase);
  versionString = appTitle = appBase = nullptr;
}

void cGuiAppClient::disposeApplication() {
  if (application && infoGuiActionHook() == &actionHook) setGuiActionHook(nullptr);
  MUI_DisposeObject(application);
  application = nullptr;
  FreeDiskObject(icon);
  icon = nullptr;
}

void cGuiAppClient::end_class() {
  try {
    cAppClient::end_class();
  } catch (...) {
  }
  try {
    disposeQueue();
  } catch (...) {
  }
  disposeApplication();
  disposeStrings();
}

void cGuiAppClient::reset(cApp* app) {
  (void)app;
  // The windows go first: disposing the Application object would dispose
  // the Window objects of its open windows, which the windows dispose again
  // when they end.
  endResources();
  disposeQueue();
  disposeApplication();
  DisposeString(versionString);
  versionString = nullptr;
}

void cGuiAppClient::minimise(cApp* app, bool flag) {
  (void)app;
  SetAttrs(application, MUIA_Application_Iconified, flag ? 0 : 1);
}

bool cGuiAppClient::infoIconified() {
  IPTR iconified = 0;
  if (application) GetAttr(MUIA_Application_Iconified, application, &iconified);
  return iconified != 0;
}

void cGuiAppClient::appIsBuilt(cApp* app) {
  screen = app->IsOfClassType("cAppHost") ? static_cast<cAppHost*>(app)->getScreen() : nullptr;
  if (app->infoFullScreen()) screen = nullptr;

  if (!app->infoVersion()) app->initVersion(app->infoTitle());
  DisposeString(versionString);
  versionString = StrJoin("$", "VER", ": ", app->infoVersion());
  DisposeString(appTitle);
  appTitle = cleanedCopy(app->infoTitle(), 30, ' ',
                         [](char c) { return isLetterOrDigit(c) || c == ' ' || c == '-' || c == '_'; });
  DisposeString(appBase);
  appBase = cleanedCopy(app->infoTitle(), 28, '_', [](char c) { return isLetterOrDigit(c) || c == '-' || c == '_'; });

  // Built once more after a reset, the client starts afresh.
  disposeApplication();
  icon = programIcon();

  TagItem tags[10];
  int n = 0;
  tags[n++] = {MUIA_Application_Title, toIPTR(appTitle)};
  tags[n++] = {MUIA_Application_Base, toIPTR(appBase)};
  if (icon) tags[n++] = {MUIA_Application_DiskObject, toIPTR(icon)};
  if (versionString) tags[n++] = {MUIA_Application_Version, toIPTR(versionString)};
  if (app->infoCopyright()) tags[n++] = {MUIA_Application_Copyright, toIPTR(app->infoCopyright())};
  if (app->infoAuthor()) tags[n++] = {MUIA_Application_Author, toIPTR(app->infoAuthor())};
  if (app->infoDescription()) tags[n++] = {MUIA_Application_Description, toIPTR(app->infoDescription())};
  tags[n++] = {TAG_DONE, 0};
  application = MUI_NewObjectA("Application.mui", tags);
  if (!application) Throw("ERR", "cGuiAppClient.build(); failed to create GUI");

  installClientHooks(this, &brokerHook, &windowHook, &actionHook);
  SetAttrs(application, MUIA_Application_BrokerHook, &brokerHook);
  setGuiActionHook(&actionHook);
  signalMask = 0;
  newest = oldest = nullptr;
  quitRequest = false;
}

bool cGuiAppClient::getQuitRequest(bool keep) {
  const bool requested = quitRequest;
  if (!keep) quitRequest = false;
  return requested;
}

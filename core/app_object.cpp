#include "core/app_object.h"

#include <cstring>

#include "core/exception.h"
#include "core/runtime.h"

cAppHost* appHost = nullptr;

void cAppClient::end_class() {
  endResources();
  class_base::end_class();
}

void cAppClient::endResources() {
  cAppResource* r = firstResource;
  firstResource = lastResource = nullptr;
  while (r) {
    cAppResource* after = r->next;
    r->next = r->prev = nullptr;
    r->owner = nullptr;
    try {
      End(r);
    } catch (...) {
    }
    r = after;
  }
}

void cAppClient::add(cAppResource* resource) {
  if (!resource) Throw("EMU", "cAppClient.add(); res=NIL");
  resource->owner = this;
  resource->next = nullptr;
  resource->prev = lastResource;
  if (lastResource) lastResource->next = resource; else firstResource = resource;
  lastResource = resource;
}

cAppResource* cAppClient::rem(cAppResource* resource) {
  // A resource of another client (or none) would corrupt both lists.
  if (!resource || resource->owner != this || !firstResource)
    Throw("BUG", "cAppClient.rem(); resource is not in the list");
  if (resource->prev) resource->prev->next = resource->next; else firstResource = resource->next;
  if (resource->next) resource->next->prev = resource->prev; else lastResource = resource->prev;
  resource->next = resource->prev = nullptr;
  resource->owner = nullptr;
  return resource;
}

void cApp::new_cApp() {
  firstClient = lastClient = nullptr;
  title = version = copyright = author = description = nullptr;
  fullWindow = fullScreen = built = false;
  fullScreenA = fullScreenB = 0;
}

void cApp::reset() {
  title = version = copyright = author = description = nullptr;
  fullWindow = fullScreen = built = false;
  for (cAppClient* c = firstClient; c; c = c->next) c->reset(this);
}

void cApp::registerClient(cAppClient* client) {
  if (!client) Throw("EMU", "cApp.registerClient(); client=NIL");
  client->next = nullptr;
  if (lastClient) lastClient->next = client; else firstClient = client;
  lastClient = client;
}

void cApp::unregisterClient(cAppClient* client) {
  cAppClient* before = nullptr;
  for (cAppClient* c = firstClient; c; before = c, c = c->next) {
    if (c != client) continue;
    if (before) before->next = c->next; else firstClient = c->next;
    if (lastClient == c) lastClient = before;
    c->next = nullptr;
    return;
  }
}

cApp* cApp::initTitle(const char* s) { title = s; return this; }
cApp* cApp::initVersion(const char* s) { version = s; return this; }
cApp* cApp::initCopyright(const char* s) { copyright = s; return this; }
cApp* cApp::initAuthor(const char* s) { author = s; return this; }
cApp* cApp::initDescription(const char* s) { description = s; return this; }

cApp* cApp::initFullWindow() {
  if (fullScreen) Throw("EMU", "cApp.initFullWindow(); already used initFullScreen()");
  fullWindow = true;
  return this;
}

cApp* cApp::initFullScreen(int32_t a, int32_t b) {
  if (fullWindow) Throw("EMU", "cApp.initFullScreen(); already used initFullWindow()");
  fullScreen = true;
  fullScreenA = a;
  fullScreenB = b;
  return this;
}

void cApp::build() {
  if (built) Throw("EMU", "cApp.build(); already used build()");
  if (!title) Throw("EMU", "cApp.build(); initTitle() was not used");
  for (cAppClient* c = firstClient; c; c = c->next) c->finishBuilding(this);
  for (cAppClient* c = firstClient; c; c = c->next) c->appIsBuilt(this);
  built = true;
}

void cApp::minimise(bool flag) {
  if (!built) Throw("EMU", "cApp.minimise(); app has not been built yet");
  for (cAppClient* c = firstClient; c; c = c->next) c->minimise(this, flag);
}

bool cApp::infoFullScreen(int32_t* a, int32_t* b) {
  if (a) *a = fullScreenA;
  if (b) *b = fullScreenB;
  return fullScreen;
}

void cAppHost::new_cApp() {
  cApp::new_cApp();
  screen = nullptr;
}

void cAppHost::reset() {
  cApp::reset();
  screen = nullptr;
}

void cAppHost::setScreen(Screen* s) {
  if (screen) Throw("EMU", "cAppHost.setScreen(); the screen has already been set");
  screen = s;
}

namespace {
// The part of a path after its last "/", ":" or "\".
const char* fileNameOf(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '/' || *p == ':' || *p == '\\') name = p + 1;
  return name;
}
}  // namespace

cApp* CreateApp(const char* name) {
  if (!appHost) Throw("EMU", "cApp; CreateApp(); app has not been created yet");
  if (!name) name = fileNameOf(programPath() ? programPath() : "");
  appHost->initTitle(name);
  return appHost;
}

void DestroyApp() {
  if (appHost) appHost->reset();
}

void MinimiseApp(bool flag) {
  if (!appHost) Throw("EMU", "cApp; MinimiseApp(); app has not been created yet");
  appHost->minimise(flag);
}

void new_capp() {
  appHost = new cAppHost;
  appHost->new_cApp();
}

void end_capp() { End(appHost); }

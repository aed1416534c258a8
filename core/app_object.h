// The application object: the one place where the parts of the program that
// own windows or other resources register as clients, so the program can be
// built, minimised and reset as a whole.
#pragma once
#include <cstdint>

#include "core/class_base.h"

class cApp;
class cAppClient;

// A resource owned by a client (the toolkit's windows derive from it).
class cAppResource : public class_base {
  LUDEX_CLASS(cAppResource, class_base)
 public:
  cAppResource* next = nullptr;
  cAppResource* prev = nullptr;
  cAppClient* owner = nullptr;
};

// A client of the application object. Its hooks do nothing here; real clients
// override them.
class cAppClient : public class_base {
  LUDEX_CLASS(cAppClient, class_base)
 public:
  virtual void new_cAppClient() {}
  // Ends every resource, first to last.
  void end_class() override;
  // Ends every resource, first to last, and leaves the client without any;
  // an error from one resource does not keep the others alive.
  virtual void endResources();

  virtual void finishBuilding(cApp* app) { (void)app; }
  virtual void appIsBuilt(cApp* app) { (void)app; }
  virtual void reset(cApp* app) { (void)app; }
  virtual void minimise(cApp* app, bool flag) { (void)app; (void)flag; }
  // Makes this client the resource's owner and appends it (EMU for NIL).
  virtual void add(cAppResource* resource);
  // Unlinks one of this client's resources and returns it (BUG when it is not ours).
  virtual cAppResource* rem(cAppResource* resource);
  virtual cAppResource* infoFirstResource() { return firstResource; }

  cAppClient* next = nullptr;
  cAppResource* firstResource = nullptr;
  cAppResource* lastResource = nullptr;
};

class cApp : public class_base {
  LUDEX_CLASS(cApp, class_base)
 public:
  virtual void new_cApp();
  virtual void reset();
  virtual void registerClient(cAppClient* client);
  // Takes a client that is about to end out of the chain (nothing when it is
  // not registered), so that no later build, minimise or reset reaches it.
  virtual void unregisterClient(cAppClient* client);
  // The strings are not copied: the caller keeps them alive.
  virtual cApp* initTitle(const char* title);
  virtual cApp* initVersion(const char* version);
  virtual cApp* initCopyright(const char* copyright);
  virtual cApp* initAuthor(const char* author);
  virtual cApp* initDescription(const char* description);
  virtual cApp* initFullWindow();
  virtual cApp* initFullScreen(int32_t a, int32_t b);
  virtual void build();
  virtual void minimise(bool flag);
  virtual const char* infoTitle() { return title; }
  virtual const char* infoVersion() { return version; }
  virtual const char* infoCopyright() { return copyright; }
  virtual const char* infoAuthor() { return author; }
  virtual const char* infoDescription() { return description; }
  virtual bool infoFullWindow() { return fullWindow; }
  // The full-screen flag; the two numbers through the optional pointers.
  virtual bool infoFullScreen(int32_t* a = nullptr, int32_t* b = nullptr);
  bool infoIsBuilt() const { return built; }

  cAppClient* firstClient = nullptr;
  cAppClient* lastClient = nullptr;
  const char* title = nullptr;
  const char* version = nullptr;
  const char* copyright = nullptr;
  const char* author = nullptr;
  const char* description = nullptr;
  bool fullWindow = false;
  bool fullScreen = false;
  int32_t fullScreenA = 0;
  int32_t fullScreenB = 0;
  bool built = false;
};

struct Screen;  // an Intuition screen, opaque here

class cAppHost : public cApp {
  LUDEX_CLASS(cAppHost, cApp)
 public:
  void new_cApp() override;
  void reset() override;
  // Stores the screen once (EMU when one is already set).
  virtual void setScreen(Screen* s);
  virtual Screen* getScreen() { return screen; }

  Screen* screen = nullptr;
};

// The one application object, made by new_capp and ended by end_capp.
extern cAppHost* appHost;

// Sets the title of appHost (to the program's own file name when name is NIL)
// and returns it.
cApp* CreateApp(const char* name);
// Resets appHost when there is one.
void DestroyApp();
// Minimises appHost (EMU when there is none).
void MinimiseApp(bool flag);

void new_capp();
void end_capp();

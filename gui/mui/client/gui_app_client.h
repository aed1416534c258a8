// cGuiAppClient: the toolkit's one client of the application object. When
// the application is built it makes the MUI Application object and installs
// the hooks through which MUI reports what the user does; it owns every
// window (its resources) and the queue of events that the hooks fill and the
// application takes with WaitForChangedGuiItem.
#pragma once
#include <cstdint>

#include "core/app_object.h"
#include "gui/gui_window.h"
#include "gui/mui/client/event_node.h"
#include "os/exec/semaphores.h"
#include "os/mui/mui.h"
#include "os/utility/hooks.h"

struct CxMsg;
struct DiskObject;

class cGuiAppClient : public cAppClient {
  LUDEX_CLASS(cGuiAppClient, cAppClient)
 public:
  void new_cAppClient() override { new_cGuiAppClient(); }
  virtual cGuiAppClient* new_cGuiAppClient();
  // Ends every window, drops the queued events, disposes the Application
  // object and the icon, and frees the strings. Ending always completes.
  void end_class() override;

  void finishBuilding(cApp* app) override { (void)app; }
  // Makes the Application object for app (ERR when MUI cannot), installs the
  // hooks and starts an empty queue.
  void appIsBuilt(cApp* app) override;
  // Ends the windows (their Window objects leave the application first), drops
  // the queued events, disposes the Application object and the icon.
  void reset(cApp* app) override;
  // Iconifies the application when flag is FALSE, shows it when TRUE.
  void minimise(cApp* app, bool flag) override;

  virtual Object* infoApplication() { return application; }
  virtual Screen* infoScreen() { return screen; }
  virtual const char* infoAppTitle() { return appTitle; }
  virtual const char* infoAppBase() { return appBase; }
  virtual const char* infoVersionString() { return versionString; }
  virtual DiskObject* infoIcon() { return icon; }
  virtual bool infoIconified();
  // The MUI signal set waited on next (0 until the first wait).
  virtual uint32_t infoSignalMask() { return signalMask; }
  // The window hook of the window notifications.
  virtual Hook* infoWindowHook() { return &windowHook; }

  // ---- the queue ----
  virtual void addEvent(cGuiItem* item, cGuiWindow* window);
  virtual void addEvent_window_closeRequest(cGuiWindow* window);
  // The event takes path over (the caller must not use it afterwards).
  virtual void addEvent_window_fileDropped(cGuiWindow* window, char* path);
  virtual void addEventNode(eventNode* event);
  // The oldest event, unlinked (the caller's now), or NIL.
  virtual eventNode* remEvent();
  // Unlinks and disposes every queued event of window.
  virtual void purgeEventsOf(cGuiWindow* window);
  // Told by a window as it ends: its queued events go, and an event of it
  // that is being delivered reports nothing.
  virtual void windowEnds(cGuiWindow* window);
  virtual int32_t infoQueuedEvents();

  // ---- the hooks' work (the hooks catch and print errors) ----
  // What the action hook does with [item, window] (and what the list hooks
  // share): queues a change of the end of item's redirect chain; the
  // toolkit's number field then brings its number back into bounds.
  virtual void queueItemChange(cGuiItem* item, cGuiWindow* window);
  virtual void windowAction(cGuiWindow* window, Tag attribute, IPTR value);
  virtual void brokerCommand(CxMsg* message);

  // ---- the application side ----
  // The next event's item (NIL for a window event) and, through *window, its
  // window; waits for input while the queue is empty.
  virtual cGuiItem* waitForChangedGuiItem(cGuiWindow** window);
  virtual cGuiItem* checkForChangedGuiItem(bool keepOthers, cGuiWindow** window);
  // The client-wide quit request, cleared unless keep is TRUE.
  virtual bool getQuitRequest(bool keep);
  virtual void setQuitRequest(bool flag) { quitRequest = flag; }

 private:
  // MUIM_Application_NewInput until MUI names the signals to wait on next.
  void processInput(uint32_t signals);
  // Delivers event to its window or item and disposes it; FALSE when the
  // window is gone afterwards (its notification destroyed it).
  bool deliver(eventNode* event, cGuiItem** item, cGuiWindow** window);
  // A delivery under way. A notification may take events itself (a dialog's
  // own loop), so deliveries nest, the innermost first.
  struct Delivery {
    cGuiWindow* window;
    bool windowEnded;
    Delivery* outer;
  };
  void disposeQueue();
  void disposeApplication();
  void disposeStrings();

  Object* application = nullptr;
  DiskObject* icon = nullptr;
  Hook brokerHook{};
  Hook windowHook{};
  Hook actionHook{};
  Screen* screen = nullptr;
  uint32_t signalMask = 0;
  eventNode* newest = nullptr;
  eventNode* oldest = nullptr;
  SignalSemaphore queueSemaphore{};
  bool quitRequest = false;
  Delivery* deliveries = nullptr;
  char* versionString = nullptr;
  char* appTitle = nullptr;
  char* appBase = nullptr;
};

// The one client, made by new_cgui (NIL before and after).
extern cGuiAppClient* guiAppClient;

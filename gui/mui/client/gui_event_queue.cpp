// The application client's event queue: what the hooks queue, how an event
// is delivered to its window or item, and the two ways the application takes
// events (waiting for input, or polling).
#include <cstring>

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/path_parts.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "gui/items/gui_container_item.h"
#include "gui/items/gui_input_item.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/client/gui_window_host.h"
#include "gui/mui/hosts/gui_number_string_host.h"
#include "os/commodities/commodities.h"
#include "os/dos/dos.h"
#include "os/exec/signals.h"
#include "os/workbench/app_message.h"

namespace {

// Holds the queue's semaphore for a scope (nothing inside calls MUI).
class QueueLock {
 public:
  explicit QueueLock(SignalSemaphore* semaphore) : semaphore_(semaphore) { ObtainSemaphore(semaphore_); }
  ~QueueLock() { ReleaseSemaphore(semaphore_); }
  QueueLock(const QueueLock&) = delete;
  QueueLock& operator=(const QueueLock&) = delete;

 private:
  SignalSemaphore* semaphore_;
};

cGuiWindowHost* hostOf(cGuiWindow* window) {
  if (!window || !window->IsOfClassType("cGuiWindowHost")) Throw("BUG", "cGui; the event's window is not a window");
  return static_cast<cGuiWindowHost*>(window);
}

}  // namespace

// ---- the queue ----

void cGuiAppClient::addEvent(cGuiItem* item, cGuiWindow* window) {
  addEventNode((new eventNode)->new_eventNode(item, window));
}

void cGuiAppClient::addEvent_window_closeRequest(cGuiWindow* window) {
  eventNode* event = (new eventNode)->new_eventNode(nullptr, window);
  event->closeRequest = true;
  addEventNode(event);
}

void cGuiAppClient::addEvent_window_fileDropped(cGuiWindow* window, char* path) {
  eventNode* event;
  try {
    event = (new eventNode)->new_eventNode(nullptr, window);
  } catch (...) {
    DisposeString(path);  // taken over even when the event cannot be made
    throw;
  }
  event->droppedPath = path;
  addEventNode(event);
}

void cGuiAppClient::addEventNode(eventNode* event) {
  QueueLock lock(&queueSemaphore);
  event->older = newest;
  event->newer = nullptr;
  if (newest) newest->newer = event; else oldest = event;
  newest = event;
}

eventNode* cGuiAppClient::remEvent() {
  QueueLock lock(&queueSemaphore);
  eventNode* event = oldest;
  if (!event) return nullptr;
  oldest = event->newer;
  if (oldest) oldest->older = nullptr; else newest = nullptr;
  event->older = event->newer = nullptr;
  return event;
}

void cGuiAppClient::purgeEventsOf(cGuiWindow* window) {
  eventNode* purged = nullptr;
  {
    QueueLock lock(&queueSemaphore);
    for (eventNode* event = oldest; event;) {
      eventNode* next = event->newer;
      if (event->window == window) {
        if (event->older) event->older->newer = next; else oldest = next;
        if (next) next->older = event->older; else newest = event->older;
        event->older = event->newer = nullptr;
        event->newer = purged;
        purged = event;
      }
      event = next;
    }
  }
  while (purged) {
    eventNode* next = purged->newer;
    End(purged);
    purged = next;
  }
}

void cGuiAppClient::windowEnds(cGuiWindow* window) {
  purgeEventsOf(window);
  // Known by the mark, not by looking for the window among the client's:
  // a window made afterwards may stand where the ended one stood.
  for (Delivery* d = deliveries; d; d = d->outer)
    if (d->window == window) d->windowEnded = true;
}

void cGuiAppClient::disposeQueue() {
  while (eventNode* event = remEvent()) End(event);
}

int32_t cGuiAppClient::infoQueuedEvents() {
  QueueLock lock(&queueSemaphore);
  int32_t count = 0;
  for (eventNode* event = oldest; event; event = event->newer) ++count;
  return count;
}

// ---- what the hooks do ----

void cGuiAppClient::queueItemChange(cGuiItem* item, cGuiWindow* window) {
  if (!item || !window) Throw("BUG", "cGui; guiAction(); the notification names no item or no window");
  // setRedirectEventTo refuses cycles, so the chain ends.
  while (cGuiItem* target = item->getRedirectEventTo()) item = target;
  addEvent(item, window);
  // A number typed outside its field's range is brought back into it (which
  // queues the field once more). Fields of derived classes clean themselves.
  if (std::strcmp(item->InfoClassType(), "cGuiNumberStringHost") == 0)
    static_cast<cGuiNumberStringHost*>(item)->sanitise();
}

void cGuiAppClient::windowAction(cGuiWindow* window, Tag attribute, IPTR value) {
  if (!window) Throw("BUG", "cGui; winAction(); the notification names no window");
  if (attribute == MUIA_Window_CloseRequest) {
    addEvent_window_closeRequest(window);
  } else if (attribute == MUIA_AppMessage) {
    const auto* message = reinterpret_cast<const AppMessage*>(value);
    if (!message || message->am_Type != AMTYPE_APPWINDOW || message->am_NumArgs < 1) return;
    // The drop's paths are queued one event each; the last one says so.
    eventNode* last = nullptr;
    for (int32_t i = 0; i < message->am_NumArgs; ++i) {
      const WBArg& arg = message->am_ArgList[i];
      char* hostPath = fullPath(arg.wa_Lock, arg.wa_Name);
      if (!hostPath) continue;  // a lock without a name gives no path
      char* path = nullptr;
      try {
        // A folder arrives ending in "/".
        path = isDir(hostPath) ? ImportDirPath(hostPath) : ImportFilePath(hostPath);
      } catch (...) {
        DisposeString(hostPath);
        throw;
      }
      DisposeString(hostPath);
      addEvent_window_fileDropped(window, path);
      last = newest;
    }
    if (last) last->lastOfDrop = true;
  } else if (attribute == MUIA_Window_ActiveObject) {
    // The field that had the keyboard was left: that is a change of it.
    cGuiWindowHost* host = hostOf(window);
    Object* left = host->infoLastActiveObject();
    host->setLastActiveObject(reinterpret_cast<Object*>(value));
    if (cGuiItem* item = left ? host->infoItemOfObject(left) : nullptr) queueItemChange(item, window);
  }
}

void cGuiAppClient::brokerCommand(CxMsg* message) {
  if (CxMsgType(message) != CXM_COMMAND || CxMsgID(message) != CXCMD_KILL) return;
  for (cAppResource* r = infoFirstResource(); r; r = r->next) {
    if (!r->IsOfClassType("cGuiWindowHost")) Throw("BUG", "cGui; appCxBroker(); resource is not a window!");
    addEvent(nullptr, static_cast<cGuiWindow*>(r));
    setQuitRequest(true);
  }
}

// ---- delivery ----

bool cGuiAppClient::deliver(eventNode* event, cGuiItem** item, cGuiWindow** window) {
  *item = event->item;
  *window = event->window;
  Delivery delivery{*window, false, deliveries};
  deliveries = &delivery;
  WithCleanUp(
      [&] {
        if (!*item) {
          hostOf(*window)->notifyStateHasChanged(event);
        } else {
          if ((*item)->IsOfClassType("cGuiInputItem")) static_cast<cGuiInputItem*>(*item)->notifyStateHasChanged();
          // Items made of other items (a fixed list's rows) take note the same
          // way, unless the note just taken ended the window and the item.
          if (!delivery.windowEnded && (*item)->IsOfClassType("cGuiContainerInputItem"))
            static_cast<cGuiContainerInputItem*>(*item)->notifyStateHasChanged();
        }
      },
      [&] {
        deliveries = delivery.outer;
        End(event);
      });
  // The item's notification may have ended the window, and the item with it.
  if (delivery.windowEnded) {
    *item = nullptr;
    *window = nullptr;
    return false;
  }
  (*window)->setLastChangedItem(*item);
  return true;
}

void cGuiAppClient::processInput(uint32_t signals) {
  IPTR next = signals;
  do {
    DoMethod(application, MUIM_Application_NewInput, &next);
  } while (next == 0);
  signalMask = static_cast<uint32_t>(next);
}

cGuiItem* cGuiAppClient::waitForChangedGuiItem(cGuiWindow** window) {
  if (!application) Throw("EPU", "cGuiHost; waitForChangedGuiItem(); cApp.build() must be called first");
  for (;;) {
    if (eventNode* event = remEvent()) {
      cGuiItem* item = nullptr;
      cGuiWindow* of = nullptr;
      // An event whose window its own delivery destroyed has nothing left to
      // report: the next one is taken.
      if (!deliver(event, &item, &of)) continue;
      if (window) *window = of;
      return item;
    }
    // The first wait finds no signals to wait for and asks MUI at once.
    uint32_t signals = signalMask;
    if (signals) signals = Wait(signals);
    processInput(signals);
  }
}

cGuiItem* cGuiAppClient::checkForChangedGuiItem(bool keepOthers, cGuiWindow** window) {
  if (!application) Throw("EPU", "cGuiHost; checkForChangedGuiItem(); cApp.build() must be called first");
  uint32_t signals = signalMask;
  if (signals) signals = SetSignal(0, signalMask) & signalMask;
  processInput(signals);
  cGuiItem* item = nullptr;
  cGuiWindow* of = nullptr;
  if (eventNode* event = remEvent()) deliver(event, &item, &of);
  if (!keepOthers)
    for (cAppResource* r = infoFirstResource(); r; r = r->next) {
      if (r == of) continue;
      if (!r->IsOfClassType("cGuiWindowHost")) Throw("BUG", "cGui; checkForChangedGuiItem(); resource is not a window!");
      static_cast<cGuiWindow*>(r)->setLastChangedItem(nullptr);
      static_cast<cGuiWindow*>(r)->setCloseRequest(false);
    }
  if (window) *window = of;
  return item;
}

// A test action hook: records the [item, window] of every notification that
// calls it, in order. Installed for the life of the recorder, the hook that
// was there before put back at its end.
#pragma once
#include <utility>
#include <vector>

#include "gui/gui_window.h"
#include "gui/items/gui_item.h"
#include "gui/mui/client/gui_action_hook.h"

class ActionRecorder {
 public:
  using Call = std::pair<cGuiItem*, cGuiWindow*>;
  ActionRecorder() : previous_(infoGuiActionHook()) {
    hook_.h_Entry = &ActionRecorder::entry;
    hook_.h_Data = this;
    setGuiActionHook(&hook_);
  }
  ~ActionRecorder() { setGuiActionHook(previous_); }
  ActionRecorder(const ActionRecorder&) = delete;
  ActionRecorder& operator=(const ActionRecorder&) = delete;

  // The calls since the last take, and forgets them.
  std::vector<Call> take() { return std::exchange(calls_, {}); }

 private:
  static IPTR entry(Hook* hook, void*, void* message) {
    auto* words = static_cast<IPTR*>(message);
    static_cast<ActionRecorder*>(hook->h_Data)
        ->calls_.push_back({reinterpret_cast<cGuiItem*>(words[0]), reinterpret_cast<cGuiWindow*>(words[1])});
    return 0;
  }
  Hook hook_ = {};
  Hook* previous_;
  std::vector<Call> calls_;
};

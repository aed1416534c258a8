// Window.mui: a window with one root object. It opens only as a member of an
// application; while open it has an Intuition window record (place and size)
// and is counted in the application's open windows. A window with a save id
// (MUIA_Window_ID) opens where the last window of that id was when it closed.
#pragma once
#include <vector>

#include "os/intuition/window.h"
#include "os/mui/classes/area.h"

namespace mui {

class MuiWindow : public Object {
 public:
  bool isOpen() const { return flag(MUIA_Window_Open); }
  const char* title() const { return text(MUIA_Window_Title); }
  Object* root() const { return children.empty() ? nullptr : children.front(); }
  // Counts up as windows open: the newest open window has the highest.
  uint64_t openedOrder() const { return openedOrder_; }
  const std::vector<Object*>& cycleChain() const { return cycleChain_; }

  void disposing() override;
  void describe(Description& out) const override;

 protected:
  bool filterSet(Tag tag, IPTR& data) override;
  void afterSet(Tag tag, IPTR data) override;
  bool computeGet(Tag tag, IPTR* storage) override;
  bool dispatch(const IPTR* message, IPTR* result) override;

 private:
  ::Window record_{};
  bool hasRecord_ = false;
  uint64_t openedOrder_ = 0;
  std::vector<Object*> cycleChain_;
  void opened();
  void closed();
  void storeGeometry(Tag tag, IPTR value);
};

// Forgets the places remembered per save id (tests start afresh).
void forgetWindowPlaces();

}  // namespace mui

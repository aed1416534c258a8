// Area.mui: what every visible object has (disabled, help text, sizes,
// frame, font, input mode, pressed and selected state, ...).
#pragma once
#include "os/mui/description.h"
#include "os/mui/object.h"

namespace mui {

class Area : public Object {
 public:
  // Name, the class's own state (describeState), then the common state
  // that differs from the defaults: disabled, hidden, fixedfont, fixw=, fixh=,
  // weight=.
  void describe(Description& out) const override;

 protected:
  bool dispatch(const IPTR* message, IPTR* result) override;
  virtual void describeState(Description&) const {}
};

}  // namespace mui

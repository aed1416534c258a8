// The views of the single controls: texts and labels, buttons, check marks,
// cycles, radio buttons, sliders, strings, text editors, bars and spaces,
// pictures. Each makes its widget, copies the object's state into it on
// refresh, and turns the person's use of it into the driver's action.
#pragma once
#include <memory>

#include "os/mui/qt/object_view.h"

class QWidget;
struct Object;

namespace mui::qt {

// The view of a control, or NIL when the object is no control (a group).
std::unique_ptr<ObjectView> makeControlView(Object* object);
// The button of a pop-up: a click opens the pop-up's requester.
std::unique_ptr<ObjectView> makePopButtonView(Object* button, Object* popup);

}  // namespace mui::qt

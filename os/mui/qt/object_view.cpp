#include "os/mui/qt/object_view.h"

#include <QString>
#include <QWidget>

#include "os/mui/live_objects.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"
#include "os/mui/qt/qt_text.h"

namespace mui::qt {

ObjectView::ObjectView(Object* object, QWidget* widget) : object_(object), serial_(object->serial), widget_(widget) {}

bool ObjectView::alive() const { return isLive(object_, serial_); }

void ObjectView::refresh() {
  if (!alive()) return;
  refreshing_ = true;
  if (object_->muiClass->isA(&areaClass)) {
    widget_->setEnabled(!object_->flag(MUIA_Disabled));
    const char* help = reinterpret_cast<const char*>(object_->value(MUIA_ShortHelp));
    const QString tip = toQt(help);
    if (widget_->toolTip() != tip) widget_->setToolTip(tip);
    widget_->setHidden(!object_->flag(MUIA_ShowMe));
  }
  refreshOwn();
  refreshing_ = false;
}

}  // namespace mui::qt

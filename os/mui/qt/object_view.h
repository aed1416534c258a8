// The widget that shows one engine object, and how it follows the object:
// each refresh copies the object's state into the widget (disabled, help
// text, shown or hidden, then what its class shows). Changes a refresh makes
// are not gestures: views ignore their widgets' signals while it runs.
#pragma once
#include <cstdint>

class QWidget;
struct Object;

namespace mui::qt {

class ObjectView {
 public:
  ObjectView(Object* object, QWidget* widget);
  virtual ~ObjectView() = default;
  ObjectView(const ObjectView&) = delete;
  ObjectView& operator=(const ObjectView&) = delete;

  Object* object() const { return object_; }
  QWidget* widget() const { return widget_; }
  bool alive() const;
  void refresh();

 protected:
  virtual void refreshOwn() {}
  // TRUE while a refresh sets the widget: its signals are no gestures then.
  bool refreshing() const { return refreshing_; }

 private:
  Object* object_;
  uint32_t serial_;
  QWidget* widget_;
  bool refreshing_ = false;
};

}  // namespace mui::qt

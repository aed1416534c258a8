// A MUI window on screen: a top-level widget with the widgets of its root
// object. It shows the window's title, place and size (a move or resize by
// the person is kept in the window's geometry, which the engine remembers
// per window id), a busy cursor and no input while the window sleeps; the
// close gadget becomes the close request, and files dropped on an
// application window an AppMessage.
#pragma once
#include <QWidget>
#include <cstdint>

#include "os/intuition/objects.h"
#include <vector>

#include "os/mui/qt/view_builder.h"

namespace mui {
class MuiWindow;
}

namespace mui::qt {

class WindowView : public QWidget {
 public:
  explicit WindowView(MuiWindow* window);
  ~WindowView() override;

  MuiWindow* window() const { return window_; }
  bool alive() const;
  // Follows the window: rebuilt when its objects changed, else each view refreshed.
  void follow();
  // The widget of an object in this window (NIL: none).
  QWidget* widgetOf(const Object* object) const;
  // Takes the window off the screen without asking the program.
  void takeDown();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  MuiWindow* window_;
  uint32_t serial_;
  std::vector<uint32_t> shape_;
  BuiltTree tree_;
  QWidget* body_;  // holds the content; a sleeping window's body takes no input
  QWidget* content_ = nullptr;
  bool following_ = false;  // geometry changes made by follow() are not the person's
  bool takingDown_ = false;
  IPTR shownActive_ = 0;  // the active object the keyboard was last given to
  void build();
  void keepGeometry();
};

}  // namespace mui::qt

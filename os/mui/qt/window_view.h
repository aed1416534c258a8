// A MUI window on screen: a top-level widget with the widgets of its root
// object. It shows the window's title, place and size (a move or resize by
// the person is kept in the window's geometry, which the engine remembers
// per window id), a busy cursor and no input while the window sleeps; the
// close gadget becomes the close request, and files dropped on an
// application window an AppMessage. Tab moves through the window's cycle
// chain, giving each object the keyboard; an object's control character
// (MUIA_ControlChar) pressed in the window acts on it as a click does.
// Each time it opens, all of it, the window manager's frame included, is on
// the screen it opens on (see screen_fit.h).
#pragma once
#include <QWidget>
#include <cstdint>
#include <map>
#include <vector>

#include "os/intuition/objects.h"

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
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MuiWindow* window_;
  uint32_t serial_;
  std::vector<uint32_t> shape_;
  BuiltTree tree_;
  QWidget* body_;  // holds the content; a sleeping window's body takes no input
  QWidget* content_ = nullptr;
  bool following_ = false;  // geometry changes made by follow() are not the person's
  bool takingDown_ = false;
  bool framePlaced_ = false;  // placed once more when shown, with the frame the window manager gave it
  IPTR shownActive_ = 0;  // the active object the keyboard was last given to
  std::vector<Object*> shownChain_;           // the cycle chain the Tab order follows
  std::map<QObject*, Object*> chainMembers_;  // the widget Tab gives the keyboard to, and its object
  void build();
  void keepGeometry();
  void placeOnScreen(QPoint corner, QSize inside, QMargins frame);
  QMargins expectedFrame() const;
  void placeWithItsFrame();
  void followCycleChain();
};

}  // namespace mui::qt

#include "os/mui/qt/window_view.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>
#include <string>

#include "os/exec/hosted_failure.h"

#include "os/mui/classes/window.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/live_objects.h"
#include "os/mui/qt/gesture.h"
#include "os/mui/qt/qt_text.h"

namespace mui::qt {
namespace {
// The widget that takes the keyboard for an object's widget: itself, or the
// first inside it that takes it (the field of a pop-up).
QWidget* keyboardWidget(QWidget* shown) {
  if (!shown || shown->focusPolicy() != Qt::NoFocus) return shown;
  for (QWidget* inside : shown->findChildren<QWidget*>())
    if (inside->focusPolicy() != Qt::NoFocus) return inside;
  return nullptr;
}
}  // namespace

WindowView::WindowView(MuiWindow* window) : window_(window), serial_(window->serial), body_(new QWidget) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(body_);
  new QVBoxLayout(body_);
  setAcceptDrops(window->flag(MUIA_Window_AppWindow));
  build();
  // The views take the objects' state first: a list's titles and sort mark
  // change the room it needs.
  follow();
  following_ = true;
  // The place and size the window opened with; never smaller than its
  // contents need.
  const QSize need = sizeHint();
  resize(std::max(need.width(), static_cast<int>(window->value(MUIA_Window_Width))),
         std::max(need.height(), static_cast<int>(window->value(MUIA_Window_Height))));
  move(static_cast<int>(window->value(MUIA_Window_LeftEdge)), static_cast<int>(window->value(MUIA_Window_TopEdge)));
  following_ = false;
}

WindowView::~WindowView() { takingDown_ = true; }

bool WindowView::alive() const { return isLive(window_, serial_); }

void WindowView::build() {
  tree_ = BuiltTree();
  delete content_;
  content_ = nullptr;
  Object* root = window_->root();
  shape_ = treeShape(root);
  if (!root) return;
  content_ = buildViews(root, tree_);
  body_->layout()->addWidget(content_);
}

void WindowView::follow() {
  if (!alive()) return;
  if (treeShape(window_->root()) != shape_) build();
  following_ = true;
  const QString title = toQt(window_->title());
  if (windowTitle() != title) setWindowTitle(title);
  const bool asleep = window_->flag(MUIA_Window_Sleep);
  body_->setEnabled(!asleep);
  if (asleep)
    setCursor(Qt::BusyCursor);
  else
    unsetCursor();
  for (auto& view : tree_.views) view->refresh();
  // The field the program (or the person) made active has the keyboard.
  const IPTR active = window_->value(MUIA_Window_ActiveObject);
  if (active != shownActive_) {
    shownActive_ = active;
    if (QWidget* field = keyboardWidget(widgetOf(reinterpret_cast<const Object*>(active))))
      field->setFocus(Qt::OtherFocusReason);
  }
  following_ = false;
}

QWidget* WindowView::widgetOf(const Object* object) const {
  auto found = tree_.widgets.find(object);
  return found == tree_.widgets.end() ? nullptr : found->second;
}

void WindowView::takeDown() {
  takingDown_ = true;
  hide();
}

void WindowView::closeEvent(QCloseEvent* event) {
  if (takingDown_) {
    event->accept();
    return;
  }
  // The program decides whether the window closes.
  event->ignore();
  queueGesture("close", window_, [](Object* target) { act::requestClose(target); });
}

void WindowView::keepGeometry() {
  if (following_ || takingDown_ || !isVisible() || !alive() || !window_->isOpen()) return;
  // As move() and resize() take them: the frame's corner, the inside's size.
  window_->set(MUIA_Window_LeftEdge, static_cast<IPTR>(pos().x()), 0);
  window_->set(MUIA_Window_TopEdge, static_cast<IPTR>(pos().y()), 0);
  window_->set(MUIA_Window_Width, static_cast<IPTR>(width()), 0);
  window_->set(MUIA_Window_Height, static_cast<IPTR>(height()), 0);
}

void WindowView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  keepGeometry();
}

void WindowView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  keepGeometry();
}

void WindowView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && window_->flag(MUIA_Window_AppWindow)) event->acceptProposedAction();
}

void WindowView::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(fromQt(url.toLocalFile()));
  if (paths.empty()) return;
  event->acceptProposedAction();
  queueGesture("drop", window_, [paths](Object* target) {
    // A file the system cannot reach is refused with a line, not the end of the program.
    try {
      act::drop(target, paths);
    } catch (const HostedFailure& refused) {
      std::printf("# drop: %s\n", refused.what());
      std::fflush(stdout);
    }
  });
}

}  // namespace mui::qt

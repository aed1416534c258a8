#include "os/mui/qt/window_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdio>
#include <string>

#include "os/exec/hosted_failure.h"

#include "os/mui/classes/window.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/live_objects.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"
#include "os/mui/qt/gesture.h"
#include "os/mui/qt/qt_text.h"
#include "os/mui/qt/screen_fit.h"

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
  // The window is never smaller than its contents need, nor larger where
  // they cannot grow.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSizeConstraint(QLayout::SetMinAndMaxSize);
  outer->addWidget(body_);
  (new QVBoxLayout(body_))->setSizeConstraint(QLayout::SetMinAndMaxSize);
  setAcceptDrops(window->flag(MUIA_Window_AppWindow));
  build();
  // The views take the objects' state first: a list's titles and sort mark
  // change the room it needs.
  follow();
  // The place and size the window opened with; never smaller than its
  // contents need, nor larger than the screen.
  const QSize need = sizeHint();
  following_ = true;
  placeOnScreen(QPoint(static_cast<int>(window->value(MUIA_Window_LeftEdge)),
                       static_cast<int>(window->value(MUIA_Window_TopEdge))),
                QSize(std::max(need.width(), static_cast<int>(window->value(MUIA_Window_Width))),
                      std::max(need.height(), static_cast<int>(window->value(MUIA_Window_Height)))),
                expectedFrame());
  following_ = false;
}

WindowView::~WindowView() { takingDown_ = true; }

bool WindowView::alive() const { return isLive(window_, serial_); }

void WindowView::build() {
  chainMembers_.clear();
  shownChain_.clear();
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
  followCycleChain();
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

void WindowView::followCycleChain() {
  const std::vector<Object*>& chain = window_->cycleChain();
  if (chain == shownChain_ || !content_) return;
  shownChain_ = chain;
  chainMembers_.clear();
  // A window without a chain keeps Qt's order: every field, in the order made.
  if (chain.empty()) return;
  for (QWidget* w : content_->findChildren<QWidget*>())
    if (w->focusPolicy() & Qt::TabFocus) w->setFocusPolicy(static_cast<Qt::FocusPolicy>(w->focusPolicy() & ~Qt::TabFocus));
  QWidget* before = nullptr;
  for (Object* member : chain) {
    QWidget* field = isLive(member) ? keyboardWidget(widgetOf(member)) : nullptr;
    if (!field) continue;
    field->setFocusPolicy(static_cast<Qt::FocusPolicy>(field->focusPolicy() | Qt::TabFocus));
    if (chainMembers_.emplace(field, member).second) field->installEventFilter(this);
    if (before) setTabOrder(before, field);
    before = field;
  }
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose && !framePlaced_ && windowHandle()->isExposed())
    placeWithItsFrame();
  if (event->type() != QEvent::FocusIn) return false;
  const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
  auto member = chainMembers_.find(watched);
  if ((why == Qt::TabFocusReason || why == Qt::BacktabFocusReason) && member != chainMembers_.end())
    queueGesture("Tab", member->second, [](Object* target) { act::activate(target); });
  return false;
}

void WindowView::keyPressEvent(QKeyEvent* event) {
  // Only keys no field took for itself come here; a text field's Return
  // (which acknowledged it) and keys with qualifiers are no control characters.
  int key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    key = '\r';
  else if (event->text().size() == 1 && event->text()[0].unicode() > ' ' && event->text()[0].unicode() < 0x7f)
    key = event->text()[0].unicode();
  QWidget* focused = focusWidget();
  const bool fromText = qobject_cast<QLineEdit*>(focused) || qobject_cast<QPlainTextEdit*>(focused);
  const bool qualified = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!key || fromText || qualified) return QWidget::keyPressEvent(event);
  for (auto& view : tree_.views) {
    Object* o = view->object();
    if (!view->alive() || !o->muiClass->isA(&areaClass) || o->value(MUIA_ControlChar) != static_cast<IPTR>(key)) continue;
    const IPTR mode = o->value(MUIA_InputMode);
    if (mode == MUIV_InputMode_RelVerify)
      queueGesture("press", o, [](Object* target) { act::press(target); });
    else if (mode == MUIV_InputMode_Toggle)
      queueGesture("toggle", o, [](Object* target) { act::toggle(target); });
    else
      queueGesture("activate", o, [](Object* target) { act::activate(target); });
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
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

void WindowView::placeOnScreen(QPoint corner, QSize inside, QMargins frame) {
  const QRect wanted(corner, inside.grownBy(frame));
  QScreen* screen = QGuiApplication::screenAt(wanted.center());
  if (!screen) screen = QGuiApplication::screenAt(corner);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const Placement place = fitOnScreen(corner, inside, frame, screen->availableGeometry(), minimumSizeHint());
  resize(place.inside);
  move(place.corner);
}

// The frame of a window that is not on the screen yet: that of another
// window on the screen (the same window manager draws both), else a title
// bar and thin borders.
QMargins WindowView::expectedFrame() const {
  for (QWidget* other : QApplication::topLevelWidgets()) {
    auto* view = dynamic_cast<WindowView*>(other);
    if (view && view != this && view->framePlaced_ && view->isVisible()) return view->windowHandle()->frameMargins();
  }
  const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
  return QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border);
}

void WindowView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The frame is known once the window manager has put the window on the screen.
  if (windowHandle() && !framePlaced_) windowHandle()->installEventFilter(this);
}

// Placed once more, with the frame the window manager gave it: a frame
// larger than expected must not push the window off the screen.
void WindowView::placeWithItsFrame() {
  framePlaced_ = true;
  windowHandle()->removeEventFilter(this);
  const QMargins frame = windowHandle()->frameMargins();
  placeOnScreen(pos(), size(), frame);
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

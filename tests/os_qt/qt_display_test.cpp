// The Qt display, drawn off screen: the widgets it makes for an object tree
// and how they follow the objects; gestures made with Qt's test functions
// against the same gestures made with the user driver; disabled and busy
// windows; a long list; the close gadget and drops; Wait; requesters asked
// on screen.
#include "os/mui/qt/qt_display.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QScrollArea>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <csignal>
#include <cstring>

#include "os/asl/asl.h"
#include "os/commodities/commodities.h"
#include "os/dos/console_windows.h"
#include "os/dos/dos.h"
#include "os/exec/break_signals.h"
#include "os/exec/signals.h"
#include "os/graphics/graphics.h"
#include "os/intuition/intuition.h"
#include "os/mui/classes/application.h"
#include "os/mui/classes/popstring.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/ui_script_runner.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/lists/nlist.h"
#include "os/mui/qt/desktop_message_box.h"
#include "os/mui/qt/group_layouts.h"
#include "os/mui/qt/screen_requesters.h"
#include "os/mui/qt/window_view.h"
#include "tests/os_qt/offscreen_screen.h"
#include "tests/os_qt/shown_window.h"
#include "os/workbench/workbench.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/test_folder.h"

namespace {

using Lines = std::vector<std::string>;

class QtDisplayTest : public MuiTest {
 protected:
  void SetUp() override {
    // Never on the developer's desktop; on a screen larger than the windows here.
    qputenv("QT_QPA_PLATFORM", offscreenPlatform(freshTestFolder("os_qt_screen"), 1920, 1200).c_str());
    mui::qt::ensureQtApplication();
    MuiTest::SetUp();
  }
  void TearDown() override {
    // The requesters the display installed went with it; no window stays behind.
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
    MuiTest::TearDown();
  }
  template <class W>
  static W* shown(mui::qt::QtDisplay& display, Object* o) {
    QWidget* w = display.widgetOf(o);
    W* typed = qobject_cast<W*>(w);
    EXPECT_TRUE(typed) << "the widget of " << o->label() << " is a " << (w ? w->metaObject()->className() : "NIL");
    return typed;
  }
  // What the program's loop does between gestures: the input is processed,
  // then the screen follows (Wait refreshes it).
  static void settle(ShownWindow& w, mui::qt::QtDisplay& display) {
    mui::user::runInput(w.app);
    display.refresh();
  }
};

// What the desktop cannot open it says on screen, without a line on
// standard error, and the program goes on at once.
TEST_F(QtDisplayTest, TheDesktopsOwnMessageIsABoxOnScreen) {
  {
    mui::qt::QtDisplay display;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(OpenWorkbenchObjectA("Nowhere:Lemmings", nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("Workbench:"), std::string::npos);
    QApplication::processEvents();
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == mui::qt::DESKTOP_MESSAGE_BOX && w->isVisible()) box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Workbench");
    EXPECT_EQ(box->text(), "Cannot open \"Lemmings\": object not found");
    box->close();
    QApplication::processEvents();
  }
  // Without the display the line is printed again.
  testing::internal::CaptureStderr();
  OpenWorkbenchObjectA("Nowhere:Lemmings", nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Workbench: Cannot open \"Lemmings\": object not found\n");
}

TEST_F(QtDisplayTest, EveryObjectGetsItsWidgetAndTheWidgetsFollowTheObjects) {
  ShownWindow w;
  mui::qt::QtDisplay display;
  display.refresh();
  mui::qt::WindowView* top = display.windowView(w.window);
  ASSERT_TRUE(top);
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(top->windowTitle(), "Edit game");
  EXPECT_EQ(shown<QComboBox>(display, w.kind)->count(), 3);
  EXPECT_EQ(shown<QWidget>(display, w.mode)->findChildren<QRadioButton*>().size(), 2);
  EXPECT_EQ(shown<QSlider>(display, w.played)->maximum(), 9);
  EXPECT_EQ(shown<QLineEdit>(display, w.name)->maxLength(), 11);
  shown<QCheckBox>(display, w.hide);
  shown<QPlainTextEdit>(display, w.notes);
  EXPECT_EQ(shown<QWidget>(display, w.path)->findChildren<QLineEdit*>().size(), 1);
  EXPECT_EQ(shown<QWidget>(display, w.path)->findChildren<QToolButton*>().size(), 1);
  EXPECT_EQ(shown<QGroupBox>(display, w.frame)->title(), "Games");
  EXPECT_EQ(shown<QWidget>(display, w.pages)->findChildren<QStackedWidget*>().size(), 1);
  EXPECT_EQ(shown<QWidget>(display, w.scroll)->findChildren<QScrollArea*>().size(), 1);
  EXPECT_EQ(shown<QTreeView>(display, w.list)->model()->rowCount(), 3);
  EXPECT_EQ(shown<QPushButton>(display, w.save)->text(), "Save");
  EXPECT_EQ(shown<QLabel>(display, w.help)->text(), "First page");
  EXPECT_EQ(shown<QLabel>(display, w.help)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(shown<QLabel>(display, w.help)->toolTip(), "What the first page holds");
  EXPECT_TRUE(shown<QLabel>(display, w.hidden)->isHidden());
  EXPECT_FALSE(shown<QPushButton>(display, w.erase)->isEnabled()) << "in a disabled group";
  EXPECT_TRUE(shown<QPushButton>(display, w.save)->isEnabled());

  // The program changes its objects; the screen follows at the next wait.
  SetAttrs(w.window, MUIA_Window_Title, "Edit Zak");
  SetAttrs(w.name, MUIA_String_Contents, "Zak");
  SetAttrs(w.kind, MUIA_Cycle_Active, 2);
  SetAttrs(w.mode, MUIA_Radio_Active, 1);
  SetAttrs(w.played, MUIA_Numeric_Value, 7);
  SetAttrs(w.hide, MUIA_Selected, 1);
  SetAttrs(w.pages, MUIA_Group_ActivePage, 1);
  SetAttrs(w.hidden, MUIA_ShowMe, 1);
  SetAttrs(w.save, MUIA_Disabled, 1);
  SetAttrs(w.list, MUIA_NList_TitleMark, 1 | MUIV_NList_TitleMark_Reversed);
  insertRow(w.list, "game 0", "new", 0);
  display.refresh();
  EXPECT_EQ(top->windowTitle(), "Edit Zak");
  EXPECT_EQ(shown<QLineEdit>(display, w.name)->text(), "Zak");
  EXPECT_EQ(shown<QComboBox>(display, w.kind)->currentIndex(), 2);
  EXPECT_TRUE(shown<QWidget>(display, w.mode)->findChildren<QRadioButton*>()[1]->isChecked());
  EXPECT_EQ(shown<QSlider>(display, w.played)->value(), 7);
  EXPECT_TRUE(shown<QCheckBox>(display, w.hide)->isChecked());
  EXPECT_EQ(shown<QWidget>(display, w.pages)->findChild<QStackedWidget*>()->currentIndex(), 1);
  EXPECT_FALSE(shown<QLabel>(display, w.hidden)->isHidden());
  EXPECT_FALSE(shown<QPushButton>(display, w.save)->isEnabled());
  auto* view = shown<QTreeView>(display, w.list);
  EXPECT_EQ(view->model()->rowCount(), 4);
  EXPECT_EQ(view->model()->index(0, 1).data().toString(), "new");
  EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Id") << "the title row without its codes";
  EXPECT_TRUE(view->header()->isSortIndicatorShown());
  EXPECT_EQ(view->header()->sortIndicatorSection(), 1);
  EXPECT_EQ(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);

  // A closed window leaves the screen; an opened one comes back.
  SetAttrs(w.window, MUIA_Window_Open, 0);
  display.refresh();
  EXPECT_FALSE(display.windowView(w.window));
  SetAttrs(w.window, MUIA_Window_Open, 1);
  display.refresh();
  EXPECT_TRUE(display.windowView(w.window));
}

// The same session of gestures, once on screen and once through the driver:
// the program sees the same notifications and ends in the same state.
struct Session {
  Lines log;
  std::string dump;
};

template <class Gestures>
Session runSession(Gestures gestures) {
  ShownWindow w;
  mui::qt::QtDisplay display;
  display.refresh();
  gestures(w, display);
  mui::user::runInput(w.app);
  return Session{w.log, ostest::dumpMuiTree(w.window)};
}

QPoint rowCentre(QTreeView* view, int row) { return view->visualRect(view->model()->index(row, 0)).center(); }

TEST_F(QtDisplayTest, GesturesOnScreenHaveTheDriversEffects) {
  const Session onScreen = runSession([this](ShownWindow& w, mui::qt::QtDisplay& display) {
    QTest::keyClicks(shown<QLineEdit>(display, w.name), "Zak");
    QTest::keyClick(shown<QLineEdit>(display, w.name), Qt::Key_Return);
    settle(w, display);
    QTest::keyClick(shown<QComboBox>(display, w.kind), Qt::Key_Down);
    settle(w, display);
    QTest::mouseClick(shown<QWidget>(display, w.mode)->findChildren<QRadioButton*>()[1], Qt::LeftButton);
    QTest::keyClick(shown<QSlider>(display, w.played), Qt::Key_Right);
    QTest::mouseClick(shown<QCheckBox>(display, w.hide), Qt::LeftButton);
    settle(w, display);
    QTest::keyClicks(shown<QPlainTextEdit>(display, w.notes), "ok");
    settle(w, display);
    auto* view = shown<QTreeView>(display, w.list);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 2));
    settle(w, display);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(view, 0));
    settle(w, display);
    // A double-click: the first click, then the second one Qt reports as the double-click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 1));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 1));
    settle(w, display);
    QHeaderView* header = view->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    QTest::mouseClick(shown<QPushButton>(display, w.save), Qt::LeftButton);
    display.windowView(w.window)->close();
  });
  const Session driven = runSession([](ShownWindow& w, mui::qt::QtDisplay&) {
    mui::user::type(w.name, "Zak", true);
    mui::user::choose(w.kind, 1);
    mui::user::choose(w.mode, 1);
    mui::user::choose(w.played, 1);
    mui::user::toggle(w.hide);
    mui::user::editText(w.notes, "ok");
    mui::user::clickRow(w.list, 2);
    mui::user::clickRow(w.list, 0, mui::RowClick::Shift);
    mui::user::clickRow(w.list, 1);
    mui::user::doubleClickRow(w.list, 1);
    mui::user::clickTitle(w.list, 1);
    mui::user::press(w.save);
    mui::user::requestClose(w.window);
  });
  EXPECT_EQ(onScreen.log, driven.log);
  EXPECT_EQ(onScreen.dump, driven.dump);
  EXPECT_EQ(driven.log, (Lines{"Name ack Zak", "Kind 1", "Mode 1", "Played 1", "Hide 1", "Active 2", "Active 0",
                               "Active 1", "Active 1", "DoubleClick 1", "TitleClick 1", "Save 0", "close 1"}));
}

TEST_F(QtDisplayTest, DisabledObjectsAndBusyWindowsTakeNoInput) {
  ShownWindow w;
  mui::qt::QtDisplay display;
  display.refresh();
  QTest::mouseClick(shown<QPushButton>(display, w.erase), Qt::LeftButton);
  EXPECT_EQ(mui::queuedUserActions(), 0u) << "a disabled button takes no click";

  // A click made before the window went to sleep is dropped, not performed.
  QTest::mouseClick(shown<QPushButton>(display, w.save), Qt::LeftButton);
  SetAttrs(w.window, MUIA_Window_Sleep, 1);
  settle(w, display);
  EXPECT_TRUE(w.log.empty());
  mui::qt::WindowView* top = display.windowView(w.window);
  EXPECT_EQ(top->cursor().shape(), Qt::BusyCursor);
  EXPECT_FALSE(shown<QPushButton>(display, w.save)->isEnabled());
  QTest::mouseClick(shown<QPushButton>(display, w.save), Qt::LeftButton);
  QTest::keyClicks(shown<QLineEdit>(display, w.name), "x");
  top->close();
  EXPECT_EQ(mui::queuedUserActions(), 1u) << "only the close request is queued";
  settle(w, display);
  EXPECT_TRUE(w.log.empty()) << "the close request of a busy window is dropped";
  SetAttrs(w.window, MUIA_Window_Sleep, 0);
  display.refresh();
  EXPECT_EQ(top->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseClick(shown<QPushButton>(display, w.save), Qt::LeftButton);
  settle(w, display);
  EXPECT_EQ(w.log, Lines{"Save 0"});
}

TEST_F(QtDisplayTest, AHundredThousandRowsAreShownThroughTheListsOwnRows) {
  ShownWindow w(100000);
  mui::qt::QtDisplay display;
  display.refresh();
  auto* view = shown<QTreeView>(display, w.list);
  auto* list = static_cast<mui::NList*>(w.list);
  ASSERT_EQ(view->model()->rowCount(), 100000);
  for (int row : {0, 4711, 99999})
    EXPECT_EQ(view->model()->index(row, 0).data().toString().toStdString() + "\t" +
                  view->model()->index(row, 1).data().toString().toStdString(),
              list->userRowText(static_cast<size_t>(row)));
  EXPECT_EQ(view->model()->index(5, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
  // The program filters: most rows go, in one quiet change.
  SetAttrs(w.list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  DoMethod(w.list, MUIM_NList_Clear);
  for (int i = 0; i < 10; ++i) insertRow(w.list, "match " + std::to_string(i), std::to_string(i), MUIV_NList_Insert_Bottom);
  SetAttrs(w.list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  DoMethod(w.list, MUIM_List_Jump, 9);
  display.refresh();
  EXPECT_EQ(view->model()->rowCount(), 10);
  EXPECT_EQ(view->model()->index(9, 0).data().toString(), "match 9");
  // The selection shown is the list's own.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 3));
  settle(w, display);
  EXPECT_EQ(list->userActiveRow(), 3);
  EXPECT_TRUE(view->model()->index(3, 0).data(Qt::BackgroundRole).isValid());
  EXPECT_FALSE(view->model()->index(4, 0).data(Qt::BackgroundRole).isValid());
  EXPECT_EQ(view->currentIndex().row(), 3);
}

// A list's columns take their contents' widths whenever rows come or the
// window is resized, and the last one takes what is left, but a column the
// person sized keeps that width. A last column whose rows need more than is
// left is never cut: the list scrolls sideways. New rows (a refilter) are
// shown from the active row, else from the first.
TEST_F(QtDisplayTest, ListColumnsFitTheirRowsAndNewRowsAreShownFromTheStart) {
  ShownWindow w(0);
  mui::qt::QtDisplay display;
  display.refresh();
  mui::qt::WindowView* top = display.windowView(w.window);
  auto* view = shown<QTreeView>(display, w.list);
  auto needed = [view](int column) {
    int most = 0;
    for (int r = 0; r < view->model()->rowCount(); ++r)
      most = std::max(most, view->sizeHintForIndex(view->model()->index(r, column)).width());
    return most;
  };
  auto lastTakesTheRest = [view] { return view->header()->length() == view->viewport()->width(); };
  // Rows come into the empty list.
  insertRow(w.list, "A game whose name takes a good deal of room", "1", MUIV_NList_Insert_Bottom);
  insertRow(w.list, "Zak", "20000", MUIV_NList_Insert_Bottom);
  display.refresh();
  EXPECT_GE(view->columnWidth(0), needed(0));
  EXPECT_GT(needed(0), view->header()->sectionSizeHint(0)) << "wider than the title";
  top->resize(top->width() + view->columnWidth(0) + 200, top->height());
  QCoreApplication::processEvents();
  EXPECT_GE(view->columnWidth(0), needed(0));
  EXPECT_LT(view->columnWidth(0), needed(0) + 20) << "no wider than its rows";
  EXPECT_TRUE(lastTakesTheRest());
  // A column the person sized stays so as more rows come; the others follow them.
  view->header()->resizeSection(0, 60);
  insertRow(w.list, "An even longer name that would take more room than the first", "300000000000",
            MUIV_NList_Insert_Bottom);
  display.refresh();
  QCoreApplication::processEvents();
  EXPECT_EQ(view->columnWidth(0), 60);
  EXPECT_TRUE(lastTakesTheRest());
  // The last column's rows grow past the room left, and shrink again.
  insertRow(w.list, "Zyx", std::string(120, '9'), MUIV_NList_Insert_Bottom);
  display.refresh();
  QCoreApplication::processEvents();
  EXPECT_GT(needed(1), view->viewport()->width() - view->columnWidth(0)) << "more than the room left";
  EXPECT_GE(view->columnWidth(1), needed(1));
  EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
  DoMethod(w.list, MUIM_NList_Remove, attr(w.list, MUIA_NList_Entries) - 1);
  display.refresh();
  QCoreApplication::processEvents();
  EXPECT_TRUE(lastTakesTheRest());
  EXPECT_FALSE(view->horizontalScrollBar()->isVisible());

  // Scrolled to the end of a long list, the rows change: the first row is shown.
  for (int i = 0; i < 300; ++i) insertRow(w.list, "game " + std::to_string(i), std::to_string(i), MUIV_NList_Insert_Bottom);
  display.refresh();
  view->scrollToBottom();
  auto refilter = [&](long active) {
    SetAttrs(w.list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
    DoMethod(w.list, MUIM_NList_Clear);
    for (int i = 0; i < 100; ++i) insertRow(w.list, "match " + std::to_string(i), std::to_string(i), MUIV_NList_Insert_Bottom);
    SetAttrs(w.list, MUIA_NList_Active, active, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
    display.refresh();
  };
  refilter(MUIV_NList_Active_Off);
  EXPECT_EQ(view->verticalScrollBar()->value(), 0);
  // With an active row, that row is shown.
  refilter(90);
  EXPECT_TRUE(view->viewport()->rect().contains(view->visualRect(view->model()->index(90, 0))));
}

// The first and last rows of the image where dark glyphs show on a light
// ground, between the columns left and right; {-1, -1} when none do.
std::pair<int, int> inkRows(const QImage& image, int left, int right) {
  std::pair<int, int> rows{-1, -1};
  for (int y = 0; y < image.height(); ++y)
    for (int x = std::max(0, left); x <= right && x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 100) {
        if (rows.first < 0) rows.first = y;
        rows.second = y;
        break;
      }
  return rows;
}

// Where the glyphs of the text reach when QPainter draws it whole, unclipped,
// into the rectangle: the first and last rows, in the rectangle's coordinates.
std::pair<int, int> wholeGlyphRows(const QString& text, const QFont& font, QRect rect, Qt::Alignment align) {
  constexpr int around = 40;
  QImage image(rect.right() + 2 * around, rect.bottom() + 2 * around, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(rect.translated(around, around), static_cast<int>(align) | Qt::TextDontClip, text);
  painter.end();
  const std::pair<int, int> rows = inkRows(image, rect.left() + around, rect.right() + around);
  return {rows.first - around, rows.second - around};
}

// A text item in a frame and a list row hold "Ölrausch": at the usual font
// and at one twice as large, the dots of the Ö, drawn whole by QPainter into
// the item's text rectangle, lie inside it, and the item shows its text as
// high as that.
TEST_F(QtDisplayTest, CapitalUmlautsShowWholeInTextItemsAndListRows) {
  const QFont usual = QApplication::font();
  QFont larger = usual;
  larger.setPointSizeF(usual.pointSizeF() * 2);
  const QString word = QString::fromUtf8("Ölrausch");
  for (const QFont& font : {usual, larger}) {
    SCOPED_TRACE(font.toString().toStdString());
    QApplication::setFont(font);
    RowHooks rows;
    Object* text = MUI_NewObject("Text.mui", MUIA_Frame, MUIV_Frame_Text, MUIA_Text_Contents, "Ölrausch");
    Object* listview = makeRowList(rows, MUIV_NList_MultiSelect_None);
    Object* window = MUI_NewObject("Window.mui", MUIA_Window_Title, "Umlauts", MUIA_Window_RootObject,
                                   MUI_NewObject("Group.mui", MUIA_Group_Child, text, MUIA_Group_Child, listview));
    Object* app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Test");
    DoMethod(app, OM_ADDMEMBER, window);
    insertRow(listOfView(listview), "Ölrausch", "1", MUIV_NList_Insert_Bottom);
    SetAttrs(window, MUIA_Window_Open, 1);
    {
      mui::qt::QtDisplay display;
      display.refresh();
      auto* label = shown<QLabel>(display, text);
      auto* list = shown<QTreeView>(display, listOfView(listview));
      ASSERT_TRUE(label && list);
      const QRect inLabel = label->contentsRect();
      const std::pair<int, int> whole = wholeGlyphRows(word, label->font(), inLabel, label->alignment());
      EXPECT_GE(whole.first, inLabel.top());
      EXPECT_LE(whole.second, inLabel.bottom());
      const std::pair<int, int> drawn = inkRows(label->grab().toImage(), inLabel.left(), inLabel.right());
      EXPECT_EQ(drawn.second - drawn.first, whole.second - whole.first) << "the label's text is cut";
      const QRect cell = list->visualRect(list->model()->index(0, 0));
      const std::pair<int, int> wholeRow = wholeGlyphRows(word, list->font(), cell, Qt::AlignLeft | Qt::AlignVCenter);
      EXPECT_GE(wholeRow.first, cell.top());
      EXPECT_LE(wholeRow.second, cell.bottom());
      const std::pair<int, int> drawnRow = inkRows(list->viewport()->grab().toImage(), cell.left(), cell.right());
      EXPECT_EQ(drawnRow.second - drawnRow.first, wholeRow.second - wholeRow.first) << "the row's text is cut";
    }
    MUI_DisposeObject(app);
  }
  QApplication::setFont(usual);
}

TEST_F(QtDisplayTest, DropsBecomeAppMessagesAndTheCloseGadgetAsksTheProgram) {
  DosSandbox box;
  box.writeFile("Games/x.adf");
  box.writeFile("Games/y.adf");
  ShownWindow w;
  mui::qt::QtDisplay display;
  display.refresh();
  mui::qt::WindowView* top = display.windowView(w.window);
  // The desktop's drag enters the window, then drops.
  auto dropOn = [top](const std::vector<std::string>& paths) {
    QMimeData files;
    QList<QUrl> urls;
    for (const std::string& p : paths) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(p)));
    files.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(top, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(top, &drop);
  };
  dropOn({box.host("Games/x.adf"), box.host("Games/y.adf")});
  // A file that is gone by the time the drop is performed is refused with a line.
  dropOn({box.host("Games/none.adf")});
  top->close();
  settle(w, display);
  EXPECT_EQ(w.log, (Lines{"drop [Sandbox:Games|x.adf] [Sandbox:Games|y.adf]", "close 1"}));
  EXPECT_TRUE(top->isVisible()) << "the program decides whether the window closes";
}

TEST_F(QtDisplayTest, WaitRunsTheEventLoopUntilAGestureArrives) {
  ShownWindow w;
  mui::qt::QtDisplay display;
  QTimer::singleShot(20, [&] { QTest::mouseClick(shown<QPushButton>(display, w.save), Qt::LeftButton); });
  const uint32_t signals = static_cast<mui::Application*>(w.app)->inputSignals();
  EXPECT_EQ(Wait(signals), signals);
  EXPECT_EQ(mui::queuedUserActions(), 1u);
  settle(w, display);
  EXPECT_EQ(w.log, Lines{"Save 0"});
  // The host's quit request ends the wait too, and becomes the commodities
  // kill: SIGTERM, and the desktop's quit (a Quit event to the application,
  // as the session manager sends it), which closes no window by itself.
  RecordingHook broker;
  std::vector<uint32_t> commands;
  broker.then = [&commands](Object*, void* message) -> IPTR {
    commands.push_back(static_cast<const CxMsg*>(message)->cxm_ID);
    return 0;
  };
  SetAttrs(w.app, MUIA_Application_BrokerHook, &broker.hook);
  installBreakSignalHandlers();
  const std::vector<std::function<void()>> quits = {
      [] { std::raise(SIGTERM); },
      [] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
      },
  };
  for (const auto& quit : quits) {
    QTimer::singleShot(20, quit);
    EXPECT_EQ(Wait(signals), signals);
    EXPECT_FALSE(hostQuitRequested()) << "taken by the wait";
    ASSERT_EQ(mui::queuedUserActions(), 1u);
    settle(w, display);
  }
  EXPECT_EQ(commands, (std::vector<uint32_t>{CXCMD_KILL, CXCMD_KILL}));
  EXPECT_EQ(w.log, Lines{"Save 0"}) << "no close request";
  EXPECT_TRUE(display.windowView(w.window)->isVisible());
}

TEST_F(QtDisplayTest, APopupsButtonOpensAFileDialogThroughItsHooks) {
  DosSandbox box;
  box.writeFile("Games/x.adf");
  box.writeFile("Games/x.adf.info");
  ShownWindow w;
  RecordingHook start;
  start.then = [](Object*, void* message) -> IPTR {
    auto* tags = static_cast<TagItem*>(message);
    tags[0] = {ASLFR_InitialDrawer, reinterpret_cast<IPTR>("Sandbox:Games")};
    tags[1] = {ASLFR_InitialPattern, reinterpret_cast<IPTR>("#?.(adf|dms)")};
    tags[2] = {ASLFR_Flags2, FRF_REJECTICONS};
    return 1;
  };
  SetAttrs(w.path, MUIA_Popasl_StartHook, &start.hook);
  mui::qt::QtDisplay display;
  display.refresh();
  auto* button = shown<QWidget>(display, w.path)->findChild<QToolButton*>();
  for (bool choose : {false, true}) {
    QString drawer, filter;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      drawer = dialog->directory().absolutePath();
      filter = dialog->nameFilters().join(";");
      if (!choose) return dialog->reject();
      dialog->selectFile(QString::fromStdString(box.host("Games/x.adf")));
      static_cast<QDialog*>(dialog)->accept();  // the OK button
    });
    QTest::mouseClick(button, Qt::LeftButton);
    settle(w, display);
    EXPECT_EQ(drawer.toStdString(), box.host("Games"));
    EXPECT_EQ(filter, "*.adf *.dms");
    EXPECT_EQ(shown<QWidget>(display, w.path)->findChild<QLineEdit*>()->text(), choose ? "Sandbox:Games/x.adf" : "");
  }
  EXPECT_EQ(start.calls.size(), 2u);
}

// The file requester's settings on the file dialog, and what the person
// chooses there as the requester's answer: files, or in an open requester a
// drawer (OK with no name, or on a drawer).
TEST_F(QtDisplayTest, TheFileDialogFollowsTheFileRequestersSettings) {
  DosSandbox box;
  box.writeFile("Games/x.adf");
  box.writeFile("Games/x.adf.info");
  box.writeFile("Games/y.adf");
  box.makeDir("Games/Sub");
  mui::qt::QtDisplay display;
  struct Case {
    const char* what;
    uint32_t flags1, flags2;
    const char* initialFile;
    QFileDialog::FileMode mode;
    QFileDialog::AcceptMode accept;
    const char* typed;  // into the name field before OK
    std::string drawer;
    std::vector<std::string> files;
    const char* listing;  // the names the dialog lists
    std::string initialDrawer = "Sandbox:Games";
    std::string startsIn = "Games";  // the folder shown first, in the sandbox
    const char* selected = nullptr;   // selected in the listing before OK
  };
  const std::vector<Case> cases = {
      {"one file", 0, 0, "y.adf", QFileDialog::ExistingFile, QFileDialog::AcceptOpen, nullptr, "Sandbox:Games", {"y.adf"},
       "Sub x.adf x.adf.info y.adf"},
      {"several", FRF_DOMULTISELECT, FRF_REJECTICONS, "", QFileDialog::ExistingFiles, QFileDialog::AcceptOpen,
       "\"x.adf\" \"y.adf\"", "Sandbox:Games", {"x.adf", "y.adf"}, "Sub x.adf y.adf"},
      {"drawers only", 0, FRF_DRAWERSONLY, "", QFileDialog::Directory, QFileDialog::AcceptOpen, "Sub",
       "Sandbox:Games/Sub", {}, "Sub"},
      {"save", FRF_DOSAVEMODE, 0, "new.adf", QFileDialog::AnyFile, QFileDialog::AcceptSave, nullptr, "Sandbox:Games",
       {"new.adf"}, "Sub x.adf x.adf.info y.adf"},
      {"the drawer shown, no name", 0, FRF_REJECTICONS, "", QFileDialog::ExistingFile, QFileDialog::AcceptOpen, "",
       "Sandbox:Games", {}, "Sub x.adf y.adf"},
      {"a drawer named", FRF_DOMULTISELECT, 0, "", QFileDialog::ExistingFiles, QFileDialog::AcceptOpen, "Sub",
       "Sandbox:Games/Sub", {}, "Sub x.adf x.adf.info y.adf"},
      {"no drawer given: the current one", 0, 0, "", QFileDialog::ExistingFile, QFileDialog::AcceptOpen, "", "Sandbox:",
       {}, "Games env envarc home progdir t", "", ""},
      {"a drawer ending in a slash", 0, 0, "x.adf", QFileDialog::ExistingFile, QFileDialog::AcceptOpen, nullptr,
       "Sandbox:Games", {"x.adf"}, "Sub x.adf x.adf.info y.adf", "Sandbox:Games/"},
      {"a drawer selected", 0, 0, "", QFileDialog::ExistingFile, QFileDialog::AcceptOpen, "", "Sandbox:Games/Sub", {},
       "Sub x.adf x.adf.info y.adf", "Sandbox:Games", "Games", "Sub"},
  };
  for (const Case& c : cases) {
    RequesterRecord shown;
    shown.kind = RequesterRecord::Kind::File;
    shown.title = c.what;
    shown.initialDrawer = c.initialDrawer;
    shown.initialFile = c.initialFile;
    shown.flags1 = c.flags1;
    shown.flags2 = c.flags2;
    std::string seen;
    QString places;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      EXPECT_EQ(dialog->fileMode(), c.mode) << c.what;
      EXPECT_EQ(dialog->acceptMode(), c.accept) << c.what;
      EXPECT_EQ(dialog->directory().absolutePath().toStdString(), c.startsIn.empty() ? box.root() : box.host(c.startsIn))
          << c.what;
      // The volumes and assigns are the dialog's places, under their own names.
      auto* sidebar = dialog->findChild<QAbstractItemView*>("sidebar");
      ASSERT_TRUE(sidebar);
      for (int r = 0; r < sidebar->model()->rowCount(); ++r)
        places += sidebar->model()->index(r, 0).data().toString() + " ";
      // What the dialog lists, once its folder is read.
      auto* listing = dialog->findChild<QAbstractItemView*>("listView");
      ASSERT_TRUE(listing);
      // The folder is read in the background: all of it, however busy the machine.
      const int names = static_cast<int>(QString(c.listing).split(' ').size());
      EXPECT_TRUE(QTest::qWaitFor([&] { return listing->model()->rowCount(listing->rootIndex()) >= names; }, 5000))
          << c.what;
      QTest::qWait(50);
      QStringList listed;
      for (int r = 0; r < listing->model()->rowCount(listing->rootIndex()); ++r)
        listed << listing->model()->index(r, 0, listing->rootIndex()).data().toString();
      listed.sort();
      seen = listed.join(" ").toStdString();
      for (int r = 0; c.selected && r < listing->model()->rowCount(listing->rootIndex()); ++r) {
        const QModelIndex row = listing->model()->index(r, 0, listing->rootIndex());
        if (row.data().toString() == c.selected)
          listing->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      }
      if (c.typed) dialog->findChild<QLineEdit*>("fileNameEdit")->setText(c.typed);
      static_cast<QDialog*>(dialog)->accept();  // the OK button
      // A dialog that took no answer is cancelled rather than left waiting.
      if (dialog->isVisible()) dialog->reject();
    });
    RequesterAnswer answer;
    EXPECT_TRUE(answerRequester(shown, &answer));
    EXPECT_EQ(seen, c.listing) << c.what;
    EXPECT_TRUE(places.startsWith("Root: Home: PROGDIR: ")) << places.toStdString();
    EXPECT_TRUE(places.contains(" Sandbox: ")) << places.toStdString();
    EXPECT_EQ(answer.kind, RequesterAnswer::Kind::Choose) << c.what;
    EXPECT_EQ(answer.drawer, c.drawer) << c.what;
    EXPECT_EQ(answer.files, c.files) << c.what;
  }
}

// The console windows on screen now, and the text one shows.
std::vector<QWidget*> consoleWindows() {
  std::vector<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "console" && w->isVisible()) shown.push_back(w);
  return shown;
}
QString consoleText(QWidget* console) { return console->findChild<QPlainTextEdit*>()->toPlainText(); }

// The program's console without a terminal (started from the desktop) is a
// window that appears with the first byte written to it, shows what a
// shell's commands write as it comes, and stays until the person closes it.
// A CON: window without AUTO is there at once, and without CLOSE or WAIT
// it goes only when its last handle is closed.
TEST_F(QtDisplayTest, AConsoleWindowShowsWhatIsWrittenAndStaysUntilClosed) {
  DosSandbox box;
  mui::qt::QtDisplay display;
  ostest::setTerminalAtStandardStreams(false);
  auto run = [](const char* lines, BPTR console) {
    const TagItem tags[] = {{SYS_Input, reinterpret_cast<intptr_t>(console)}, {SYS_Output, 0}, {TAG_DONE, 0}};
    return SystemTagList(lines, tags);
  };
  BPTR own = Open("CONSOLE:", MODE_OLDFILE);
  ASSERT_TRUE(own);
  QCoreApplication::processEvents();
  EXPECT_TRUE(consoleWindows().empty()) << "nothing written yet";
  EXPECT_EQ(run("Set echo ON\nnosuchcommand", own), 20);
  ASSERT_TRUE(QTest::qWaitFor([] { return consoleWindows().size() == 1; }, 3000));
  QWidget* console = consoleWindows().front();
  EXPECT_TRUE(QTest::qWaitFor([&] { return consoleText(console).contains("Unknown command"); }, 3000));
  EXPECT_EQ(consoleText(console), "nosuchcommand\nnosuchcommand: Unknown command\n");
  // The commands are done, the window stays; the next ones write into it.
  QTest::qWait(50);
  EXPECT_EQ(consoleWindows().size(), 1u);
  EXPECT_EQ(run("Set echo ON\nother", Open("CONSOLE:", MODE_OLDFILE)), 20);
  EXPECT_TRUE(QTest::qWaitFor([&] { return consoleText(console).endsWith("other: Unknown command\n"); }, 3000));
  EXPECT_EQ(consoleWindows().size(), 1u);
  console->close();
  EXPECT_TRUE(consoleWindows().empty()) << "closed by the person";

  BPTR window = Open("CON:20/30/300/120/Launch output", MODE_NEWFILE);
  ASSERT_TRUE(window);
  QCoreApplication::processEvents();
  ASSERT_EQ(consoleWindows().size(), 1u) << "no AUTO: there at once";
  console = consoleWindows().front();
  EXPECT_EQ(console->windowTitle(), "Launch output");
  EXPECT_EQ(console->size(), QSize(300, 120));
  console->close();
  EXPECT_EQ(consoleWindows().size(), 1u) << "no close gadget";
  EXPECT_EQ(Write(window, "\x1b[1mbold\x1b[0m 10%\r20%\r30%\nab\bc\n", 30), 30);
  EXPECT_TRUE(QTest::qWaitFor([&] { return consoleText(console).endsWith("\n"); }, 3000));
  EXPECT_EQ(consoleText(console), "30%\nac\n") << "a terminal's carriage returns, backspaces and escapes";
  Close(window);
  EXPECT_TRUE(QTest::qWaitFor([] { return consoleWindows().empty(); }, 3000)) << "no WAIT: gone with its last handle";
  Close(own);
}

TEST_F(QtDisplayTest, RequestersAreAskedOnScreenWhenNoAnswerWaits) {
  mui::qt::QtDisplay display;
  EasyStruct es{sizeof(EasyStruct), 0, "Delete", "Delete %s?", "Delete|Keep|Cancel"};
  const intptr_t args[] = {reinterpret_cast<intptr_t>("Zak")};
  for (int press : {0, 1, 2}) {
    QString body;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box);
      body = box->text();
      box->buttons()[press]->click();
    });
    EXPECT_EQ(EasyRequestArgs(nullptr, &es, nullptr, args, 1), press == 2 ? 0 : press + 1);
    EXPECT_EQ(body, "Delete Zak?");
  }
  // The close gadget answers 0.
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(EasyRequestArgs(nullptr, &es, nullptr, args, 1), 0);
  // The text requester: its text offered, the typed one answered.
  RequesterRecord textRequester;
  textRequester.kind = RequesterRecord::Kind::Text;
  textRequester.title = "Rename";
  textRequester.initialText = "Zak";
  for (bool ok : {true, false}) {
    QString offered;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_TRUE(dialog);
      auto* field = dialog->findChild<QLineEdit*>();
      offered = dialog->windowTitle() + "|" + field->text();
      field->selectAll();
      QTest::keyClicks(field, "Zak II");
      QTest::keyClick(field, ok ? Qt::Key_Return : Qt::Key_Escape);
    });
    RequesterAnswer answer;
    EXPECT_TRUE(answerRequester(textRequester, &answer));
    EXPECT_EQ(offered, "Rename|Zak");
    EXPECT_EQ(answer.kind, ok ? RequesterAnswer::Kind::Text : RequesterAnswer::Kind::Cancel);
    if (ok) {
      EXPECT_EQ(answer.text, "Zak II");
    }
  }
  // A UI script shown on the display answers its requesters itself: no dialog waits for a person.
  mui::startUiScript({}, "shown.script");
  bool asked = false;
  QTimer guard;  // a dialog shown by mistake is closed, not waited for
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      asked = true;
      dialog->close();
    }
  });
  guard.start(0);
  EXPECT_EQ(EasyRequestArgs(nullptr, &es, nullptr, args, 1), 0);
  guard.stop();
  EXPECT_FALSE(asked);
  mui::stopUiScript();
  // A queued answer still comes first: no dialog then.
  ostest::answerButton(2);
  EXPECT_EQ(EasyRequestArgs(nullptr, &es, nullptr, args, 1), 2);
  ostest::resetRequesters();
}

TEST_F(QtDisplayTest, EachKeystrokeChangesAFieldOnceAndTheKeyboardFollowsTheActiveObject) {
  ShownWindow w;
  w.notify(w.name, MUIA_String_Contents, MUIV_EveryTime, "Name", ShownWindow::logText);
  mui::qt::QtDisplay display;
  display.refresh();
  auto* name = shown<QLineEdit>(display, w.name);
  QTest::keyClicks(name, "Zak");
  QTest::keyClick(name, Qt::Key_Backspace);
  QTest::keyClick(name, Qt::Key_Return);
  settle(w, display);
  EXPECT_EQ(w.log, (Lines{"Name Z", "Name Za", "Name Zak", "Name Za", "Name ack Za"}));
  // The driver's action does the same; only accepted characters get in, cut to the room there is.
  w.log.clear();
  SetAttrs(w.name, MUIA_String_Accept, "0123456789");
  mui::act::editField(w.name, "4x2", false);
  mui::act::editField(w.name, "1234567890123", true);
  EXPECT_EQ(w.log, (Lines{"Name 42", "Name 12345678901", "Name ack 12345678901"}));
  // The program gives the keyboard to a field; the screen follows.
  SetAttrs(w.window, MUIA_Window_ActiveObject, w.path);
  display.refresh();
  EXPECT_EQ(display.windowView(w.window)->focusWidget(), shown<QWidget>(display, w.path)->findChild<QLineEdit*>());
}

// Tab follows the window's cycle chain and gives each object the keyboard;
// control characters act on their objects unless a field takes the key.
TEST_F(QtDisplayTest, TabFollowsTheCycleChainAndControlCharactersActOnTheirObjects) {
  ShownWindow w;
  DoMethod(w.window, MUIM_Window_SetCycleChain, w.name, w.kind, w.path, w.save, 0);
  SetAttrs(w.save, MUIA_ControlChar, 's');
  SetAttrs(w.hide, MUIA_ControlChar, '\r');
  mui::qt::QtDisplay display;
  display.refresh();
  mui::qt::WindowView* top = display.windowView(w.window);
  QWidget* const name = shown<QLineEdit>(display, w.name);
  QWidget* const path = shown<QWidget>(display, w.path)->findChild<QLineEdit*>();
  name->setFocus();
  std::vector<std::string> active;
  for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab}) {
    QTest::keyClick(QApplication::focusWidget(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    settle(w, display);
    const auto* object = reinterpret_cast<const Object*>(attr(w.window, MUIA_Window_ActiveObject));
    active.push_back(object ? object->label() : "NIL");
  }
  const std::string pathString = static_cast<mui::Popstring*>(w.path)->stringObject()->label();
  EXPECT_EQ(active, (std::vector<std::string>{w.kind->label(), pathString, w.save->label(), w.name->label(),
                                              w.save->label()}))
      << "the slider and the other fields are left out; the chain goes round";
  EXPECT_EQ(top->focusWidget(), shown<QPushButton>(display, w.save));
  // A field takes its keys: "s" is typed, Return acknowledges it.
  path->setFocus();
  QTest::keyClicks(path, "s");
  QTest::keyClick(path, Qt::Key_Return);
  settle(w, display);
  EXPECT_TRUE(w.log.empty()) << w.log.front();
  // Elsewhere they act on their objects as clicks.
  QWidget* const button = shown<QPushButton>(display, w.save);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_S);
  QTest::keyClick(button, Qt::Key_Return);
  QTest::keyClick(button, Qt::Key_S, Qt::ControlModifier);
  settle(w, display);
  EXPECT_EQ(w.log, (Lines{"Save 0", "Hide 1"}));
}

TEST_F(QtDisplayTest, AWindowOpensWhereThePersonLeftItsId) {
  ShownWindow w;
  mui::qt::QtDisplay display;
  display.refresh();
  mui::qt::WindowView* top = display.windowView(w.window);
  top->move(40, 50);
  top->resize(top->width() + 100, top->height() + 80);
  QCoreApplication::processEvents();
  const QRect place(top->pos(), top->size());
  EXPECT_EQ(place.topLeft(), QPoint(40, 50));
  EXPECT_EQ(attr(w.window, MUIA_Window_Width), static_cast<IPTR>(place.width()));
  SetAttrs(w.window, MUIA_Window_Open, 0);
  display.refresh();
  SetAttrs(w.window, MUIA_Window_Open, 1);
  display.refresh();
  top = display.windowView(w.window);
  EXPECT_EQ(QRect(top->pos(), top->size()), place);
}

// The picture area shows the pixels the program drew into its bitmap, pens
// in the display's colours, and follows a new bitmap at the next wait.
TEST_F(QtDisplayTest, APictureAreaShowsTheBitmapTheProgramDrew) {
  BitMap* pens = AllocBitMap(3, 2, 8, BMF_CLEAR, nullptr);
  BitMap* colours = AllocBitMap(2, 1, 32, 0, nullptr);
  ASSERT_TRUE(pens && colours);
  for (uint32_t i = 0; i < 6; ++i) pens->Pixels[i] = i;
  colours->Pixels[0] = 0xFF123456;
  colours->Pixels[1] = 0xFFABCDEF;
  Object* picture = nullptr;
  Object* window = MUI_NewObject(
      "Window.mui", MUIA_Window_Title, "Picture", MUIA_Window_RootObject,
      MUI_NewObject("Group.mui", MUIA_Group_Child,
                    picture = MUI_NewObject("Bitmap.mui", MUIA_Bitmap_Width, 3, MUIA_Bitmap_Height, 2,
                                            MUIA_Bitmap_Bitmap, pens)));
  Object* app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Test");
  DoMethod(app, OM_ADDMEMBER, window);
  SetAttrs(window, MUIA_Window_Open, 1);
  {
    mui::qt::QtDisplay display;
    display.refresh();
    const QImage shownPens = shown<QLabel>(display, picture)->pixmap().toImage();
    ASSERT_EQ(shownPens.size(), QSize(3, 2));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(shownPens.pixel(i % 3, i / 3), PenARGB(static_cast<uint32_t>(i))) << i;
    SetAttrs(picture, MUIA_Bitmap_Bitmap, colours);
    display.refresh();
    const QImage shownColours = shown<QLabel>(display, picture)->pixmap().toImage();
    ASSERT_EQ(shownColours.size(), QSize(2, 1));
    EXPECT_EQ(shownColours.pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(shownColours.pixel(1, 0), 0xFFABCDEFu);
    SetAttrs(picture, MUIA_Bitmap_Bitmap, 0);
    display.refresh();
    EXPECT_TRUE(shown<QLabel>(display, picture)->pixmap().isNull()) << "no bitmap, no picture";
  }
  MUI_DisposeObject(app);
  FreeBitMap(pens);
  FreeBitMap(colours);
}

// A member of a row with the sizes it asks for.
class SizedWidget : public QWidget {
 public:
  SizedWidget(int minimum, int hint, int maximum) : hint_(hint) {
    setMinimumWidth(minimum);
    setMaximumWidth(maximum);
  }
  QSize sizeHint() const override { return QSize(hint_, 20); }

 private:
  int hint_;
};

TEST_F(QtDisplayTest, ARowGivesEachMemberItsSizeFirstAndSharesTheRestByWeight) {
  struct Case {
    bool sameSize;
    int width;
    std::vector<int> sizes;
  };
  // Members: two weighted ones of different sizes, a label of weight 0 and
  // one of fixed width; no spacing or margins.
  const std::vector<Case> cases = {
      {false, 490, {100, 300, 50, 40}},   // as large as they ask: each its own size
      {false, 590, {150, 350, 50, 40}},   // more: shared by weight, the label and the fixed one as they are
      {false, 390, {75, 225, 50, 40}},    // less: taken in proportion to what each can spare
      {false, 100, {20, 50, 50, 40}},     // too little: each at its minimum
      {true, 940, {300, 300, 300, 40}},   // same size: each as large as the largest asks
      {true, 1240, {400, 400, 400, 40}},  // and grows alike
  };
  for (const Case& c : cases) {
    QWidget row;
    auto* layout = new mui::qt::WeightedBoxLayout(true, c.sameSize, &row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    std::vector<QWidget*> members = {new SizedWidget(20, 100, 10000), new SizedWidget(50, 300, 10000),
                                     new SizedWidget(50, 50, 10000), new SizedWidget(40, 40, 40)};
    const int weights[] = {100, 100, 0, 100};
    for (size_t i = 0; i < members.size(); ++i) layout->addMember(members[i], weights[i]);
    layout->setGeometry(QRect(0, 0, c.width, 20));
    std::vector<int> sizes;
    for (QWidget* m : members) sizes.push_back(m->geometry().width());
    EXPECT_EQ(sizes, c.sizes) << "same size " << c.sameSize << ", width " << c.width;
    EXPECT_EQ(layout->sizeHint().width(), c.sameSize ? 940 : 490) << "the room that gives every member its size";
    int at = 0;
    for (QWidget* m : members) {
      EXPECT_EQ(m->geometry().x(), at) << "members side by side";
      at += m->geometry().width();
    }
  }
}

TEST_F(QtDisplayTest, SameSizeGroupsShowTheirMembersAlikeInRowsAndGrids) {
  Object *shortLabel = nullptr, *longText = nullptr, *field = nullptr, *caption = nullptr;
  Object* ok = ShownWindow::button("OK");
  Object* other = MUI_NewObject("Group.mui", MUIA_Frame, MUIV_Frame_Button, MUIA_InputMode, MUIV_InputMode_RelVerify,
                                MUIA_Group_Child, caption = ShownWindow::label("A rather longer caption"));
  Object* window = MUI_NewObject(
      "Window.mui", MUIA_Window_Title, "Same size", MUIA_Window_RootObject,
      MUI_NewObject("Group.mui", MUIA_Group_Child,
                    MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_SameSize, 1, MUIA_Group_Child, ok,
                                  MUIA_Group_Child, other),
                    MUIA_Group_Child,
                    MUI_NewObject("Group.mui", MUIA_Group_Columns, 2, MUIA_Group_SameSize, 1, MUIA_Group_Child,
                                  shortLabel = ShownWindow::label("A"), MUIA_Group_Child,
                                  field = MUI_NewObject("String.mui"), MUIA_Group_Child,
                                  MUI_NewObject("Text.mui", MUIA_Text_Contents, "B"), MUIA_Group_Child,
                                  longText = MUI_NewObject("Text.mui", MUIA_Text_Contents,
                                                           "A text wider than any field asks to be"))));
  Object* app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Test");
  DoMethod(app, OM_ADDMEMBER, window);
  SetAttrs(window, MUIA_Window_Open, 1);
  {
    mui::qt::QtDisplay display;
    display.refresh();
    QCoreApplication::processEvents();
    auto width = [&display](Object* o) { return display.widgetOf(o)->width(); };
    EXPECT_EQ(width(ok), width(other));
    EXPECT_GE(width(ok), display.widgetOf(other)->sizeHint().width()) << "as wide as the longer caption needs";
    EXPECT_EQ(width(shortLabel), width(field)) << "every column alike";
    EXPECT_EQ(width(field), width(longText));
    EXPECT_GE(width(longText), display.widgetOf(longText)->sizeHint().width());
    // A caption grows; the buttons stay alike.
    SetAttrs(caption, MUIA_Text_Contents, "A caption that has grown a great deal longer");
    display.refresh();
    mui::qt::WindowView* top = display.windowView(window);
    top->resize(top->sizeHint());
    QCoreApplication::processEvents();
    EXPECT_EQ(width(ok), width(other));
    EXPECT_GE(width(ok), display.widgetOf(other)->sizeHint().width());
  }
  MUI_DisposeObject(app);
}

TEST(QtScreenRequesters, AmigaPatternsBecomeFileDialogFilters) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"#?", "*"},
      {"#?.adf", "*.adf"},
      {"#?.(adf|dms)", "*.adf *.dms"},
      {"disk?.adf", "disk?.adf"},
      {"~(#?.info)", "*"},
      {"[ab]#?", "*"},
      {"#?.(adf", "*"},
      {"", "*"},
  };
  for (const auto& [amiga, host] : cases) EXPECT_EQ(mui::qt::hostPatternOf(amiga), host) << amiga;
}

}  // namespace

// The real program's main window drawn by the Qt display (off screen), on a
// sandbox list: a picture of it is written into the build folder, and gestures
// made with Qt's test functions filter, sort and launch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "os/mui/classes/window.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/qt/qt_display.h"
#include "os/mui/qt/window_view.h"
#include "tests/app/ludex_run.h"
#include "tests/os_qt/offscreen_screen.h"
#include "tests/support/picture_files.h"

namespace {

std::string gameLines(const std::string& name, const std::string& path, const std::string& tags, int plays) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n\n" + std::to_string(plays) + "\n$0\n";
}

const std::string shelf = "5" + gameLines("Super Frog", "Games:Amiga/SuperFrog.adf", ",Platform,Fake,", 3) +
                          gameLines("Racer", "Games:Amiga/Racer.adf", ",Racing,Fake,", 12) +
                          gameLines("Lemmings", "Games:Amiga/Lemmings.adf", ",Puzzle,Fake,", 0) +
                          gameLines("Bubble Tower", "Games:Amiga/BubbleTower.adf", ",Puzzle,Platform,Fake,", 5);

// What the program's process runs on the display: each step is one turn of
// the program's wait for input, after the program has dealt with the step
// before. Steps print what they see; the last one closes the window.
class ScreenSession {
 public:
  using Step = std::function<void(mui::qt::WindowView*)>;
  // platform: the value of QT_QPA_PLATFORM (an offscreen one).
  explicit ScreenSession(std::vector<Step> steps, std::string platform = "offscreen")
      : steps_(std::move(steps)), platform_(std::move(platform)) {}

  // Puts up the display off screen and schedules the steps (in the program's process).
  void start() {
    qputenv("QT_QPA_PLATFORM", platform_.c_str());
    mui::qt::ensureQtApplication();
    new mui::qt::QtDisplay;  // lives as long as the process, as in the program
    next();
  }

 private:
  std::vector<Step> steps_;
  std::string platform_;
  size_t done_ = 0;

  static mui::qt::WindowView* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* view = dynamic_cast<mui::qt::WindowView*>(w); view && view->isVisible()) return view;
    return nullptr;
  }
  // Not at once: the timer must fall into the program's next wait, after the
  // program has taken the input the step before queued.
  void next() {
    QTimer::singleShot(50, [this] {
      mui::qt::WindowView* view = shownWindow();
      if (!view || done_ == steps_.size()) return;
      steps_[done_++](view);
      std::fflush(stdout);
      next();
    });
  }
};

template <class W>
W* widgetOf(mui::qt::WindowView* view, mui::ItemKind kind, const char* address) {
  QWidget* w = view->widgetOf(mui::findItem(view->window(), kind, address));
  if (auto* typed = qobject_cast<W*>(w)) return typed;
  return w ? w->findChild<W*>() : nullptr;
}

QTreeView* gamesList(mui::qt::WindowView* view) { return widgetOf<QTreeView>(view, mui::ItemKind::List, "Games"); }

void printRows(mui::qt::WindowView* view) {
  QAbstractItemModel* rows = gamesList(view)->model();
  std::printf("rows:");
  for (int r = 0; r < rows->rowCount(); ++r) std::printf(" [%s]", rows->index(r, 0).data().toString().toUtf8().constData());
  std::printf("\n");
}

class MainWindowOnScreen : public testing::Test {
 protected:
  void SetUp() override {
    box.writeList(shelf);
    box.writePrefs(false, "Fake\nfakeemu \"%g\"\n\n");
    for (const char* game : {"Amiga/SuperFrog.adf", "Amiga/Racer.adf", "Amiga/Lemmings.adf", "Amiga/BubbleTower.adf"})
      box.writeGame(game);
  }
  LudexRunResult runOnScreen(std::vector<ScreenSession::Step> steps, std::string platform = "offscreen") {
    steps.push_back([](mui::qt::WindowView* view) { view->close(); });
    ScreenSession session(std::move(steps), std::move(platform));
    return box.run(nullptr, [&session] { session.start(); });
  }
  LudexSandbox box;
};

// Resizes the window and lets every layout inside it take the new size.
void resizeAndSettle(mui::qt::WindowView* view, QSize size) {
  view->resize(size);
  for (int pass = 0; pass < 3; ++pass) {
    view->layout()->activate();
    QCoreApplication::processEvents();
  }
}

// How many pixels of the window show exactly this colour.
int pixelsOf(mui::qt::WindowView* view, QRgb colour) {
  const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == (colour | 0xFF000000u);
  return count;
}

void clickRowOf(QTreeView* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

void clickRow(mui::qt::WindowView* view, int row) { clickRowOf(gamesList(view), row); }

// What a person can read in the window: whether the games list and the tag
// list show all their columns and rows without scrolling, how many pictures
// the picture area and the toolbar show.
void printWhatIsReadable(mui::qt::WindowView* view) {
  QTreeView* games = gamesList(view);
  QTreeView* tags = widgetOf<QTreeView>(view, mui::ItemKind::List, "Filter by tags");
  auto showsAll = [](QTreeView* list) {
    const int rows = list->model()->rowCount();
    const bool allRows = rows == 0 || list->viewport()->rect().contains(list->visualRect(list->model()->index(rows - 1, 0)));
    return list->header()->length() <= list->viewport()->width() && allRows;
  };
  int pictures = 0, icons = 0;
  for (QLabel* label : view->findChildren<QLabel*>()) pictures += label->pixmap().isNull() ? 0 : 1;
  for (QPushButton* button : view->findChildren<QPushButton*>()) icons += button->icon().isNull() ? 0 : 1;
  std::printf("games whole %d, tags whole %d, pictures %d, toolbar icons %d\n", showsAll(games), showsAll(tags),
              pictures, icons);
}

TEST_F(MainWindowOnScreen, APictureOfTheWindowShowsItsListTagsAndToolbar) {
  // The toolbar's pictures where the program looks for them, and a picture beside a game.
  std::filesystem::copy(std::string(LUDEX_BUILD_DIR) + "/tbimages", box.folder() / "progdir/tbimages");
  QImage frog(120, 90, QImage::Format_RGB32);
  for (int y = 0; y < frog.height(); ++y)
    for (int x = 0; x < frog.width(); ++x) frog.setPixel(x, y, qRgb(40 + x, 200 - y, (x * y) % 256));
  ASSERT_TRUE(frog.save(QString::fromStdString((box.folder() / "games/Amiga/SuperFrog.adf.pic").string()), "PNG"));
  // At the size it opens with, and as large as a maximised window.
  const std::string picture = std::string(LUDEX_BUILD_DIR) + "/main_window.png";
  const std::string large = std::string(LUDEX_BUILD_DIR) + "/main_window_large.png";
  std::remove(picture.c_str());
  std::remove(large.c_str());
  const LudexRunResult r = runOnScreen({
      [](mui::qt::WindowView* view) {
        QTreeView* list = gamesList(view);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(3, 0)).center());
      },
      [&picture, &large](mui::qt::WindowView* view) {
        printRows(view);
        printWhatIsReadable(view);
        std::printf("saved %d\n", view->grab().save(QString::fromStdString(picture), "PNG"));
        resizeAndSettle(view, QSize(1600, 1000));
        printWhatIsReadable(view);
        std::printf("saved %d\n", view->grab().save(QString::fromStdString(large), "PNG"));
      },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "rows: [Bubble Tower] [Lemmings] [Racer] [Super Frog]\n"
            "games whole 1, tags whole 1, pictures 1, toolbar icons 6\n"
            "saved 1\n"
            "games whole 1, tags whole 1, pictures 1, toolbar icons 6\n"
            "saved 1\n");
  for (const std::string& path : {picture, large}) {
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull()) << path;
    EXPECT_GE(image.width(), 500);
    EXPECT_GE(image.height(), 300);
    EXPECT_LE(image.width(), 1600);
    EXPECT_LE(image.height(), 1200);
    // Text, frames, the icons and the game's picture draw many shades, not a blank or flat surface.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    EXPECT_GE(colours.size(), 200) << path;
  }
  EXPECT_EQ(QImage(QString::fromStdString(large)).size(), QSize(1600, 1000));
}

TEST_F(MainWindowOnScreen, TypedFilterTitleClickAndDoubleClickWorkThroughQt) {
  const LudexRunResult r = runOnScreen({
      printRows,
      [](mui::qt::WindowView* view) {
        auto* name = widgetOf<QLineEdit>(view, mui::ItemKind::Field, "Name");
        QTest::keyClicks(name, "frog racer");
        QTest::keyClick(name, Qt::Key_Return);
      },
      printRows,
      [](mui::qt::WindowView* view) {
        auto* name = widgetOf<QLineEdit>(view, mui::ItemKind::Field, "Name");
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Return);
      },
      printRows,
      [](mui::qt::WindowView* view) {
        QHeaderView* header = gamesList(view)->header();
        for (int c = 0; c < header->count(); ++c)
          if (header->model()->headerData(c, Qt::Horizontal).toString() == "Play count")
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
      },
      printRows,
      [](mui::qt::WindowView* view) {
        QTreeView* list = gamesList(view);
        const QPoint second = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
      },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "rows: [Bubble Tower] [Lemmings] [Racer] [Super Frog]\n"
            "rows: [Racer] [Super Frog]\n"  // any word of the Name filter
            "rows: [Bubble Tower] [Lemmings] [Racer] [Super Frog]\n"
            "rows: [Lemmings] [Super Frog] [Bubble Tower] [Racer]\n");  // by play count
  const std::string starts = box.emulatorStarts(1);
  EXPECT_EQ(starts, (box.folder() / "games/Amiga/SuperFrog.adf").string() + "\n");
  EXPECT_NE(box.list().find("Super Frog\nGames:Amiga/SuperFrog.adf\n,Platform,Fake,\n\n4\n$"), std::string::npos)
      << box.list();
}

// A double-click whose first press takes the keyboard from a filter field
// that was typed into without Return: the list is filtered anew between the
// two presses, and another game comes under the pointer. The game pressed
// is the one launched.
TEST_F(MainWindowOnScreen, ADoubleClickLaunchesTheGameItsFirstPressTook) {
  QPoint pressed;
  const LudexRunResult r = runOnScreen({
      [](mui::qt::WindowView* view) {
        QTest::keyClicks(widgetOf<QLineEdit>(view, mui::ItemKind::Field, "Name"), "r");
      },
      [&pressed](mui::qt::WindowView* view) {
        QTreeView* list = gamesList(view);
        pressed = list->visualRect(list->model()->index(2, 0)).center();  // Racer
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, pressed);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, pressed);
      },
      printRows,
      [&pressed](mui::qt::WindowView* view) {
        QWidget* viewport = gamesList(view)->viewport();
        QMouseEvent second(QEvent::MouseButtonDblClick, pressed, viewport->mapToGlobal(pressed), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &second);
      },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "rows: [Bubble Tower] [Racer] [Super Frog]\n");  // Super Frog under the pointer now
  EXPECT_EQ(box.emulatorStarts(1), (box.folder() / "games/Amiga/Racer.adf").string() + "\n");
}

// Files and a folder dragged from the desktop onto the window are added as
// the Add button would add them, and the list is saved.
TEST_F(MainWindowOnScreen, FilesAndAFolderDroppedThroughQtAreAdded) {
  box.writeGame("New/Turrican.adf");
  // A folder's walk adds only files it recognises: two disk images.
  for (const char* disk : {"Folder/Gods.adf", "Folder/Xenon.adf"}) {
    std::filesystem::create_directories((box.folder() / "games" / disk).parent_path());
    std::vector<uint8_t> bytes(1024, 0);
    bytes[0] = 'D', bytes[1] = 'O', bytes[2] = 'S';
    writeBytes((box.folder() / "games" / disk).string(), bytes);
  }
  const std::string turrican = (box.folder() / "games/New/Turrican.adf").string();
  const std::string folder = (box.folder() / "games/Folder").string();
  const LudexRunResult r = runOnScreen({
      [turrican, folder](mui::qt::WindowView* view) {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder)),
                       QUrl::fromLocalFile(QString::fromStdString(turrican))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &drop);
      },
      printRows,
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "rows: [Bubble Tower] [Gods] [Lemmings] [Racer] [Super Frog] [Turrican] [Xenon]\n");
  for (const char* path : {"Games:Folder/Gods.adf", "Games:Folder/Xenon.adf", "Games:New/Turrican.adf"})
    EXPECT_NE(box.list().find(path), std::string::npos) << path << "\n" << box.list();
}

// The open window with this title (NIL: none).
mui::qt::WindowView* windowTitled(const QString& title) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* view = dynamic_cast<mui::qt::WindowView*>(w); view && view->isVisible() && view->windowTitle() == title)
      return view;
  return nullptr;
}

QPushButton* buttonOf(mui::qt::WindowView* view, const char* text) {
  return widgetOf<QPushButton>(view, mui::ItemKind::Button, text);
}

bool grows(const QWidget* w) {
  return qobject_cast<const QTreeView*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         (qobject_cast<const QLabel*>(w) && static_cast<const QLabel*>(w)->wordWrap());
}

// What breaks MUI's layout rules in a window as it is now, one line each:
// fields, texts, labels, buttons, cycles, check marks and sliders keep their
// natural height; a frame holding nothing that grows keeps its natural
// height; a label column is as wide as its widest label, so each label
// stands next to its object; the least-space "X" keeps its width.
std::vector<std::string> layoutFaults(mui::qt::WindowView* view) {
  std::vector<std::string> faults;
  auto named = [](const QWidget* w) {
    QString text;
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) text = group->title();
    return std::string(w->metaObject()->className()) + " \"" + text.toStdString() + "\"";
  };
  for (QWidget* w : view->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    auto* label = qobject_cast<QLabel*>(w);
    const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                         qobject_cast<QComboBox*>(w) || qobject_cast<QSlider*>(w) ||
                         (label && label->pixmap().isNull() && !label->wordWrap());
    if (control && !qobject_cast<QAbstractButton*>(w->parentWidget()) && w->height() > w->sizeHint().height())
      faults.push_back(named(w) + " is " + std::to_string(w->height()) + " high, its natural height " +
                       std::to_string(w->sizeHint().height()));
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
      const QList<QWidget*> inside = group->findChildren<QWidget*>();
      if (std::none_of(inside.begin(), inside.end(), grows) && group->height() > group->sizeHint().height())
        faults.push_back(named(w) + " is " + std::to_string(w->height()) + " high, its natural height " +
                         std::to_string(w->sizeHint().height()));
    }
    if (auto* button = qobject_cast<QPushButton*>(w); button && button->text() == "X" && w->width() > w->sizeHint().width())
      faults.push_back(named(w) + " is " + std::to_string(w->width()) + " wide, it asks for " +
                       std::to_string(w->sizeHint().width()));
  }
  for (QGridLayout* grid : view->findChildren<QGridLayout*>()) {
    if (grid->columnCount() != 2) continue;
    int widest = 0, column = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
      if (QLayoutItem* item = grid->itemAtPosition(r, 0); item && item->widget() && item->widget()->isVisible()) {
        widest = std::max(widest, item->widget()->sizeHint().width());
        column = std::max(column, item->widget()->width());
      }
    if (column > widest + 1)
      faults.push_back("a label column is " + std::to_string(column) + " wide, its widest label " + std::to_string(widest));
  }
  return faults;
}

// Prints whether the window keeps the rules at its first size and when it is
// much larger (as maximised); there the lists (or editors) take the height.
void printLayout(mui::qt::WindowView* view, const char* name) {
  const QSize first = view->size();
  auto growingHeight = [view] {
    int sum = 0;
    for (QWidget* w : view->findChildren<QWidget*>()) sum += grows(w) && w->isVisible() ? w->height() : 0;
    return sum;
  };
  const int growingFirst = growingHeight();
  for (const char* size : {"first size", "large"}) {
    if (std::string(size) == "large") resizeAndSettle(view, QSize(1600, 1000));
    std::vector<std::string> faults = layoutFaults(view);
    if (std::string(size) == "large" && (growingHeight() - growingFirst) * 10 < (view->height() - first.height()) * 9)
      faults.push_back("the lists take " + std::to_string(growingHeight() - growingFirst) + " of " +
                       std::to_string(view->height() - first.height()) + " more pixels of height");
    std::printf("%s, %s:%s\n", name, size, faults.empty() ? " ok" : "");
    for (const std::string& fault : faults) std::printf("  %s\n", fault.c_str());
  }
  resizeAndSettle(view, first);
}

// Every window of the program, at its first size and much larger, keeps
// MUI's layout rules; the key button of "Edit game" shows its label bold.
TEST_F(MainWindowOnScreen, EveryWindowKeepsMuisLayoutRulesAtItsFirstSizeAndLarger) {
  const LudexRunResult r = runOnScreen({
      [](mui::qt::WindowView* view) { clickRow(view, 0); },
      [](mui::qt::WindowView* view) {
        printLayout(view, "main window");
        QTest::mouseClick(buttonOf(view, "Edit"), Qt::LeftButton);
      },
      [](mui::qt::WindowView*) {
        mui::qt::WindowView* edit = windowTitled("Edit game");
        printLayout(edit, "Edit game");
        std::printf("bold: OK %d, Skip %d\n", buttonOf(edit, "OK")->font().bold(), buttonOf(edit, "Skip")->font().bold());
        QTest::mouseClick(buttonOf(edit, "Cancel"), Qt::LeftButton);
      },
      [](mui::qt::WindowView* view) { QTest::mouseClick(buttonOf(view, "Tag all"), Qt::LeftButton); },
      [](mui::qt::WindowView*) {
        mui::qt::WindowView* tagAll = windowTitled("Tag all selected games");
        printLayout(tagAll, "Tag all");
        QTest::mouseClick(buttonOf(tagAll, "Finished"), Qt::LeftButton);
      },
      [](mui::qt::WindowView* view) { QTest::mouseClick(buttonOf(view, "Prefs"), Qt::LeftButton); },
      [](mui::qt::WindowView*) {
        mui::qt::WindowView* prefs = windowTitled("Preferences");
        printLayout(prefs, "Preferences");
        clickRowOf(widgetOf<QTreeView>(prefs, mui::ItemKind::List, "Launchers"), 0);
      },
      [](mui::qt::WindowView*) { QTest::mouseClick(buttonOf(windowTitled("Preferences"), "Edit Launcher"), Qt::LeftButton); },
      [](mui::qt::WindowView*) {
        mui::qt::WindowView* editor = windowTitled("Edit a Launcher");
        printLayout(editor, "launcher editor");
        QTest::mouseClick(buttonOf(editor, "Cancel"), Qt::LeftButton);
      },
      [](mui::qt::WindowView*) { QTest::mouseClick(buttonOf(windowTitled("Preferences"), "Finished"), Qt::LeftButton); },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "main window, first size: ok\n"
            "main window, large: ok\n"
            "Edit game, first size: ok\n"
            "Edit game, large: ok\n"
            "bold: OK 1, Skip 0\n"
            "Tag all, first size: ok\n"
            "Tag all, large: ok\n"
            "Preferences, first size: ok\n"
            "Preferences, large: ok\n"
            "launcher editor, first size: ok\n"
            "launcher editor, large: ok\n");
}

// Keys in the games list move the active game, and the selection with it,
// as a click on its row does ("Selected" follows); a letter jumps to the
// next game whose name starts with it; Return launches the active game.
TEST_F(MainWindowOnScreen, KeysInTheGamesListMoveTheActiveGameAndReturnLaunchesIt) {
  std::vector<ScreenSession::Step> steps;
  const std::vector<std::pair<const char*, Qt::Key>> keys = {
      {"Down", Qt::Key_Down}, {"PageDown", Qt::Key_PageDown}, {"Home", Qt::Key_Home}, {"End", Qt::Key_End},
      {"l", Qt::Key_L},       {"r", Qt::Key_R},               {"s", Qt::Key_S},       {"PageUp", Qt::Key_PageUp},
      {"b", Qt::Key_B},       {"Down", Qt::Key_Down},
  };
  for (const auto& [name, key] : keys) {
    steps.push_back([key = key](mui::qt::WindowView* view) {
      gamesList(view)->setFocus();
      QTest::keyClick(gamesList(view), key);
    });
    steps.push_back([name = name](mui::qt::WindowView* view) {
      std::printf("%s: %s\n", name,
                  widgetOf<QLabel>(view, mui::ItemKind::Shown, "Selected")->text().toUtf8().constData());
    });
  }
  steps.push_back([](mui::qt::WindowView* view) { QTest::keyClick(gamesList(view), Qt::Key_Return); });
  const LudexRunResult r = runOnScreen(steps);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "Down: Games:Amiga/BubbleTower.adf\n"
            "PageDown: Games:Amiga/SuperFrog.adf\n"
            "Home: Games:Amiga/BubbleTower.adf\n"
            "End: Games:Amiga/SuperFrog.adf\n"
            "l: Games:Amiga/Lemmings.adf\n"
            "r: Games:Amiga/Racer.adf\n"
            "s: Games:Amiga/SuperFrog.adf\n"
            "PageUp: Games:Amiga/BubbleTower.adf\n"
            "b: Games:Amiga/BubbleTower.adf\n"
            "Down: Games:Amiga/Lemmings.adf\n");
  EXPECT_EQ(box.emulatorStarts(1), (box.folder() / "games/Amiga/Lemmings.adf").string() + "\n");
}

// In the tag list a click toggles a tag: the cursor keys only move to a tag
// and Space toggles it, so moving through the tags filters nothing on the way.
TEST_F(MainWindowOnScreen, KeysInTheTagListMoveToATagAndSpaceTogglesIt) {
  std::vector<ScreenSession::Step> steps;
  const std::vector<std::pair<const char*, Qt::Key>> keys = {
      {"Down", Qt::Key_Down}, {"Down", Qt::Key_Down}, {"Space", Qt::Key_Space},
      {"End", Qt::Key_End},   {"Space", Qt::Key_Space}, {"Space", Qt::Key_Space},
  };
  for (const auto& [name, key] : keys) {
    steps.push_back([key = key](mui::qt::WindowView* view) {
      QTreeView* tags = widgetOf<QTreeView>(view, mui::ItemKind::List, "Filter by tags");
      tags->setFocus();
      QTest::keyClick(tags, key);
    });
    steps.push_back([name = name](mui::qt::WindowView* view) {
      auto* tags = dynamic_cast<mui::ListUserActions*>(mui::findItem(view->window(), mui::ItemKind::List, "Filter by tags"));
      std::printf("%s: row %ld, Tags \"%s\"\n", name, tags->userActiveRow(),
                  widgetOf<QLineEdit>(view, mui::ItemKind::Field, "Tags")->text().toUtf8().constData());
    });
  }
  const LudexRunResult r = runOnScreen(steps);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "Down: row 0, Tags \"\"\n"
            "Down: row 1, Tags \"\"\n"
            "Space: row 1, Tags \"Favourite\"\n"
            "End: row 4, Tags \"Favourite\"\n"
            "Space: row 4, Tags \"Favourite,Racing\"\n"
            "Space: row 4, Tags \"Favourite\"\n");
}

// A game whose file is missing is drawn in the alternative colour, the
// others in the usual one.
TEST_F(MainWindowOnScreen, AGameWhoseFileIsMissingIsDrawnInTheAlternativeColour) {
  std::filesystem::remove(box.folder() / "games/Amiga/Racer.adf");
  const LudexRunResult r = runOnScreen({
      [](mui::qt::WindowView* view) {
        QTreeView* list = gamesList(view);
        const QImage image = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb alternative = list->palette().color(QPalette::Highlight).rgb();
        for (int row = 0; row < list->model()->rowCount(); ++row) {
          const QRect rect = list->visualRect(list->model()->index(row, 0));
          int pixels = 0;
          for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) pixels += image.pixel(x, y) == alternative;
          std::printf("%s: %s\n", list->model()->index(row, 0).data().toString().toUtf8().constData(),
                      pixels > 0 ? "alternative colour" : "usual colour");
        }
      },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "Bubble Tower: usual colour\n"
            "Lemmings: usual colour\n"
            "Racer: alternative colour\n"
            "Super Frog: usual colour\n");
}

// Started from the desktop (no terminal behind its streams) with "Show
// shell output of launcher" ticked, a launch's commands and their output
// and errors appear in a console window, which stays until it is closed.
TEST_F(MainWindowOnScreen, ALaunchsOutputAppearsInAConsoleWindowThatStaysUntilClosed) {
  std::ofstream(box.folder() / "home/.config/ludex/ENVARC/Ludex.prefs")
      << "1\n0\n1\nFake\nfakeemu \"%g\"\\necho started\\nnosuchcommand\n\n";
  auto consoles = [] {
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "console" && w->isVisible()) shown.push_back(w);
    return shown;
  };
  auto text = [](QWidget* console) { return console->findChild<QPlainTextEdit*>()->toPlainText(); };
  const LudexRunResult r = runOnScreen({
      [](mui::qt::WindowView* view) {
        QTreeView* list = gamesList(view);
        const QPoint racer = list->visualRect(list->model()->index(2, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, racer);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, racer);
      },
      [&](mui::qt::WindowView*) {
        (void)QTest::qWaitFor([&] { return consoles().size() == 1 && text(consoles()[0]).contains("Unknown command"); }, 5000);
        std::printf("%zu console: %s", consoles().size(),
                    consoles().empty() ? "\n" : text(consoles()[0]).toUtf8().constData());
      },
      [&](mui::qt::WindowView*) {
        std::printf("still there: %zu\n", consoles().size());
        if (!consoles().empty()) consoles()[0]->close();
        std::printf("after closing: %zu\n", consoles().size());
      },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "1 console: fakeemu \"Games:Amiga/Racer.adf\"\n"
            "echo started\n"
            "started\n"
            "nosuchcommand\n"
            "nosuchcommand: Unknown command\n"
            "still there: 1\n"
            "after closing: 0\n");
  EXPECT_EQ(box.emulatorStarts(1), (box.folder() / "games/Amiga/Racer.adf").string() + "\n");
}

// The picture area shows the picture beside the selected game: a 10 by 10
// picture of one colour, doubled, is 400 pixels of that colour on screen.
TEST_F(MainWindowOnScreen, TheSelectedGamesPictureIsShown) {
  const QRgb colour = 0xC01DA5;
  IlbmFile picture;
  picture.width = picture.height = 10;
  picture.planes = 2;
  picture.cmap = {0, colour, 0, 0};
  picture.pixels.assign(100, 1);
  writeBytes((box.folder() / "games/Amiga/Racer.adf.pic").string(), picture.bytes());
  const LudexRunResult r = runOnScreen({
      [colour](mui::qt::WindowView* view) { std::printf("before: %d\n", pixelsOf(view, colour)); },
      [](mui::qt::WindowView* view) { clickRow(view, 2); },  // Racer
      [colour](mui::qt::WindowView* view) { std::printf("Racer: %d\n", pixelsOf(view, colour)); },
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "before: 0\nRacer: 400\n");
}

// Whether the window, its frame included, lies on the screen it opened on,
// and every button in it lies inside the window; whether it asked for more
// room than the screen has.
void printFit(const char* name, mui::qt::WindowView* view) {
  const QRect screen = view->screen()->availableGeometry();
  bool buttonsInside = true;
  for (QPushButton* button : view->findChildren<QPushButton*>())
    buttonsInside = buttonsInside && view->rect().contains(QRect(button->mapTo(view, QPoint(0, 0)), button->size()));
  std::printf("%s: on the screen %d, buttons inside %d, asks for more %d\n", name,
              screen.contains(view->frameGeometry()), buttonsInside, view->sizeHint().width() > screen.width());
}

// On a screen of 1280 by 800, a list of 2,000 games, many with long names
// (the longest of 200 characters), and a launcher with a long command: the
// main window and the dialogs ask for more room than the screen has, and each
// opens on the screen with every button in reach; the games list scrolls
// sideways. The last column, which a launch fills, shows its text whole; a
// long "Selected" text does not widen the window; a dialog left hanging off
// the screen opens on it again.
TEST_F(MainWindowOnScreen, WindowsOpenOnTheScreenAndLongListsScrollSideways) {
  std::string list = "5";
  std::string longest;
  for (int i = 0; i < 2000; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", i);
    std::string name = std::string("Game ") + number;
    if (i % 10 == 0) {
      while (name.size() < 200) name += " with a long name";
      name.resize(200 - static_cast<size_t>(i % 37));
    }
    if (name.size() > longest.size()) longest = name;
    list += gameLines(name, "Games:Many/" + name + ".adf", ",Fake,", 0);
  }
  ASSERT_EQ(longest.size(), 200u);
  box.writeList(list);
  std::string command = "fakeemu \"%g\"";
  while (command.size() < 250) command += " --option";
  box.writePrefs(false, "Fake\n" + command + "\n\n");
  const std::string platform = offscreenPlatform(box.folder(), 1280, 800);
  const LudexRunResult r = runOnScreen(
      {
          [](mui::qt::WindowView* view) {
            printFit("main window", view);
            QTreeView* games = gamesList(view);
            std::printf("scrolls sideways %d\n", games->horizontalScrollBar()->isVisible());
            const QPoint second = games->visualRect(games->model()->index(1, 0)).center();
            QTest::mouseClick(games->viewport(), Qt::LeftButton, {}, second);
            QTest::mouseDClick(games->viewport(), Qt::LeftButton, {}, second);
          },
          [](mui::qt::WindowView* view) {
            // Game 0001, launched: its Last played is filled.
            QTreeView* games = gamesList(view);
            const QModelIndex played = games->model()->index(1, 3);
            std::printf("played \"%s\", last column whole %d\n",
                        games->model()->index(1, 0).data().toString().toUtf8().constData(),
                        !played.data().toString().isEmpty() && games->columnWidth(3) >= games->sizeHintForIndex(played).width());
            clickRow(view, 0);  // Game 0000, with a long name
          },
          [](mui::qt::WindowView* view) {
            printFit("selected", view);
            QTest::mouseClick(buttonOf(view, "Prefs"), Qt::LeftButton);
          },
          [](mui::qt::WindowView*) {
            mui::qt::WindowView* prefs = windowTitled("Preferences");
            printFit("Preferences", prefs);
            prefs->move(prefs->screen()->availableGeometry().right() - 100, 400);
            QTest::mouseClick(buttonOf(prefs, "Finished"), Qt::LeftButton);
          },
          [](mui::qt::WindowView* view) { QTest::mouseClick(buttonOf(view, "Prefs"), Qt::LeftButton); },
          [](mui::qt::WindowView*) {
            mui::qt::WindowView* prefs = windowTitled("Preferences");
            printFit("Preferences again", prefs);
            QTest::mouseClick(buttonOf(prefs, "Finished"), Qt::LeftButton);
          },
      },
      platform);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "main window: on the screen 1, buttons inside 1, asks for more 1\n"
            "scrolls sideways 1\n"
            "played \"Game 0001\", last column whole 1\n"
            "selected: on the screen 1, buttons inside 1, asks for more 1\n"
            "Preferences: on the screen 1, buttons inside 1, asks for more 1\n"
            "Preferences again: on the screen 1, buttons inside 1, asks for more 1\n");
}

}  // namespace

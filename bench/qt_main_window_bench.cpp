// Times the keystrokes in each filter field of the program's main window on
// a large game list, drawn by the Qt display (off screen unless
// QT_QPA_PLATFORM says otherwise). Each key goes to the field's line edit as
// a Qt key event, and its time runs until the games list on screen shows the
// rows that follow from it: the program has taken the key through its own
// event loop and gone back to wait for input, the display has followed the
// list (its model holds as many rows as the list) and the rows in view are
// painted. A filter field reports its text when it is acknowledged, so Return
// is the key that refilters; the keys that only edit the text are timed too.
//
// The same keys go through the program headless first, in the same run, as
// the baseline: the same event loop fed by the user driver, with no display;
// the difference is the display's share.
//
//   ludex_qt_main_window_bench [games [repeats]]     (100000 and 5 by default)
//
// Everything happens in a fresh folder under the system's temporary folder,
// mounted as the volumes the program uses; the user's own folders are never
// touched.
#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window/main_window.h"
#include "bench/bench_clock.h"
#include "bench/bench_folder.h"
#include "bench/bench_game_list.h"
#include "bench/bench_program.h"
#include "core/exception.h"
#include "os/exec/hosted_failure.h"
#include "os/mui/classes/application.h"
#include "os/mui/classes/window.h"
#include "os/mui/driver/host_display.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/qt/qt_display.h"
#include "os/mui/qt/window_view.h"

namespace {

// One keystroke in a filter field: a character typed at the end, a
// backspace, the whole text selected and deleted, or Return.
struct Keystroke {
  enum Kind { Type, Backspace, ClearAll, Return };
  const char* field;  // the field's label
  Kind kind;
  char key;  // what Type types
};

// A letter in "Name" and a digit in "Path", each taken back; "puzzle" typed
// into "Tags" key by key, then cleared at once; Return after each edit.
// Return on "puzzle" also selects the tag in the tag filter list, whose
// label ("Puzzle") then becomes the field's text and refilters once more.
const Keystroke keystrokes[] = {
    {"Name", Keystroke::Type, 'r'},    {"Name", Keystroke::Return, 0},
    {"Name", Keystroke::Backspace, 0}, {"Name", Keystroke::Return, 0},
    {"Path", Keystroke::Type, '1'},    {"Path", Keystroke::Return, 0},
    {"Path", Keystroke::Backspace, 0}, {"Path", Keystroke::Return, 0},
    {"Tags", Keystroke::Type, 'p'},    {"Tags", Keystroke::Type, 'u'},
    {"Tags", Keystroke::Type, 'z'},    {"Tags", Keystroke::Type, 'z'},
    {"Tags", Keystroke::Type, 'l'},    {"Tags", Keystroke::Type, 'e'},
    {"Tags", Keystroke::Return, 0},    {"Tags", Keystroke::ClearAll, 0},
    {"Tags", Keystroke::Return, 0},
};
constexpr size_t keystrokeCount = sizeof keystrokes / sizeof keystrokes[0];

// What a keystroke makes of the field's text.
std::string afterKeystroke(const std::string& text, const Keystroke& k) {
  switch (k.kind) {
    case Keystroke::Type: return text + k.key;
    case Keystroke::Backspace: return text.empty() ? text : text.substr(0, text.size() - 1);
    case Keystroke::ClearAll: return "";
    case Keystroke::Return: return text;
  }
  return text;
}

size_t fieldIndex(const std::string& field) { return field == "Name" ? 0 : field == "Path" ? 1 : 2; }

// The times of one keystroke over the repeats; on the display also the
// parts of them spent following the program's objects and painting the rows.
struct Figures {
  double wallTotal = 0, wallWorst = 0, cpuTotal = 0, followTotal = 0, paintTotal = 0;
  int count = 0;
  size_t rows = 0;
  bool rowsVaried = false;
  void add(const BenchClock& since, size_t shownRows, double followMs, double paintMs) {
    const double wall = since.wallMs();
    wallTotal += wall;
    followTotal += followMs;
    paintTotal += paintMs;
    wallWorst = std::max(wallWorst, wall);
    cpuTotal += since.cpuSinceMs();
    if (count > 0 && rows != shownRows) rowsVaried = true;
    rows = shownRows;
    ++count;
  }
  void merge(const Figures& other) {
    wallTotal += other.wallTotal;
    wallWorst = std::max(wallWorst, other.wallWorst);
    cpuTotal += other.cpuTotal;
    followTotal += other.followTotal;
    paintTotal += other.paintTotal;
    count += other.count;
  }
  double wallMean() const { return count ? wallTotal / count : 0; }
  double cpuMean() const { return count ? cpuTotal / count : 0; }
  double followMean() const { return count ? followTotal / count : 0; }
  double paintMean() const { return count ? paintTotal / count : 0; }
};

// The keystrokes in turn, `repeats` times over, with the figures of each;
// the texts the fields hold as the keystrokes leave them.
class KeystrokeRun {
 public:
  explicit KeystrokeRun(int repeats) : repeats_(repeats), figures_(keystrokeCount) {}

  bool done() const { return next_ >= keystrokeCount * static_cast<size_t>(repeats_); }
  const Keystroke& nextKeystroke() const { return keystrokes[next_ % keystrokeCount]; }
  // The text of the next keystroke's field once it is made.
  std::string nextText() const {
    const Keystroke& k = nextKeystroke();
    return afterKeystroke(texts_[fieldIndex(k.field)], k);
  }
  // The next keystroke is made now.
  void start() {
    const Keystroke& k = nextKeystroke();
    std::string& text = texts_[fieldIndex(k.field)];
    text = afterKeystroke(text, k);
    clock_ = BenchClock::now();
    started_ = true;
  }
  bool started() const { return started_; }
  // Its result is shown, with this many rows.
  void finish(size_t rows, double followMs = 0, double paintMs = 0) {
    figures_[next_ % keystrokeCount].add(clock_, rows, followMs, paintMs);
    started_ = false;
    ++next_;
  }
  const Figures& figures(size_t keystroke) const { return figures_[keystroke]; }

 private:
  int repeats_;
  std::vector<Figures> figures_;
  size_t next_ = 0;
  std::string texts_[3];
  BenchClock clock_{};
  bool started_ = false;
};

Object* mainWindow() {
  mui::Application* app = mui::Application::current();
  if (!app) return nullptr;
  const std::vector<Object*> open = app->openWindows();
  return open.empty() ? nullptr : open.front();
}

size_t listRows(Object* window) {
  return mui::listOf(mui::findItem(window, mui::ItemKind::List, "Games"))->userRowCount();
}

// Headless: the program's wait for input comes here once nothing is queued,
// that is once the keystroke before is dealt with; the next one is queued
// through the user driver, as the display's line edit does.
class HeadlessHands : public mui::HostDisplay {
 public:
  explicit HeadlessHands(KeystrokeRun& run) : run_(run) {}
  void refresh() override {}
  bool waitForInput(uint32_t) override {
    Object* window = mainWindow();
    if (!window) return false;
    if (run_.started()) run_.finish(listRows(window));
    if (run_.done()) {
      mui::user::requestClose(window);
      return true;
    }
    const std::string text = run_.nextText();
    Object* field = mui::findItem(window, mui::ItemKind::Field, run_.nextKeystroke().field);
    run_.start();
    mui::user::editField(field, text.c_str(), run_.nextKeystroke().kind == Keystroke::Return);
    return true;
  }

 private:
  KeystrokeRun& run_;
};

// On the Qt display: each time the program waits with nothing queued, the
// display has just followed the program's objects (and painted what
// changed). If a keystroke is on its way, its time is taken once the rows on
// screen are painted: by that follow when it painted the games list, else by
// a paint asked for here. The next keystroke is then sent from the display's
// event loop, as a person's would arrive.
class ShownHands : public mui::qt::QtDisplay {
 public:
  explicit ShownHands(KeystrokeRun& run) : run_(run) {}

  void refresh() override {
    const BenchClock following = BenchClock::now();
    paintedInFollow_ = false;
    following_ = true;
    QtDisplay::refresh();
    following_ = false;
    if (run_.started()) followMs_ += following.wallMs();
    if (mui::queuedUserActions() > 0 || sending_ || failed_) return;
    Object* window = mainWindow();
    mui::qt::WindowView* view = window ? windowView(window) : nullptr;
    if (!view) return;
    QTreeView* games = widgetIn<QTreeView>(view, mui::ItemKind::List, "Games");
    if (games && watched_ != games->viewport()) {
      watched_ = games->viewport();
      watched_->installEventFilter(&paints_);
    }
    if (run_.started()) {
      const size_t rows = listRows(window);
      // The display's model must show the list's rows; should it lag, Qt's events are given a chance.
      const BenchClock waited = BenchClock::now();
      bool lagged = false;
      while (static_cast<size_t>(games->model()->rowCount()) != rows && waited.wallMs() < 5000) {
        lagged = true;
        QCoreApplication::processEvents();
      }
      if (static_cast<size_t>(games->model()->rowCount()) != rows) {
        std::printf("the display shows %d rows, the list holds %zu\n", games->model()->rowCount(), rows);
        failed_ = true;
      }
      if (paintedInFollow_ && !lagged) {
        // The rows shown were painted as the display followed: from then on.
        run_.finish(rows, followMs_ - paintStart_.wallMs(), paintStart_.wallMs());
      } else {
        const BenchClock painting = BenchClock::now();
        games->viewport()->repaint();
        run_.finish(rows, followMs_, painting.wallMs());
      }
      followMs_ = 0;
    }
    sending_ = true;
    QTimer::singleShot(0, [this] { sendNext(); });
  }
  bool failed() const { return failed_; }

 private:
  // Notes when the games list's rows begin to be painted while the display
  // follows the program.
  class PaintWatch : public QObject {
   public:
    explicit PaintWatch(ShownHands& hands) : hands_(hands) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint && hands_.following_) {
        hands_.paintedInFollow_ = true;
        hands_.paintStart_ = BenchClock::now();
      }
      return QObject::eventFilter(watched, event);
    }

   private:
    ShownHands& hands_;
  };

  KeystrokeRun& run_;
  bool sending_ = false;  // the next keystroke is on its way
  bool failed_ = false;
  double followMs_ = 0;  // the display's following during the keystroke on its way
  PaintWatch paints_{*this};
  QObject* watched_ = nullptr;  // the games list's viewport, once there
  bool following_ = false;      // inside the display's follow
  bool paintedInFollow_ = false;
  BenchClock paintStart_{};

  template <class W>
  static W* widgetIn(mui::qt::WindowView* view, mui::ItemKind kind, const char* address) {
    QWidget* w = view->widgetOf(mui::findItem(view->window(), kind, address));
    if (auto* typed = qobject_cast<W*>(w)) return typed;
    return w ? w->findChild<W*>() : nullptr;
  }

  void sendNext() {
    sending_ = false;
    Object* window = mainWindow();
    mui::qt::WindowView* view = window ? windowView(window) : nullptr;
    if (!view) return;
    if (run_.done() || failed_) {
      view->close();  // the close gadget: the program ends its event loop
      return;
    }
    const Keystroke& k = run_.nextKeystroke();
    QLineEdit* edit = widgetIn<QLineEdit>(view, mui::ItemKind::Field, k.field);
    run_.start();
    switch (k.kind) {
      case Keystroke::Type: QTest::keyClick(edit, k.key); break;
      case Keystroke::Backspace: QTest::keyClick(edit, Qt::Key_Backspace); break;
      case Keystroke::ClearAll:
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        break;
      case Keystroke::Return: QTest::keyClick(edit, Qt::Key_Return); break;
    }
    if (mui::queuedUserActions() == 0) {
      // The key changed nothing: no input would ever end the wait.
      std::printf("a key in \"%s\" queued no input\n", k.field);
      failed_ = true;
      view->close();
    }
  }
};

// The program's main window with its event loop, until the window is closed;
// FALSE when the program failed.
bool runMainWindow() {
  try {
    Ludex();
    return true;
  } catch (const Exception& e) {
    PrintException(e);
  } catch (const HostedFailure& failure) {
    std::printf("ERROR: %s\n", failure.what());
  }
  return false;
}

void printFigures(const KeystrokeRun& headless, const KeystrokeRun& shown) {
  std::printf("  %-24s %6s | %8s %8s %8s %8s %8s | %8s %8s\n", "", "rows", "mean", "worst", "cpu mean", "follow",
              "paint", "mean", "worst");
  std::string texts[3];
  Figures editingShown, editingHeadless;
  bool rowsDiffer = false, editingRefiltered = false;
  double worstShown = 0;
  for (size_t i = 0; i < keystrokeCount; ++i) {
    const Keystroke& k = keystrokes[i];
    std::string& text = texts[fieldIndex(k.field)];
    text = afterKeystroke(text, k);
    const Figures& s = shown.figures(i);
    const Figures& h = headless.figures(i);
    rowsDiffer = rowsDiffer || s.rows != h.rows || s.rowsVaried || h.rowsVaried;
    worstShown = std::max(worstShown, s.wallWorst);
    if (k.kind != Keystroke::Return) {
      // Without Return the text is not acknowledged: the rows stay as the key before left them.
      if (s.rows != shown.figures((i + keystrokeCount - 1) % keystrokeCount).rows) editingRefiltered = true;
      editingShown.merge(s);
      editingHeadless.merge(h);
      continue;
    }
    const std::string name = std::string(k.field) + " Return on \"" + text + "\"";
    std::printf("  %-24s %6zu | %8.1f %8.1f %8.1f %8.1f %8.1f | %8.1f %8.1f\n", name.c_str(), s.rows, s.wallMean(),
                s.wallWorst, s.cpuMean(), s.followMean(), s.paintMean(), h.wallMean(), h.wallWorst);
  }
  std::printf("  %-24s %6s | %8.1f %8.1f %8.1f %8.1f %8.1f | %8.1f %8.1f\n", "any key before Return",
              editingRefiltered ? "change" : "same", editingShown.wallMean(), editingShown.wallWorst,
              editingShown.cpuMean(), editingShown.followMean(), editingShown.paintMean(), editingHeadless.wallMean(),
              editingHeadless.wallWorst);
  if (rowsDiffer) std::printf("\n  the rows shown differ between the repeats or from the headless run!\n");
  std::printf("\n  slowest key on the display: %.1f ms (goal: under 50 ms)\n", worstShown);
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const BenchFolder folder("ludex-qt-window-bench");
  if (folder.root.empty()) return 1;
  BenchGameList::write(folder.root + "/progdir/Ludex.list", games);
  folder.mount();
  mui::qt::ensureQtApplication();
  const BenchProgram program;

  KeystrokeRun headless(repeats);
  BenchClock start = BenchClock::now();
  {
    HeadlessHands hands(headless);
    mui::HostDisplay* before = mui::setHostDisplay(&hands);
    const bool ran = runMainWindow();
    mui::setHostDisplay(before);
    if (!ran) return 1;
  }
  const double headlessRun = start.wallMs();

  KeystrokeRun shown(repeats);
  start = BenchClock::now();
  {
    ShownHands display(shown);
    if (!runMainWindow() || display.failed()) return 1;
  }
  const double shownRun = start.wallMs();

  std::printf("%d games, each keystroke %d times; the whole run headless %.1f s, on the Qt display (%s) %.1f s\n",
              games, repeats, headlessRun / 1000, qgetenv("QT_QPA_PLATFORM").constData(), shownRun / 1000);
  std::printf("  milliseconds of wall time from the key to the rows shown; cpu: this thread's processor time;\n"
              "  follow, paint: the display following the program's objects, and painting the rows in view (from its\n"
              "  start to the end of the follow that painted them)\n\n");
  std::printf("  %-24s %6s | %-44s | %s\n", "", "", "on the Qt display", "headless (baseline)");
  printFigures(headless, shown);
  return 0;
}

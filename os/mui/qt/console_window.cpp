#include "os/mui/qt/console_window.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QStringDecoder>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cerrno>

#include "os/mui/classes/application.h"
#include "os/mui/qt/qt_text.h"

namespace mui::qt {

// Lines a console keeps; older ones scroll away for good.
constexpr int KEPT_LINES = 5000;
// The size of a console window whose description gives none, in characters.
constexpr int DEFAULT_COLUMNS = 80, DEFAULT_ROWS = 20;

class ConsoleWindow : public QWidget {
 public:
  ConsoleWindow(const ConsoleWindowSpec& spec, int terminal, const QString& title)
      : spec_(spec), terminal_(terminal), text_(new QPlainTextEdit) {
    setObjectName("console");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    text_->setReadOnly(true);
    text_->setMaximumBlockCount(KEPT_LINES);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->installEventFilter(this);
    const QFontMetrics metrics(text_->font());
    resize(spec.width > 0 ? spec.width : metrics.horizontalAdvance(QString(DEFAULT_COLUMNS, 'x')) + 40,
           spec.height > 0 ? spec.height : metrics.lineSpacing() * DEFAULT_ROWS + 20);
    if (spec.left >= 0 && spec.top >= 0) move(spec.left, spec.top);
    fcntl(terminal_, F_SETFL, fcntl(terminal_, F_GETFL) | O_NONBLOCK);
    reading_ = new QSocketNotifier(terminal_, QSocketNotifier::Read, this);
    QObject::connect(reading_, &QSocketNotifier::activated, [this] { readWritten(); });
    if (!spec_.autoOpen) show();
  }
  ~ConsoleWindow() override { ::close(terminal_); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // Without a close gadget the window goes only when its writers are done.
    if (spec_.closeGadget || done_)
      event->accept();
    else
      event->ignore();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != text_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    return sendTyped(static_cast<QKeyEvent*>(event));
  }

 private:
  ConsoleWindowSpec spec_;
  int terminal_;
  QPlainTextEdit* text_;
  QSocketNotifier* reading_ = nullptr;
  QStringDecoder decoder_{QStringDecoder::Utf8};
  bool done_ = false;
  bool returned_ = false;  // a carriage return came: the next text writes its line anew
  enum class Escape { None, Start, Sequence, Command } escape_ = Escape::None;

  void readWritten() {
    char buffer[4096];
    for (;;) {
      const ssize_t n = read(terminal_, buffer, sizeof buffer);
      if (n > 0) {
        showWritten(decoder_(QByteArrayView(buffer, n)));
        continue;
      }
      if (n < 0 && (errno == EINTR)) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
      // Every handle on the console is closed (the terminal hung up).
      writersDone();
      return;
    }
  }

  void writersDone() {
    reading_->setEnabled(false);
    done_ = true;
    if (!spec_.wait) close();
  }

  // Shows written text as a terminal would: lines, carriage returns and
  // backspaces take effect; other control codes and terminal escape
  // sequences (colours, cursor moves) are left out.
  void showWritten(const QString& written) {
    if (written.isEmpty()) return;
    if (isHidden()) show();
    QScrollBar* bar = text_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor end(text_->document());
    end.movePosition(QTextCursor::End);
    QString run;
    auto flush = [&] {
      if (run.isEmpty()) return;
      if (returned_) {
        end.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        end.removeSelectedText();
        returned_ = false;
      }
      end.insertText(run);
      run.clear();
    };
    for (const QChar c : written) {
      const char16_t u = c.unicode();
      if (escape_ != Escape::None) {
        skipEscape(u);
        continue;
      }
      switch (u) {
        case 0x1b: flush(); escape_ = Escape::Start; break;
        case '\n': flush(); returned_ = false; end.insertBlock(); break;
        case '\r': flush(); returned_ = true; break;
        case '\b':
          flush();
          if (!end.atBlockStart()) end.deletePreviousChar();
          break;
        case '\t': run += c; break;
        default:
          if (u >= 0x20 && u != 0x7f) run += c;
          break;
      }
    }
    flush();
    if (atEnd) bar->setValue(bar->maximum());
  }

  // One character of an escape sequence: ESC [ ... final, ESC ] ... BEL, or ESC and one character.
  void skipEscape(char16_t u) {
    switch (escape_) {
      case Escape::Start: escape_ = u == '[' ? Escape::Sequence : u == ']' ? Escape::Command : Escape::None; break;
      case Escape::Sequence:
        if (u >= 0x40 && u <= 0x7e) escape_ = Escape::None;
        break;
      case Escape::Command:
        if (u == 0x07 || u == 0x1b) escape_ = Escape::None;
        break;
      case Escape::None: break;
    }
  }

  // Sends a key typed in the window to the console's reader.
  bool sendTyped(QKeyEvent* key) {
    // Copying what the window shows stays the window's.
    if (key->matches(QKeySequence::Copy) && text_->textCursor().hasSelection()) return false;
    QByteArray bytes;
    const bool control = key->modifiers() & Qt::ControlModifier;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
      bytes = "\n";
    else if (key->key() == Qt::Key_Backspace)
      bytes = "\x7f";
    else if (control && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
      bytes = QByteArray(1, static_cast<char>(key->key() - Qt::Key_A + 1));
    else
      bytes = key->text().toUtf8();
    if (bytes.isEmpty() || done_) return false;
    // What the terminal has no room for now is dropped, as keys typed too fast are.
    const ssize_t written = write(terminal_, bytes.constData(), static_cast<size_t>(bytes.size()));
    (void)written;
    return true;
  }
};

ConsoleWindows::ConsoleWindows() : hostBefore_(SetConsoleHost(this)) {}

ConsoleWindows::~ConsoleWindows() {
  SetConsoleHost(hostBefore_);
  // The windows go with the display, whatever they are.
  for (QPointer<QWidget>& window : windows_) delete window.data();
}

void ConsoleWindows::openConsoleWindow(const ConsoleWindowSpec& spec, int terminal) {
  QString title = toQt(spec.title);
  if (title.isEmpty()) {
    Application* app = Application::current();
    const char* name = app ? app->text(MUIA_Application_Title) : nullptr;
    title = name && *name ? toQt(name) : QString("Console");
  }
  // Windows closed by now are gone from the list.
  std::erase_if(windows_, [](const QPointer<QWidget>& w) { return w.isNull(); });
  windows_.emplace_back(new ConsoleWindow(spec, terminal, title));
}

}  // namespace mui::qt

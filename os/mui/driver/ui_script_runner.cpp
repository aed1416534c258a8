#include "os/mui/driver/ui_script_runner.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "os/exec/hosted_failure.h"
#include "os/intuition/requester_answers.h"
#include "os/mui/classes/application.h"
#include "os/mui/classes/window.h"
#include "os/mui/description.h"
#include "os/mui/driver/input_queue.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/live_objects.h"
#include "os/mui/mui_class.h"

namespace mui {
namespace {

struct Script {
  bool envRead = false;
  bool running = false;
  std::string name;
  std::vector<UiScriptLine> lines;
  size_t next = 0;       // the next line to queue
  size_t performed = 0;  // lines performed
  bool endKillTaken = false;
  Object* pinned = nullptr;  // the window of the last `window` line
  uint32_t pinnedSerial = 0;
};
Script& script() {
  static Script s;
  return s;
}

[[noreturn]] void fail(const std::string& why) { throw HostedFailure(why); }

std::string lineText(const UiScriptLine& line) {
  std::string text = line.verb;
  for (const std::string& a : line.args) text += " " + quoted(a.c_str());
  return text;
}

Application* application() {
  Application* app = Application::current();
  if (!app) fail("there is no application");
  return app;
}

Object* currentWindow(Application* app) {
  Script& s = script();
  if (s.pinned && isLive(s.pinned, s.pinnedSerial) && static_cast<MuiWindow*>(s.pinned)->isOpen()) return s.pinned;
  MuiWindow* newest = nullptr;
  for (Object* w : app->openWindows())
    if (!newest || static_cast<MuiWindow*>(w)->openedOrder() > newest->openedOrder()) newest = static_cast<MuiWindow*>(w);
  if (!newest) fail("no window is open");
  return newest;
}

IPTR entryOf(Object* choice, const std::string& entry) {
  if (choice->muiClass->isA(&numericClass)) {
    const bool negative = !entry.empty() && entry[0] == '-';
    if (!isUiScriptNumber(negative ? entry.substr(1) : entry)) fail(userName(choice) + " takes a number, not " + quoted(entry.c_str()));
    return std::stol(entry);
  }
  const bool cycle = choice->muiClass->isA(&cycleClass);
  const char* const* entries =
      reinterpret_cast<const char* const*>(choice->value(cycle ? MUIA_Cycle_Entries : MUIA_Radio_Entries));
  std::string names;
  for (IPTR i = 0; entries && entries[i]; ++i) {
    if (plainText(entries[i]) == entry) return i;
    names += (names.empty() ? "" : ", ") + quoted(plainText(entries[i]).c_str());
  }
  fail(userName(choice) + " has no entry " + quoted(entry.c_str()) + "; entries: " + (names.empty() ? "none" : names));
}

void queueAnswer(const UiScriptLine& line) {
  RequesterAnswer answer;
  const std::string first = line.args.empty() ? "" : line.args.front();
  if (line.verb == "answer-choice") {
    answer.kind = RequesterAnswer::Kind::Button;
    if (isUiScriptNumber(first))
      answer.button = std::stoi(first);
    else
      answer.label = first;
  } else if (line.verb == "answer-file") {
    answer.kind = RequesterAnswer::Kind::Choose;
    answer.drawer = amigaPathOf(first);
    answer.files.assign(line.args.begin() + 1, line.args.end());
  } else if (line.verb == "answer-text") {
    answer.kind = RequesterAnswer::Kind::Text;
    answer.text = first;
  }
  queueRequesterAnswer(answer);
}

void perform(const UiScriptLine& line) {
  const std::string& verb = line.verb;
  const std::vector<std::string>& a = line.args;
  if (verb == "wait") return;  // the program got here by handling everything before
  if (verb.rfind("answer-", 0) == 0) return queueAnswer(line);
  Application* app = application();
  if (verb == "quit") return act::commoditiesKill(app);
  if (verb == "window") {
    Object* window = findWindow(app, a[0]);
    script().pinned = window;
    script().pinnedSerial = window->serial;
    return;
  }
  Object* window = currentWindow(app);
  if (verb == "close") return act::requestClose(window);
  if (verb == "drop") return act::drop(window, a);
  if (verb == "press") return act::press(findItem(window, ItemKind::Button, a[0]));
  if (verb == "type") return act::type(findItem(window, ItemKind::Field, a[0]), a[1].c_str(), a.size() == 3);
  if (verb == "tick" || verb == "untick") return act::setTick(findItem(window, ItemKind::Tick, a[0]), verb == "tick");
  if (verb == "choose") {
    Object* choice = findItem(window, ItemKind::Choice, a[0]);
    return act::choose(choice, entryOf(choice, a[1]));
  }
  if (verb == "expect-text") {
    Object* item = findItem(window, ItemKind::Shown, a[0]);
    const std::string shown = shownText(item);
    if (shown != a[1]) fail(userName(item) + " shows " + quoted(shown.c_str()) + ", not " + quoted(a[1].c_str()));
    return;
  }
  Object* list = findItem(window, ItemKind::List, a[0]);
  if (verb == "click-row")
    return act::clickRow(list, findRow(list, a[1]),
                         a.size() < 3 ? RowClick::Plain : a[2] == "shift" ? RowClick::Shift : RowClick::Ctrl);
  if (verb == "double-click-row") return act::doubleClickRow(list, findRow(list, a[1]));
  if (verb == "click-title") return act::clickTitle(list, std::stoul(a[1]) - 1);
  if (verb == "expect-row") {
    findRow(list, a[1]);
    return;
  }
  if (verb == "expect-no-row") {
    if (hasRow(list, a[1])) fail(userName(list) + " has row " + quoted(a[1].c_str()));
    return;
  }
  if (verb == "expect-rows") {
    const size_t rows = listOf(list)->userRowCount();
    if (rows != std::stoul(a[1])) fail(userName(list) + " has " + std::to_string(rows) + " rows, not " + a[1]);
    return;
  }
  fail("unknown action \"" + verb + "\"");
}

void performLine(size_t index) {
  Script& s = script();
  const UiScriptLine& line = s.lines[index];
  try {
    perform(line);
  } catch (const HostedFailure& failure) {
    throw HostedFailure("UI script \"" + s.name + "\", line " + std::to_string(line.number) + " (" + lineText(line) +
                        "): " + failure.what());
  }
  s.performed = index + 1;
}

std::string readScript(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) throw HostedFailure(std::string("UI script \"") + path + "\": it cannot be read");
  return text.str();
}
}  // namespace

void startUiScript(const std::vector<UiScriptLine>& lines, const std::string& scriptName) {
  Script& s = script();
  s = Script{};
  s.envRead = true;
  s.running = true;
  s.name = scriptName;
  s.lines = lines;
}

bool uiScriptRunning() {
  Script& s = script();
  if (!s.envRead) {
    s.envRead = true;
    const char* path = std::getenv("LUDEX_UI_SCRIPT");
    if (path && *path) startUiScript(parseUiScript(readScript(path), path), path);
  }
  return s.running;
}

bool queueNextUiScriptLine() {
  Script& s = script();
  if (!s.running || s.next >= s.lines.size()) return false;
  const size_t index = s.next++;
  queueUserAction(lineText(s.lines[index]), [index] { performLine(index); });
  return true;
}

bool takeUiScriptEndKill() {
  Script& s = script();
  if (!s.running || s.performed < s.lines.size() || s.endKillTaken) return false;
  s.endKillTaken = true;
  return true;
}

const std::string& uiScriptName() { return script().name; }

void stopUiScript() { script() = Script{}; }

}  // namespace mui

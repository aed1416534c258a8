// How long a keystroke in a filter field takes to show its result when the
// list behind it holds 100,000 rows, drawn by the Qt display (off screen
// unless QT_QPA_PLATFORM says otherwise), beside the same keystrokes
// performed headless in the same run: the program's own filtering (every
// keystroke empties the list and inserts the rows that match, in one quiet
// period) is the baseline, the difference the display's share.
//
// Run by hand: build/bench/ludex_qt_display_bench [rows]
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "os/mui/driver/user_driver.h"
#include "os/mui/mui.h"
#include "os/mui/qt/qt_display.h"

namespace {

struct Game {
  char name[24];
};

IPTR display(Hook*, void* columns, void* entry) {
  auto** texts = static_cast<const char**>(columns);
  texts[0] = entry ? static_cast<Game*>(entry)->name : "Name";
  return 0;
}

struct Filter {
  Hook hook{};
  Object* list = nullptr;
  std::vector<Game>* games = nullptr;
  std::vector<void*> shown;
};

// The program's filter: the games whose name holds the typed text, in one quiet change.
IPTR refilter(Hook* h, void*, void* message) {
  auto* filter = static_cast<Filter*>(h->h_Data);
  const char* typed = reinterpret_cast<const char*>(static_cast<IPTR*>(message)[0]);
  filter->shown.clear();
  for (Game& g : *filter->games)
    if (std::strstr(g.name, typed)) filter->shown.push_back(&g);
  SetAttrs(filter->list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  DoMethod(filter->list, MUIM_NList_Clear);
  DoMethod(filter->list, MUIM_NList_Insert, filter->shown.data(), static_cast<IPTR>(filter->shown.size()),
           MUIV_NList_Insert_Bottom);
  SetAttrs(filter->list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  return 0;
}

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Figures {
  double total = 0, worst = 0;
  int count = 0;
  void add(double ms) {
    total += ms;
    worst = std::max(worst, ms);
    ++count;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  mui::qt::ensureQtApplication();
  std::vector<Game> games(rows);
  for (size_t i = 0; i < rows; ++i) std::snprintf(games[i].name, sizeof games[i].name, "Game %06u", static_cast<unsigned>(i));

  Hook displayHook{nullptr, nullptr, display, nullptr, nullptr};
  Object* field = MUI_NewObject("String.mui");
  Object* list = MUI_NewObject("NList.mcc", MUIA_NList_DisplayHook, &displayHook, MUIA_NList_Title, 1);
  Object* window = MUI_NewObject("Window.mui", MUIA_Window_Title, "Games", MUIA_Window_RootObject,
                                 MUI_NewObject("Group.mui", MUIA_Group_Child, field, MUIA_Group_Child, list));
  Object* app = MUI_NewObject("Application.mui", MUIA_Application_Title, "Bench");
  DoMethod(app, OM_ADDMEMBER, window);
  Filter filter;
  filter.hook.h_Entry = refilter;
  filter.hook.h_Data = &filter;
  filter.list = list;
  filter.games = &games;
  DoMethod(field, MUIM_Notify, MUIA_String_Contents, MUIV_EveryTime, MUIV_Notify_Self, 3, MUIM_CallHook,
           &filter.hook, MUIV_TriggerValue);
  SetAttrs(window, MUIA_Window_Open, 1);
  SetAttrs(field, MUIA_String_Contents, "");

  // Typed one key at a time, then taken back one at a time (the last back to every row).
  const std::string text = "Game 0123";
  std::vector<std::string> steps;
  for (size_t n = 1; n <= text.size(); ++n) steps.push_back(text.substr(0, n));
  for (size_t n = text.size(); n-- > 0;) steps.push_back(text.substr(0, n));

  Figures headless, shown;
  for (const std::string& step : steps) {
    const auto start = std::chrono::steady_clock::now();
    mui::act::editField(field, step.c_str(), false);
    headless.add(msSince(start));
  }
  {
    mui::qt::QtDisplay screen;
    screen.refresh();
    auto* edit = qobject_cast<QLineEdit*>(screen.widgetOf(field));
    auto* view = qobject_cast<QTreeView*>(screen.widgetOf(list));
    for (const std::string& step : steps) {
      const auto start = std::chrono::steady_clock::now();
      if (step.size() > static_cast<size_t>(edit->text().size()))
        QTest::keyClick(edit, step.back());
      else
        QTest::keyClick(edit, Qt::Key_Backspace);
      mui::user::runInput(app);
      screen.refresh();
      view->viewport()->repaint();  // the rows on screen drawn now, not at the next event
      shown.add(msSince(start));
    }
  }
  std::printf("%zu rows, %d keystrokes (typing \"%s\", then back to no filter)\n", rows, headless.count, text.c_str());
  std::printf("  %-40s %8s %8s\n", "", "mean", "worst");
  std::printf("  %-40s %6.1f ms %6.1f ms\n", "headless (the program's filter alone)", headless.total / headless.count,
              headless.worst);
  std::printf("  %-40s %6.1f ms %6.1f ms\n", "on the display (key to rows drawn)", shown.total / shown.count,
              shown.worst);
  MUI_DisposeObject(app);
  return 0;
}

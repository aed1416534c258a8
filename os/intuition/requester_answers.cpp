#include "os/intuition/requester_answers.h"

#include <cstdio>
#include <deque>
#include <mutex>

namespace {

struct RequesterState {
  std::mutex lock;
  std::deque<RequesterAnswer> queue;
  std::vector<RequesterRecord> log;
};

RequesterState& state() {
  static RequesterState s;
  return s;
}

}  // namespace

void queueRequesterAnswer(const RequesterAnswer& answer) {
  std::lock_guard<std::mutex> guard(state().lock);
  state().queue.push_back(answer);
}

bool takeRequesterAnswer(RequesterAnswer* answer) {
  std::lock_guard<std::mutex> guard(state().lock);
  if (state().queue.empty()) return false;
  if (answer) *answer = std::move(state().queue.front());
  state().queue.pop_front();
  return true;
}

namespace {
ScreenRequester screenRequester = nullptr;
}

ScreenRequester SetScreenRequester(ScreenRequester asker) {
  ScreenRequester before = screenRequester;
  screenRequester = asker;
  return before;
}

bool answerRequester(const RequesterRecord& shown, RequesterAnswer* answer) {
  if (takeRequesterAnswer(answer)) return true;
  return screenRequester && screenRequester(shown, answer);
}

size_t queuedRequesterAnswers() {
  std::lock_guard<std::mutex> guard(state().lock);
  return state().queue.size();
}

void logRequester(const RequesterRecord& record) {
  std::lock_guard<std::mutex> guard(state().lock);
  state().log.push_back(record);
}

void printRequesterCancel(const std::string& title, const std::string& why) {
  std::printf("# requester \"%s\": %s, Cancel\n", title.c_str(), why.c_str());
  std::fflush(stdout);
}

void printRequesterMessage(const std::string& title, const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\n') c = ' ';
  std::printf("# requester \"%s\": %s\n", title.c_str(), line.c_str());
  std::fflush(stdout);
}

void ostest::answerButton(int32_t number) {
  RequesterAnswer a;
  a.kind = RequesterAnswer::Kind::Button;
  a.button = number;
  queueRequesterAnswer(a);
}

void ostest::answerButtonLabelled(const char* label) {
  RequesterAnswer a;
  a.kind = RequesterAnswer::Kind::Button;
  a.label = label ? label : "";
  queueRequesterAnswer(a);
}

void ostest::answerChoose(const char* drawer, const char* file) {
  RequesterAnswer a;
  a.kind = RequesterAnswer::Kind::Choose;
  a.drawer = drawer ? drawer : "";
  if (file && *file) a.files.emplace_back(file);
  queueRequesterAnswer(a);
}

void ostest::answerChooseSeveral(const char* drawer, const std::vector<std::string>& files) {
  RequesterAnswer a;
  a.kind = RequesterAnswer::Kind::Choose;
  a.drawer = drawer ? drawer : "";
  a.files = files;
  queueRequesterAnswer(a);
}

void ostest::answerCancel() { queueRequesterAnswer(RequesterAnswer{}); }

const std::vector<RequesterRecord>& ostest::requesterLog() { return state().log; }

void ostest::resetRequesters() {
  std::lock_guard<std::mutex> guard(state().lock);
  state().queue.clear();
  state().log.clear();
}

void ostest::answerText(const char* text) {
  RequesterAnswer a;
  a.kind = RequesterAnswer::Kind::Text;
  a.text = text ? text : "";
  queueRequesterAnswer(a);
}

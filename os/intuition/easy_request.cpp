#include <strings.h>

#include <string>
#include <vector>

#include "os/intuition/format_args.h"
#include "os/intuition/intuition.h"
#include "os/intuition/requester_answers.h"

namespace {

std::vector<std::string> splitButtons(const std::string& labels) {
  std::vector<std::string> buttons;
  size_t start = 0;
  for (;;) {
    const size_t bar = labels.find('|', start);
    buttons.push_back(labels.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return buttons;
}

// The number a button returns: its position from 1, the last one 0.
int32_t buttonNumber(size_t index, size_t count) {
  return index + 1 == count ? 0 : static_cast<int32_t>(index + 1);
}

// Label comparison for script answers: a-z case and GadTools' "_" marks ignored.
std::string plainLabel(const std::string& label) {
  std::string s;
  for (char c : label)
    if (c != '_') s += c;
  return s;
}

// The button number for the answer, or -1 when it names no button.
int32_t pressedButton(const RequesterAnswer& answer, const std::vector<std::string>& buttons) {
  if (!answer.label.empty()) {
    for (size_t i = 0; i < buttons.size(); ++i)
      if (strcasecmp(plainLabel(buttons[i]).c_str(), plainLabel(answer.label).c_str()) == 0)
        return buttonNumber(i, buttons.size());
    return -1;
  }
  const int32_t n = answer.button;
  return (n >= 0 && static_cast<size_t>(n) < buttons.size()) ? n : -1;
}

}  // namespace

int32_t EasyRequestArgs(Window* window, const EasyStruct* easyStruct, uint32_t* /*idcmpPtr*/, const intptr_t* args,
                        size_t argCount) {
  if (!easyStruct) return 0;
  if (!args) argCount = 0;

  RequesterRecord record;
  record.kind = RequesterRecord::Kind::Choice;
  record.hasWindow = window != nullptr;
  record.title = easyStruct->es_Title ? easyStruct->es_Title : "System Request";
  const FormattedText body = formatWithArgs(easyStruct->es_TextFormat, args, argCount);
  record.body = body.text;
  const FormattedText labels =
      formatWithArgs(easyStruct->es_GadgetFormat, args + (args ? body.argsUsed : 0), argCount - body.argsUsed);
  record.buttons = splitButtons(labels.text);

  int32_t result = 0;
  RequesterAnswer answer;
  if (!answerRequester(record, &answer)) {
    // A message with one button has nothing to choose: its text is the line.
    if (record.buttons.size() == 1) printRequesterMessage(record.title, record.body);
    else printRequesterCancel(record.title, "no answer");
  } else if (answer.kind == RequesterAnswer::Kind::Button) {
    result = pressedButton(answer, record.buttons);
    if (result < 0) {
      printRequesterCancel(record.title, answer.label.empty() ? "no button " + std::to_string(answer.button)
                                                              : "no button \"" + answer.label + "\"");
      result = 0;
    }
  } else if (answer.kind == RequesterAnswer::Kind::Choose) {
    printRequesterCancel(record.title, "a file answer does not fit");
  } else if (answer.kind == RequesterAnswer::Kind::Text) {
    printRequesterCancel(record.title, "a text answer does not fit");
  }
  record.result = result;
  logRequester(record);
  return result;
}

// How the hosted system's requesters are answered. There is no one to click
// on a requester, so choice requesters and file requesters take their answer
// from a queue: tests fill it through ostest::, a UI script fills it through
// queueRequesterAnswer. A requester with no answer queued is cancelled (the
// close gadget) and says so on stdout:
//   # requester "TITLE": no answer, Cancel
// except a message with one button only, which shows its text there:
//   # requester "TITLE": TEXT
// With a display, a requester with no answer queued is asked on screen (a
// screen requester installed by the display); queued answers still come first.
// Every requester shown is also written to a log that tests read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RequesterAnswer {
  enum class Kind {
    Button,  // press a button of a choice requester (or of a file requester: 0 cancels, else OK)
    Choose,  // pick a drawer and the files in it in a file requester
    Cancel,  // the Cancel button or the close gadget
    Text,    // type `text` into a text requester's string gadget and press Return
  };
  Kind kind = Kind::Cancel;
  int32_t button = 0;         // Button: the number the requester returns (1, 2, ..., 0 for the last)
  std::string label;          // Button: when not empty, the button with this label instead
  std::string drawer;         // Choose: the drawer, an Amiga path
  std::vector<std::string> files;  // Choose: names in the drawer; none: the drawer alone
  std::string text;                // Text: what is typed (it replaces the gadget's contents)
};

// What a requester showed and what it answered.
struct RequesterRecord {
  enum class Kind { Choice, File, Text };
  Kind kind = Kind::Choice;
  std::string title;
  // Choice requesters: the formatted body, the button labels, whether a parent
  // window was given.
  std::string body;
  std::vector<std::string> buttons;
  bool hasWindow = false;
  // File requesters: the settings they were opened with.
  bool hasInitialDrawer = false, hasInitialFile = false, hasInitialPattern = false;
  std::string initialDrawer, initialFile, initialPattern;
  bool showVolumes = false;
  bool doPatterns = false;
  uint32_t flags1 = 0, flags2 = 0;
  // Text requesters: the text the string gadget offered.
  std::string initialText;
  // The answer: the button number (choice) or 1 for chosen, 0 for cancelled (file).
  int32_t result = 0;
};

void queueRequesterAnswer(const RequesterAnswer& answer);
// Takes the oldest queued answer into *answer; false when none is queued.
bool takeRequesterAnswer(RequesterAnswer* answer);

// Asks a person on screen the requester the record describes (its result not
// yet set); false when the display cannot ask.
using ScreenRequester = bool (*)(const RequesterRecord& shown, RequesterAnswer* answer);
// Installs the display's way of asking (NIL: none); answers the one before.
ScreenRequester SetScreenRequester(ScreenRequester asker);
// The answer to a requester: the oldest queued one, else the person's on
// screen when a display asks; false when there is neither.
bool answerRequester(const RequesterRecord& shown, RequesterAnswer* answer);
size_t queuedRequesterAnswers();

// Adds a shown requester to the log.
void logRequester(const RequesterRecord& record);
// Prints `# requester "TITLE": WHY, Cancel` (why: "no answer", ...).
void printRequesterCancel(const std::string& title, const std::string& why);
// Prints a message nobody is there to read as `# requester "TITLE": TEXT`,
// its line breaks as blanks, so that it stays one line.
void printRequesterMessage(const std::string& title, const std::string& text);

namespace ostest {
void answerButton(int32_t number);
void answerButtonLabelled(const char* label);
// Chooses `file` in `drawer`; file NIL or "" chooses the drawer alone.
void answerChoose(const char* drawer, const char* file);
// Chooses several files of one drawer (a multiple selection).
void answerChooseSeveral(const char* drawer, const std::vector<std::string>& files);
void answerCancel();
// Types the text into a text requester and presses Return.
void answerText(const char* text);
// The requesters shown since the last reset, oldest first.
const std::vector<RequesterRecord>& requesterLog();
// Drops queued answers and the log.
void resetRequesters();
}  // namespace ostest

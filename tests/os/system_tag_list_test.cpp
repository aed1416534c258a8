#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "os/dos/console_windows.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/utility/tags.h"
#include "tests/os/shell_sandbox.h"
#include "tests/support/child_process.h"

namespace {

int openDescriptors() {
  int count = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++count;
    closedir(d);
  }
  return count;
}

std::string readProcField19() {
  char buffer[1024] = {};
  const int fd = open("/proc/self/stat", O_RDONLY | O_CLOEXEC);
  const ssize_t n = read(fd, buffer, sizeof buffer - 1);
  close(fd);
  std::string stat(buffer, n > 0 ? static_cast<size_t>(n) : 0);
  // Fields after the command name, which ends with the last ")".
  size_t at = stat.rfind(')') + 2;
  for (int field = 3; field < 19; ++field) at = stat.find(' ', at) + 1;
  return stat.substr(at, stat.find(' ', at) - at);
}

bool noChildrenLeft() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

class SystemTags : public ShellSandbox {
 protected:
  // A handle on NIL:, as the program opens for a quiet launch.
  BPTR nilHandle() { return Open("NIL:", MODE_OLDFILE); }

  // The tags the program passes: zero values replaced by TAG_IGNORE.
  int32_t launch(const std::string& command, bool async, BPTR input, BPTR currentDir = nullptr) {
    TagItem tags[] = {
        {SYS_Asynch, async},
        {SYS_Input, reinterpret_cast<intptr_t>(input)},
        {SYS_Output, 0},
        {TAG_IGNORE, 0},
        {NP_StackSize, 300000},
        {currentDir ? NP_CurrentDir : TAG_IGNORE, reinterpret_cast<intptr_t>(currentDir)},
        {TAG_DONE, 0},
    };
    return SystemTagList(command.c_str(), tags);
  }

  void writeGame() {
    writeFakeEmulator("emu/fakeemu");
    writeFile("Games/my game.adf", "disk");
  }
};

TEST_F(SystemTags, QuietAsynchronousCommandStartsInItsFolderAndReturnsAtOnce) {
  writeFakeEmulator("emu/fakeemu", 1);
  writeFile("Games/my game.adf", "disk");
  BPTR folder = Lock("Home:emu", SHARED_LOCK);
  ASSERT_NE(folder, nullptr);
  const int32_t handles = ostest::liveHandleCount();
  const int descriptors = openDescriptors();

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(launch("fakeemu -x \"Home:Games/my game.adf\"", true, nilHandle(), folder), 0);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.9);
  EXPECT_FALSE(exists("record"));
  EXPECT_EQ(ostest::liveHandleCount(), handles);  // the input handle was taken over and closed
  EXPECT_EQ(openDescriptors(), descriptors);
  EXPECT_TRUE(noChildrenLeft());

  ASSERT_TRUE(waitForRecord(15));
  EXPECT_EQ(record(), recordOf(host("emu"), {"-x", host("Games/my game.adf")}));
  UnLock(folder);
}

TEST_F(SystemTags, LaunchScriptRunsThroughRunExecuteAndThroughAsynchronousExecute) {
  writeGame();
  writeFile("Ludex.script", "CD \"Home:emu\"\nfakeemu -x \"Home:Games/my game.adf\"");
  for (const char* command : {"Run Execute \"Home:Ludex.script\"", "Execute \"Home:Ludex.script\""}) {
    removeFile("record");
    const bool async = command[0] == 'E';
    const int32_t handles = ostest::liveHandleCount();
    EXPECT_EQ(launch(command, async, nilHandle()), 0) << command;
    EXPECT_EQ(ostest::liveHandleCount(), handles) << command;
    EXPECT_TRUE(noChildrenLeft()) << command;
    ASSERT_TRUE(waitForRecord(15)) << command;
    EXPECT_EQ(record(), recordOf(host("emu"), {"-x", host("Games/my game.adf")})) << command;
  }
}

TEST_F(SystemTags, SynchronousCommandsGiveTheirReturnCode) {
  writeProgram("seven", "exit 7");
  BPTR home = Lock("Home:", SHARED_LOCK);
  const int32_t handles = ostest::liveHandleCount();
  EXPECT_EQ(launch("seven", false, nilHandle(), home), 7);
  EXPECT_EQ(launch("nosuchcommand", false, nilHandle(), home), 20);
  EXPECT_EQ(launch("seven\nnosuchcommand\nseven", false, nilHandle(), home), 20);
  EXPECT_EQ(ostest::liveHandleCount(), handles);
  EXPECT_TRUE(noChildrenLeft());
  UnLock(home);
}

TEST_F(SystemTags, CommandsThatCannotStartGiveMinusOneAndLeaveTheHandles) {
  BPTR home = Lock("Home:", SHARED_LOCK);
  BPTR input = nilHandle();
  const int32_t handles = ostest::liveHandleCount();
  EXPECT_EQ(SystemTagList(nullptr, nullptr), -1);
  // A lock is no file handle.
  EXPECT_EQ(launch("seven", false, home), -1);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  // A current folder that is gone.
  writeFile("gone/x", "");
  BPTR gone = Lock("Home:gone", SHARED_LOCK);
  removeFile("gone/x");
  removeFile("gone");
  EXPECT_EQ(launch("seven", false, input, gone), -1);
  EXPECT_EQ(ostest::liveHandleCount(), handles);  // the caller still owns input
  Close(input);
  UnLock(gone);
  UnLock(home);
}

TEST_F(SystemTags, QuietOutputGoesNowhereAndOtherwiseToTheTerminal) {
  writeProgram("loud", "echo to-stdout; echo to-stderr >&2");
  BPTR home = Lock("Home:", SHARED_LOCK);
  auto runWith = [&](bool quiet) {
    return runInChild([&] {
      dup2(STDOUT_FILENO, STDERR_FILENO);  // the terminal's both streams, captured
      int32_t rc = launch("loud", false, quiet ? nilHandle() : nullptr, home);
      rc += launch("nosuchcommand", false, quiet ? nilHandle() : nullptr, home);
      rc += launch("RequestChoice >NIL: \"Fuse\" \"Press F1 for menu!\" \"OK\" TIMEOUTSECS=2", false,
                   quiet ? nilHandle() : nullptr, home);
      return static_cast<int>(rc);
    });
  };
  const ChildResult quiet = runWith(true);
  EXPECT_EQ(quiet.exitCode, 21);
  EXPECT_EQ(quiet.output, "");
  const ChildResult shown = runWith(false);
  EXPECT_EQ(shown.exitCode, 21);
  EXPECT_EQ(shown.output, "to-stdout\nto-stderr\nnosuchcommand: Unknown command\nFuse: Press F1 for menu!\n");
  UnLock(home);
}

TEST_F(SystemTags, OutputHandleAndPriorityReachTheCommand) {
  // Field 19 of the process's stat line is its niceness.
  writeProgram("report", "echo out; echo err >&2; cut -d' ' -f19 /proc/$$/stat");
  BPTR home = Lock("Home:", SHARED_LOCK);
  const int descriptors = openDescriptors();
  const int niceBefore = std::stoi(readProcField19());
  BPTR output = Open("Home:out.txt", MODE_NEWFILE);
  TagItem tags[] = {
      {SYS_Input, reinterpret_cast<intptr_t>(nilHandle())},
      {SYS_Output, reinterpret_cast<intptr_t>(output)},
      {NP_Priority, -5},
      {NP_CurrentDir, reinterpret_cast<intptr_t>(home)},
      {TAG_DONE, 0},
  };
  EXPECT_EQ(SystemTagList("report", tags), 0);
  const int expectedNice = niceBefore > 5 ? niceBefore : 5;
  EXPECT_EQ(readFile("out.txt"), "out\nerr\n" + std::to_string(expectedNice) + "\n");
  EXPECT_EQ(openDescriptors(), descriptors);  // both handles closed
  UnLock(home);
}

// The console windows a display would show: what was written to each.
struct RecordedConsoles : ConsoleHost {
  std::vector<ConsoleWindowSpec> specs;
  std::vector<int> terminals;
  ConsoleHost* before = SetConsoleHost(this);
  ~RecordedConsoles() override {
    SetConsoleHost(before);
    for (int t : terminals) close(t);
  }
  void openConsoleWindow(const ConsoleWindowSpec& spec, int terminal) override {
    specs.push_back(spec);
    terminals.push_back(terminal);
  }
  // What is waiting to be read at the window's side of console i.
  std::string written(size_t i) const {
    fcntl(terminals[i], F_SETFL, fcntl(terminals[i], F_GETFL) | O_NONBLOCK);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(terminals[i], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    return text;
  }
};

std::string describe(const ConsoleWindowSpec& s) {
  return std::to_string(s.left) + "," + std::to_string(s.top) + "," + std::to_string(s.width) + "," +
         std::to_string(s.height) + " [" + s.title + "]" + (s.autoOpen ? " AUTO" : "") + (s.closeGadget ? " CLOSE" : "") +
         (s.wait ? " WAIT" : "");
}

TEST(ConsoleSpecs, TheWindowOfACONNameIsReadFromItsFields) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"", "-1,-1,-1,-1 []"},
      {"10/20/640/200/Launch", "10,20,640,200 [Launch]"},
      {"/////AUTO/CLOSE/WAIT", "-1,-1,-1,-1 [] AUTO CLOSE WAIT"},
      {"0/0/x/-5/T/wait/NOSIZE/auto", "0,0,-1,-1 [T] AUTO WAIT"},
      {"1/2", "1,2,-1,-1 []"},
  };
  for (const auto& [spec, window] : cases) EXPECT_EQ(describe(ParseConsoleSpec(spec)), window) << spec;
}

// CONSOLE: is the terminal the program was started from, or without one (a
// start from the desktop) the program's own console window while that is
// there; CON: is a window of its own. What a shell's commands write goes
// there. Without a display every console is the program's standard streams.
TEST_F(SystemTags, ConsolesAreTheTerminalOrWindowsOfTheirOwn) {
  writeProgram("loud", "echo to-stdout; echo to-stderr >&2");
  BPTR home = Lock("Home:", SHARED_LOCK);
  // No display: the standard streams, never quiet (even with no input behind them).
  const ChildResult streams = runInChild([&] {
    dup2(STDOUT_FILENO, STDERR_FILENO);
    const int none = open("/dev/null", O_RDONLY);
    dup2(none, STDIN_FILENO);
    ostest::setTerminalAtStandardStreams(false);
    int rc = launch("loud", false, Open("CONSOLE:", MODE_OLDFILE), home);
    rc += launch("nosuchcommand", false, Open("CON://///AUTO/CLOSE/WAIT", MODE_OLDFILE), home);
    return rc;
  });
  EXPECT_EQ(streams.output, "to-stdout\nto-stderr\nnosuchcommand: Unknown command\n");
  EXPECT_EQ(streams.exitCode, 20);

  RecordedConsoles consoles;
  ostest::setTerminalAtStandardStreams(false);
  BPTR own = Open("CONSOLE:", MODE_OLDFILE);
  ASSERT_EQ(consoles.specs.size(), 1u);
  EXPECT_EQ(describe(consoles.specs[0]), "-1,-1,-1,-1 [] AUTO CLOSE WAIT");
  EXPECT_EQ(Write(own, "Ludex\n", 6), 6);
  EXPECT_EQ(launch("loud", false, own, home), 0);
  EXPECT_EQ(launch("nosuchcommand", false, Open("CONSOLE:", MODE_OLDFILE), home), 20);
  EXPECT_EQ(consoles.specs.size(), 1u) << "the same window while it is there";
  EXPECT_EQ(consoles.written(0), "Ludex\nto-stdout\nto-stderr\nnosuchcommand: Unknown command\n");
  // The person closed it: the next one is a new window.
  close(consoles.terminals[0]);
  consoles.terminals[0] = open("/dev/null", O_RDONLY);
  BPTR again = Open("CONSOLE:", MODE_OLDFILE);
  EXPECT_EQ(consoles.specs.size(), 2u);
  Close(again);

  BPTR window = Open("CON:10/20/300/100/Launch/CLOSE", MODE_NEWFILE);
  ASSERT_EQ(consoles.specs.size(), 3u);
  EXPECT_EQ(describe(consoles.specs[2]), "10,20,300,100 [Launch] CLOSE");
  EXPECT_EQ(launch("loud", false, window, home), 0);
  EXPECT_EQ(consoles.written(2), "to-stdout\nto-stderr\n");

  // Started from a shell: CONSOLE: is that terminal, no window.
  ostest::setTerminalAtStandardStreams(true);
  BPTR terminal = Open("CONSOLE:", MODE_OLDFILE);
  EXPECT_NE(terminal, nullptr);
  EXPECT_EQ(consoles.specs.size(), 3u);
  Close(terminal);
  UnLock(home);
}

}  // namespace

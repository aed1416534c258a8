#include "os/shell/shell.h"

#include <errno.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/os/shell_sandbox.h"
#include "tests/support/scoped_env.h"

namespace {

using Shell = ShellSandbox;

TEST_F(Shell, CdThenCommandRunsInThatFolderWithThePathAsOneArgument) {
  writeFakeEmulator("emu/fakeemu");
  writeFile("Games/my game.adf", "disk");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "CD \"" + amiga("emu") + "\""), RC_OK);
  EXPECT_EQ(state.dir, host("emu"));
  EXPECT_EQ(runShellLine(state, "fakeemu -x \"" + amiga("Games/my game.adf") + "\""), RC_OK);
  EXPECT_EQ(record(), recordOf(host("emu"), {"-x", host("Games/my game.adf")}));
  EXPECT_EQ(runShellLine(state, "CD"), RC_OK);  // names the folder the Amiga way
  EXPECT_EQ(console(), "Home:emu\n");
}

TEST_F(Shell, ArgumentsStartingWithAKnownVolumeAreMappedOthersPassUnchanged) {
  writeFakeEmulator("fakeemu");
  writeFile("Games/.keep", "");
  ShellState state = shell();
  ASSERT_EQ(runShellLine(state, "fakeemu Home:games/New.adf home:x NIL: -x startup_file=Home:a Nope:a http://a/b :x "
                                "Home:nowhere/x.adf"),
            RC_OK);
  // Names are matched ignoring case; a file not there yet keeps its name; a
  // path that leads nowhere stays as written; the value of a "name=" option
  // is mapped as a whole argument is.
  EXPECT_EQ(record(), recordOf(root(), {host("Games/New.adf"), host("x"), "/dev/null", "-x",
                                        "startup_file=" + host("a"), "Nope:a", "http://a/b", ":x",
                                        "Home:nowhere/x.adf"}));
}

TEST_F(Shell, FoldersKeepTheirTrailingSlashAndOnlyTheFirstEqualsSplits) {
  writeFakeEmulator("fakeemu");
  writeFile("Games/.keep", "");
  ShellState state = shell();
  struct Case {
    std::string argument, expected;
  };
  const Case cases[] = {
      {"Home:Games/", host("Games/")},
      {"Home:", root() + "/"},  // a volume's root is a folder to append names to
      {"Home:Games", host("Games")},
      {"NIL:", "/dev/null"},  // a device, not a folder
      {"--dir=Home:Games/", "--dir=" + host("Games/")},
      {"a=b=Home:x", "a=b=Home:x"},  // only the part after the first "="
      {"=Home:x", "=" + host("x")},
      {"mid Home:x", "mid Home:x"},  // a path inside an argument stays as it is
      {"-xHome:x", "-xHome:x"},
      {"a=Nope:x", "a=Nope:x"},
  };
  std::string line = "fakeemu";
  for (const Case& c : cases) line += " \"" + c.argument + "\"";
  ASSERT_EQ(runShellLine(state, line), RC_OK);
  std::string expected = root() + "\n";
  for (const Case& c : cases) expected += "[" + c.expected + "]\n";
  EXPECT_EQ(record(), expected);
}

TEST_F(Shell, ProgramsNamedByAPathAreMappedFromTheCurrentFolder) {
  writeFakeEmulator("emu/bin/fakeemu");
  writeFile("emu/sub/.keep", "");
  ShellState state = shell();
  ASSERT_EQ(runShellLine(state, "CD Home:emu/sub"), RC_OK);
  for (const char* command : {"Home:emu/bin/fakeemu", "/bin/fakeemu", "//emu/BIN/FakeEmu"}) {
    removeFile("record");
    EXPECT_EQ(runShellLine(state, std::string(command) + " a"), RC_OK) << command;
    EXPECT_EQ(record(), recordOf(host("emu/sub"), {"a"})) << command;
  }
  EXPECT_EQ(runShellLine(state, "bin/fakeemu"), RC_FAIL);  // not below sub
  EXPECT_EQ(console(), "bin/fakeemu: Unknown command\n");
}

TEST_F(Shell, ExecuteStopsAtTheFirstReturnCodeOfTenOrMore) {
  struct Case {
    int code;
    bool goesOn;
  };
  for (const Case c : {Case{0, true}, Case{5, true}, Case{9, true}, Case{10, false}, Case{20, false}}) {
    removeFile("record");
    writeProgram("ends", "exit " + std::to_string(c.code));
    writeFakeEmulator("fakeemu");
    writeFile("script", "ends\nfakeemu after\n");
    ShellState state = shell();
    const int32_t rc = runShellLine(state, "Execute script");
    EXPECT_EQ(exists("record"), c.goesOn) << c.code;
    EXPECT_EQ(rc, c.goesOn ? RC_OK : c.code);
  }
}

TEST_F(Shell, ExecuteNestsUpToItsLimitAndAScriptThatExecutesItselfFails) {
  writeFakeEmulator("fakeemu");
  // Scripts nested to the limit run; one more level fails with 20 and a
  // message, which stops every script around it.
  for (int depth = 1; depth <= MAX_EXECUTE_DEPTH; ++depth)
    writeFile("s" + std::to_string(depth), depth == MAX_EXECUTE_DEPTH ? "fakeemu deepest\n"
                                                                        : "Execute s" + std::to_string(depth + 1) + "\n");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "Execute s1"), RC_OK);
  EXPECT_EQ(record(), recordOf(root(), {"deepest"}));
  EXPECT_EQ(state.executeDepth, 0);

  writeFile("self", "Execute self\nfakeemu after\n");
  removeFile("record");
  EXPECT_EQ(runShellLine(state, "Execute self"), RC_FAIL);
  EXPECT_FALSE(exists("record"));
  EXPECT_EQ(console(), "Execute: scripts nested more than 32 deep\n");
  EXPECT_EQ(state.executeDepth, 0);
}

TEST_F(Shell, ReturnCodesOfProgramsAndUnknownCommands) {
  writeProgram("seven", "exit 7");
  writeProgram("killed", "kill -9 $$");
  writeFile("notexec", "plain text");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "seven"), 7);
  EXPECT_EQ(runShellLine(state, "killed"), RC_KILLED);
  EXPECT_EQ(runShellLine(state, "nosuchcommand a b"), RC_FAIL);
  EXPECT_EQ(console(), "nosuchcommand: Unknown command\n");
  EXPECT_EQ(runShellLine(state, "notexec"), RC_FAIL);  // there, but cannot run
  EXPECT_NE(console().find("notexec: "), std::string::npos);
}

TEST_F(Shell, CommentsAndEmptyLinesDoNothing) {
  ShellState state = shell();
  for (const char* line : {"", "   ", "\t\r", ";nosuchcommand", "  ; CD /nowhere", ";"}) {
    EXPECT_EQ(runShellLine(state, line), RC_OK) << line;
  }
  EXPECT_EQ(state.dir, root());
  EXPECT_EQ(console(), "");
}

TEST_F(Shell, NamesInTheCurrentFolderMatchIgnoringCaseExactFirst) {
  writeProgram("emu/FakeEmu", "echo upper");
  writeProgram("emu/fakeemu", "echo lower");
  writeProgram("emu/Other", "echo other");
  writeProgram("emu/Twin", "echo Twin");
  writeProgram("emu/TWIN", "echo TWIN");
  ShellState state = shell();
  ASSERT_EQ(runShellLine(state, "cd emu"), RC_OK);
  EXPECT_EQ(runShellLine(state, "FakeEmu"), RC_OK);
  EXPECT_EQ(runShellLine(state, "fakeemu"), RC_OK);
  EXPECT_EQ(runShellLine(state, "OTHER"), RC_OK);
  // Two names that differ only in case: neither is the one meant.
  EXPECT_EQ(runShellLine(state, "twin"), RC_FAIL);
  EXPECT_EQ(console(), "upper\nlower\nother\ntwin: Unknown command\n");
}

TEST_F(Shell, CommandsAreFoundOnPathAfterTheCurrentFolder) {
  writeProgram("bin/pathtool", "echo from path");
  writeProgram("here/pathtool", "echo from here");
  const char* oldPath = std::getenv("PATH");
  ScopedEnv path("PATH", (host("bin") + ":" + (oldPath ? oldPath : "")).c_str());
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "pathtool"), RC_OK);
  ASSERT_EQ(runShellLine(state, "CD here"), RC_OK);
  EXPECT_EQ(runShellLine(state, "pathtool"), RC_OK);
  EXPECT_EQ(console(), "from path\nfrom here\n");
}

TEST_F(Shell, ShellCodeInNamesIsDataAndRunsNothing) {
  writeFakeEmulator("fakeemu");
  // Names a user's disk may hold; each must reach the program unchanged.
  const std::vector<std::string> names = {"$(touch pwned).adf", "`touch pwned`.adf", "a;touch pwned.adf",
                                          "x' && touch pwned '.adf", "a|touch pwned"};
  ShellState state = shell();
  for (const std::string& name : names) {
    removeFile("record");
    writeFile(name, "disk");
    EXPECT_EQ(runShellLine(state, "fakeemu \"" + amiga(name) + "\""), RC_OK) << name;
    EXPECT_EQ(record(), recordOf(root(), {host(name)})) << name;
  }
  // A quote written the AmigaDOS way is part of the name.
  removeFile("record");
  EXPECT_EQ(runShellLine(state, "fakeemu \"say *\"$(touch pwned)*\"\""), RC_OK);
  EXPECT_EQ(record(), recordOf(root(), {"say \"$(touch pwned)\""}));
  // A bare quote only splits words; still nothing runs.
  removeFile("record");
  EXPECT_EQ(runShellLine(state, "fakeemu \"a\"$(touch pwned)\".adf\""), RC_OK);
  EXPECT_EQ(record(), recordOf(root(), {"a", "$(touch", "pwned)\".adf\""}));
  // As a command name it is simply not found.
  EXPECT_EQ(runShellLine(state, "$(touch pwned)"), RC_FAIL);
  EXPECT_EQ(runShellLine(state, "\"`touch pwned`\" x"), RC_FAIL);
  EXPECT_FALSE(anyFileNamed("pwned"));
}

TEST_F(Shell, RunReturnsAtOnceAndLeavesNothingToReap) {
  writeFakeEmulator("slowemu", 2);
  ShellState state = shell();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(runShellLine(state, "Run slowemu \"my arg\""), RC_OK);
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(took, 1.5);
  EXPECT_FALSE(exists("record"));
  // No child of ours is left, running or finished.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  ASSERT_TRUE(waitForRecord(15));
  EXPECT_EQ(record(), recordOf(root(), {"my arg"}));
}

TEST_F(Shell, RunOfExecuteReadsTheScriptBeforeReturning) {
  writeFakeEmulator("emu/slowemu", 1);
  writeFile("Ludex.script", "CD emu\nslowemu first");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "Run Execute \"" + amiga("Ludex.script") + "\""), RC_OK);
  // The next launch rewrites the script at once; the job keeps the old lines.
  writeFile("Ludex.script", "CD emu\nslowemu second");
  ASSERT_TRUE(waitForRecord(15));
  EXPECT_EQ(record(), recordOf(host("emu"), {"first"}));
  EXPECT_EQ(state.dir, root());  // the job's CD stays in the job
  EXPECT_EQ(runShellLine(state, "Run Execute nosuch.script"), RC_FAIL);
}

TEST_F(Shell, RedirectionsOfInputAndOutput) {
  writeProgram("talk", "cat; echo said");
  writeFile("in.txt", "hello\n");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "talk <in.txt >out.txt"), RC_OK);
  EXPECT_EQ(readFile("out.txt"), "hello\nsaid\n");
  EXPECT_EQ(runShellLine(state, "talk >>out.txt <in.txt"), RC_OK);
  EXPECT_EQ(readFile("out.txt"), "hello\nsaid\nhello\nsaid\n");
  EXPECT_EQ(runShellLine(state, "talk >NIL: <in.txt"), RC_OK);
  EXPECT_EQ(runShellLine(state, "talk <missing.txt"), RC_FAIL);
  EXPECT_EQ(console(), "Unable to open redirection file \"missing.txt\"\n");
}

TEST_F(Shell, SetEchoPrintsEachLineBeforeRunningIt) {
  writeProgram("hello", "echo hello");
  writeFile("script", "Set echo ON\nhello\n;note\nSet echo OFF\nhello\n");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "Execute script"), RC_OK);
  EXPECT_EQ(console(), "hello\nhello\n;note\nSet echo OFF\nhello\n");
  EXPECT_EQ(runShellLine(state, "Set foo bar"), RC_ERROR);
}

TEST_F(Shell, StackIsAcceptedAndRequestChoiceAnswersAtOnce) {
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "Stack 1000000"), RC_OK);
  EXPECT_EQ(state.stack, 1000000);
  EXPECT_EQ(runShellLine(state, "Stack lots"), RC_ERROR);
  EXPECT_EQ(state.stack, 1000000);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(runShellLine(state, "RequestChoice >NIL: \"Fuse\" \"Press F1 for menu!\" \"OK\" TIMEOUTSECS=2"), 1);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
  const std::string before = console();
  EXPECT_EQ(runShellLine(state, "RequestChoice \"Fuse\""), RC_FAIL);
  EXPECT_EQ(before, "Stack: bad size \"lots\"\nFuse: Press F1 for menu!\n");
}

TEST_F(Shell, FailedCdKeepsTheFolderAndStopsAScript) {
  writeFakeEmulator("fakeemu");
  writeFile("afile", "x");
  writeFile("script", "CD nowhere\nfakeemu\n");
  ShellState state = shell();
  EXPECT_EQ(runShellLine(state, "CD afile"), RC_FAIL);
  EXPECT_EQ(runShellLine(state, "Execute script"), RC_FAIL);
  EXPECT_EQ(state.dir, root());
  EXPECT_FALSE(exists("record"));
  EXPECT_EQ(runShellLine(state, "Execute nosuch.script"), RC_FAIL);
  EXPECT_EQ(console(), "afile is not a directory\nCan't find nowhere\nExecute: can't open nosuch.script\n");
}

}  // namespace

// What a user types or names arrives as written: a long name survives the
// "Edit game" dialog, a control character in a file name stays out of the
// other columns, a dropped set of files is saved once, a typed tags filter
// stays as typed and filters as written, and a game's path reaches the
// emulator byte for byte, whatever it holds and wherever the launcher puts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/e2e/e2e_scenario.h"

namespace fs = std::filesystem;

namespace {

std::string gameLines(const std::string& name, const std::string& path, const std::string& tags) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n\n0\n$0\n";
}

const std::string disk = std::string("DOS") + std::string(1021, '\0');

TEST(AsWritten, ALongNameAndATabInAFileNameComeThroughADropAndTheEditDialog) {
  LudexSandbox box;
  box.writePrefs(false, "");
  // A 244-byte file name becomes a 479-character name: a blank at each
  // change between letter and digit.
  std::string file = "a1a1";
  while (file.size() < 240) file += "a1";
  file += ".adf";
  std::string name = "a";
  for (size_t i = 1; i < 240; ++i) name += std::string(" ") + file[i];
  const std::string before = "5" + gameLines("Racer", "Games:Racer.adf", ",Racing,");
  E2eStart start{
      .script = "drop " + e2eQuoted("Games:Shelf/" + file) + " \"Games:Shelf/Tab\there.adf\" Games:Shelf/Plain.adf\n"
                "expect-rows Games 4\n"
                // The last file of the drop is the one selected.
                "expect-text Selected \"Games:Shelf/Plain.adf\"\n"
                "expect-row Games \"Tab here\"\n"
                "click-row Games \"Tab here\"\n"
                "expect-text Selected \"Games:Shelf/Tab\there.adf\"\n"
                "click-row Games " + e2eQuoted(name) + "\n"
                "press Edit\n"
                "window EDIT\n"
                "expect-text Name " + e2eQuoted(name) + "\n"
                "press OK\n"
                "window MAIN\n"
                "expect-row Games " + e2eQuoted(name) + "\n"
                "close\n",
      .listHas = {"\n" + name + "\nGames:Shelf/" + file + "\n,Floppy,\n",
                  "\nTab\there\nGames:Shelf/Tab\there.adf\n,Floppy,\n", "\nPlain\nGames:Shelf/Plain.adf\n,Floppy,\n"},
      .then = [&] {
        // One save for the drop, after its last file; none for an Edit that
        // changed nothing: the backup is the list from before the drop.
        EXPECT_EQ(box.read("progdir/Ludex.list.bak"), before);
      }};
  playScenario(box, {.files = {{"Shelf/" + file, disk}, {"Shelf/Tab\there.adf", disk}, {"Shelf/Plain.adf", disk}},
                     .list = before,
                     .starts = {start}});
}

TEST(AsWritten, ATypedTagsFilterStaysAsTypedAndFiltersAsWritten) {
  LudexSandbox box;
  box.writePrefs(false, "");
  const std::string list = "5" + gameLines("Racer", "Games:Racer.adf", ",Racing,") +
                           gameLines("Jumper", "Games:Jumper.adf", ",Platform,") +
                           gameLines("Both", "Games:Both.adf", ",Racing,Platform,");
  E2eStart start{.script = "type Tags rac enter\n"
                           "expect-text Tags rac\n"
                           "expect-text Mode Show\n"
                           "expect-rows Games 0\n"
                           "type Tags Nosuch enter\n"
                           "expect-text Tags Nosuch\n"
                           "expect-rows Games 0\n"
                           "type Tags \"~rac\" enter\n"
                           "expect-text Tags \"~rac\"\n"
                           "expect-text Mode Hide\n"
                           "expect-rows Games 3\n"
                           "type Tags \"racing,nosuch\" enter\n"
                           "expect-text Tags \"racing,nosuch\"\n"
                           "expect-rows Games 2\n"
                           "expect-row Games Racer\n"
                           "expect-row Games Both\n"
                           "type Tags \"~platform\" enter\n"
                           "expect-text Tags \"~platform\"\n"
                           "expect-rows Games 1\n"
                           "expect-row Games Racer\n"
                           "close\n",
                 .listIs = list};
  playScenario(box, {.list = list, .starts = {start}});
}

TEST(AsWritten, AGamesPathReachesTheEmulatorByteForByte) {
  LudexSandbox box;
  const fs::path root = box.folder();
  e2eWriteRecordingEmulator(box, "bin/playemu");
  e2eWriteRecordingEmulator(box, "games/Emulators/playemu");
  // SNES: one line, run directly, the path unquoted; Floppy: through the
  // script, with the launcher's own program reference.
  box.writePrefs(false, "SNES\nplayemu %g\n\nFloppy\nCD \"${AppDir/playemu}\"\\nplayemu \"%g\" -file=%g\n\n");
  const std::vector<std::string> paths = {"Shelf/${AppDir/playemu}.sfc", "Shelf/${AppDir/other}.sfc",
                                          "Shelf/x >Games:precious.sfc", "Shelf/${AppDir/other} %g%d%%.adf"};
  const std::string list = "5" + gameLines("Ref", "Games:" + paths[0], ",SNES,") +
                           gameLines("Other", "Games:" + paths[1], ",SNES,") +
                           gameLines("Redirect", "Games:" + paths[2], ",SNES,") +
                           gameLines("Floppy", "Games:" + paths[3], ",Floppy,");
  // Only the launcher's own reference is asked for; an unanswered question
  // would be printed.
  E2eStart start{.script = "answer-file Games:Emulators playemu\n"
                           "double-click-row Games Ref\n"
                           "double-click-row Games Other\n"
                           "double-click-row Games Redirect\n"
                           "double-click-row Games Floppy\n"
                           "close\n",
                 .listHas = {"\nRef\nGames:" + paths[0] + "\n,SNES,\n\n1\n"},
                 .then = [&] {
                   // The arguments of each start (its first line is the folder it ran in).
                   const std::string shelf = (root / "games").string() + "/";
                   std::vector<std::string> expected, arguments;
                   for (size_t i = 0; i < 3; ++i) expected.push_back("[" + shelf + paths[i] + "]\n");
                   expected.push_back("[" + shelf + paths[3] + "]\n[-file=" + shelf + paths[3] + "]\n");
                   for (const std::string& record : e2eEmulatorStarts(box, 4))
                     arguments.push_back(record.substr(record.find('\n') + 1));
                   std::sort(expected.begin(), expected.end());
                   std::sort(arguments.begin(), arguments.end());
                   EXPECT_EQ(arguments, expected);
                   EXPECT_EQ(box.read("games/precious.sfc"), "keep me");
                   EXPECT_FALSE(fs::exists(root / "home/.config/ludex/ENVARC/AppDir/other"));
                 }};
  std::vector<E2eFile> files = {{"precious.sfc", "keep me"}};
  for (const std::string& p : paths) files.push_back({p, "x"});
  playScenario(box, {.files = files, .list = list, .starts = {start}});
}

}  // namespace

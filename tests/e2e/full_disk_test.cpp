// A disk that fills up while games are added: each save that cannot be made
// says so and keeps the list in the program, the program goes on as before,
// the next start has what was last saved, and once there is room again the
// next change is saved. On a small disk of its own where one can be mounted
// (as root), else on a dos.library whose writes fail as on a full disk.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/e2e/e2e_scenario.h"

namespace fs = std::filesystem;

namespace {

// A small tmpfs over a folder for as long as it lives, when one can be mounted.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& folder) : folder_(folder) {
    mounted_ = geteuid() == 0 && mount("ludex-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool mounted() const { return mounted_; }
  // Takes every byte left with a file of its own.
  void fill() const {
    std::FILE* filler = std::fopen((folder_ / "filler").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    static const char block[512] = {};
    while (std::fwrite(block, 1, sizeof block, filler) == sizeof block && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  }
  void makeRoom() const { fs::remove(folder_ / "filler"); }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

std::string gameLines(const std::string& name, const std::string& tags) {
  return "\n" + name + "\nGames:" + name + ".adf\n" + tags + "\n\n0\n$0\n";
}

TEST(FullDisk, ASaveOnAFullDiskSaysSoTheProgramGoesOnAndTheNextStartHasWhatWasLastSaved) {
  LudexSandbox box;
  const fs::path progdir = box.folder() / "progdir";
  SmallDisk disk(progdir);
  const std::string list = "5" + gameLines("Alien Breed", ",Floppy,") + gameLines("Zool", ",Floppy,");
  box.writeList(list);
  std::string floppy(1024, '\0');
  floppy.replace(0, 3, "DOS");
  for (const char* name : {"Lemmings.adf", "Pinball.adf"}) std::ofstream(box.folder() / "games" / name, std::ios::binary) << floppy;

  // Each change tries to save, and each failed save says why in one line;
  // the games stay listed, selectable and filtered as before.
  const std::string script =
      "drop Games:Lemmings.adf\n"
      "expect-rows Games 3\n"
      "drop Games:Pinball.adf\n"
      "expect-rows Games 4\n"
      "type Name lem enter\n"
      "expect-rows Games 1\n"
      "click-row Games Lemmings\n"
      "expect-text Selected \"Games:Lemmings.adf\"\n"
      "close\n";
  const std::string told =
      "# requester \"Ludex\": The game list could not be saved to \"PROGDIR:Ludex.list\" (disk is full). "
      "The games stay as they are in Ludex; the next change tries again.\n";
  LudexRunResult full;
  if (disk.mounted()) {
    disk.fill();
    full = runLudex(box, script.c_str(), E2eDisplay::Headless);
  } else {
    // Every write fails as on a full disk, in the program run in a process of its own.
    full = box.run(script.c_str(), [] {
      for (int n = 0; n < 1000; ++n) ostest::failNextCall("Write", ERROR_DISK_FULL);
    });
  }
  EXPECT_EQ(full.output, told + told);
  EXPECT_EQ(full.exitCode, 0) << full.errors;
  EXPECT_EQ(box.list(), list);
  EXPECT_FALSE(box.hasFile("progdir/Ludex.list.new"));
  EXPECT_FALSE(box.hasFile("progdir/Ludex.list.tmp"));

  // The next start has what was last saved; with room again, a change is saved.
  if (disk.mounted()) disk.makeRoom();
  const LudexRunResult next =
      runLudex(box, "expect-rows Games 2\ndrop Games:Lemmings.adf\nexpect-rows Games 3\nclose\n", E2eDisplay::Headless);
  EXPECT_EQ(next.output, "");
  EXPECT_EQ(next.exitCode, 0) << next.errors;
  EXPECT_EQ(box.list(), list + gameLines("Lemmings", ",Floppy,"));
  EXPECT_EQ(box.read("progdir/Ludex.list.bak"), list);
}

}  // namespace

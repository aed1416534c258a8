// Walking, deleting and creating directory trees on a sandbox volume: the
// order of a walk, what each callback is told, Ctrl-C, soft-link cycles,
// folders that cannot be opened or listed, links in a deleted tree, and the
// module's default callbacks. The fixture checks that nothing is left.
#include "files/trees/dir_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "files/syntax/path_syntax.h"
#include "files/trees/dir_module.h"
#include "tests/files/dos_layer_fixture.h"
#include "tests/support/unprivileged.h"

namespace {

// One object in every role of a walk, writing down what it is told:
// "F path" for a file, "D path" for a directory, "X path origin | reason"
// for a failure, "A path" for an abort. Hooks may act on a call.
class Recorder : public funcRecurseDirFailure {
 public:
  std::vector<std::string> log;
  std::function<bool(const std::string&)> onDir;   // the answer for a directory; NIL: TRUE
  std::function<void(const std::string&)> onFile;
  bool goOnAfterFailure = true;

  void call(const char* path) override {
    log.push_back(std::string("F ") + path);
    if (onFile) onFile(path);
  }
  bool call_funcRecurseDirFailure(const char* path, const char* origin, const char* reason) override {
    if (!origin && !reason) {
      log.push_back(std::string("D ") + path);
      return !onDir || onDir(path);
    }
    log.push_back(std::string("X ") + path + " " + (origin ? origin : "<NIL>") + " | " + (reason ? reason : "<NIL>"));
    return goOnAfterFailure;
  }
};

class AbortRecorder : public funcRecurseDirAbort {
 public:
  std::vector<std::string>* log = nullptr;
  void call(const char* path) override { log->push_back(std::string("A ") + path); }
};

// Callback objects of the test, ended with it.
template <class T>
struct Owned {
  T* object = new T;
  Owned() { object->new_function(); }
  ~Owned() { End(object); }
  T* operator->() const { return object; }
  T* get() const { return object; }
};

class DirTree : public DosLayerTest {
 protected:
  void SetUp() override {
    // tree/ holds files a, b, C and folders x/ (x1 and z/ with z1) and y/ (y1).
    for (const char* file : {"tree/b", "tree/a", "tree/C", "tree/x/x1", "tree/x/z/z1", "tree/y/y1"}) box.writeFile(file);
    DosLayerTest::SetUp();
  }
  void TearDown() override {
    SetSignal(0, SIGBREAKF_CTRL_C);
    ostest::clearFailures();
    DosLayerTest::TearDown();
  }
  // The walk of path with the recorder in every role (failure role only when
  // withFailure), or the error it raised as "ID message".
  static std::string walk(Recorder* r, const char* path = "Sandbox:/tree/", bool withFailure = true,
                          funcRecurseDirAbort* abort = nullptr) {
    try {
      RecurseDir(path, r, r, withFailure ? r : nullptr, abort);
    } catch (const Exception& e) {
      std::string id = IdText(e.id());
      id.erase(0, id.find_first_not_of(' '));
      return id + (e.message() ? std::string(" ") + e.message() : "");
    }
    return "done";
  }
  static std::vector<std::string> files(const Recorder* r) {
    std::vector<std::string> out;
    for (const std::string& line : r->log)
      if (line[0] == 'F') out.push_back(line);
    return out;
  }
};

const std::vector<std::string> kWholeTree = {
    "F Sandbox:/tree/a",   "F Sandbox:/tree/b",         "F Sandbox:/tree/C",    "D Sandbox:/tree/x/",
    "D Sandbox:/tree/y/",  "F Sandbox:/tree/x/x1",      "D Sandbox:/tree/x/z/", "F Sandbox:/tree/y/y1",
    "F Sandbox:/tree/x/z/z1"};

TEST_F(DirTree, WalksBreadthFirstInNameOrder) {
  Owned<Recorder> r;
  EXPECT_EQ(walk(r.get()), "done");
  EXPECT_EQ(r->log, kWholeTree);
}

TEST_F(DirTree, DirectoryCallbackDecidesWhatIsEntered) {
  Owned<Recorder> r;
  r->onDir = [](const std::string& path) { return path != "Sandbox:/tree/x/"; };
  EXPECT_EQ(walk(r.get()), "done");
  EXPECT_EQ(files(r.get()), (std::vector<std::string>{"F Sandbox:/tree/a", "F Sandbox:/tree/b", "F Sandbox:/tree/C",
                                                       "F Sandbox:/tree/y/y1"}));
}

TEST_F(DirTree, CtrlCEndsTheWalkAfterTheCurrentDirectory) {
  struct Case {
    const char* raiseAt;  // the file whose callback presses Ctrl-C
    bool withAbort;
    std::string result;
    std::string lastLine;
  };
  const Case cases[] = {
      {"Sandbox:/tree/b", true, "done", "A Sandbox:/tree/x/"},
      {"Sandbox:/tree/b", false, "BRK", "D Sandbox:/tree/y/"},
      // Ctrl-C in the last directory: nothing is left to abort.
      {"Sandbox:/tree/x/z/z1", true, "done", "F Sandbox:/tree/x/z/z1"},
      {"Sandbox:/tree/x/z/z1", false, "done", "F Sandbox:/tree/x/z/z1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.raiseAt) + (c.withAbort ? " with abort" : " without abort"));
    Owned<Recorder> r;
    Owned<AbortRecorder> abort;
    abort->log = &r->log;
    const std::string at = c.raiseAt;
    r->onFile = [at](const std::string& path) {
      if (path == at) SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    };
    EXPECT_EQ(walk(r.get(), "Sandbox:/tree/", true, c.withAbort ? abort.get() : nullptr), c.result);
    EXPECT_EQ(r->log.back(), c.lastLine);
    int aborts = 0;
    for (const std::string& line : r->log) aborts += line[0] == 'A';
    EXPECT_EQ(aborts, c.lastLine[0] == 'A' ? 1 : 0);
    // The walk took the signal.
    EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, 0u);
  }
}

TEST_F(DirTree, SoftLinkCyclesAndRepeatsAreWalkedOnce) {
  ASSERT_TRUE(MakeLink("Sandbox:tree/x/z/up", "Sandbox:tree", LINK_SOFT));   // to an ancestor
  ASSERT_TRUE(MakeLink("Sandbox:tree/y/self", "Sandbox:tree/y", LINK_SOFT));  // to itself
  ASSERT_TRUE(MakeLink("Sandbox:tree/y/tox", "Sandbox:tree/x", LINK_SOFT));   // to a sibling
  Owned<Recorder> r;
  EXPECT_EQ(walk(r.get()), "done");
  EXPECT_EQ(files(r.get()), (std::vector<std::string>{"F Sandbox:/tree/a", "F Sandbox:/tree/b", "F Sandbox:/tree/C",
                                                 "F Sandbox:/tree/x/x1", "F Sandbox:/tree/y/y1",
                                                 "F Sandbox:/tree/x/z/z1"}));
}

TEST_F(DirTree, FilesAreNamedByTheVolumeOrAssignThatHoldsThemWhereverTheWalkStarts) {
  // tree/x is a volume, tree/x/z an assign inside it; tree/y is reached
  // through a link first ("tree/b2y" sorts before "tree/y").
  ostest::mountVolume("Xvol", box.host("tree/x").c_str());
  ostest::assignFolders("Zed", {box.host("tree/x/z").c_str()});
  ASSERT_TRUE(MakeLink("Sandbox:tree/b2y", "Sandbox:tree/y", LINK_SOFT));
  const std::vector<std::string> named = {"F Sandbox:/tree/a",    "F Sandbox:/tree/b", "F Sandbox:/tree/C",
                                          "F Sandbox:/tree/y/y1", "F Xvol:/x1",        "F Zed:/z1"};
  const std::string root = "Root:/" + box.root().substr(1) + "/tree/";
  for (const std::string& start : {std::string("Sandbox:/tree/"), root, std::string("sandbox:/TREE/")}) {
    SCOPED_TRACE(start);
    Owned<Recorder> r;
    EXPECT_EQ(walk(r.get(), start.c_str()), "done");
    EXPECT_EQ(files(r.get()), named);
    // Each name is the one its lock gives back.
    for (const std::string& line : files(r.get())) {
      char* host = ExportPath(line.c_str() + 2);
      BPTR lock = Lock(host, SHARED_LOCK);
      DisposeString(host);
      ASSERT_NE(lock, ZERO) << line;
      char name[512];
      EXPECT_TRUE(NameFromLock(lock, name, sizeof name));
      UnLock(lock);
      char* canonical = ImportFilePath(name);
      EXPECT_EQ(take(canonical), line.substr(2));
    }
  }
}

TEST_F(DirTree, UnlistableFolderIsReportedAndTheWalkGoesOn) {
  // x/ can be locked and examined, but its volume cannot list it.
  ostest::mountVolume("Sealed", box.host("tree/x").c_str());
  ostest::setVolumeTraits("Sealed", ostest::TRAIT_NO_EXALL);
  Owned<Recorder> r;
  EXPECT_EQ(walk(r.get()), "done");
  ASSERT_EQ(r->log.size(), 7u);
  EXPECT_EQ(r->log[5].rfind("X Sandbox:/tree/x/ cHostDir.makeEntryList() | cHostDir.makeEntryList(); ExAll() failed", 0),
            0u)
      << r->log[5];
  EXPECT_EQ(r->log[6], "F Sandbox:/tree/y/y1");

  // Without a failure callback the folder is skipped.
  Owned<Recorder> quiet;
  EXPECT_EQ(walk(quiet.get(), "Sandbox:/tree/", false), "done");
  EXPECT_EQ(quiet->log.back(), "F Sandbox:/tree/y/y1");

  // A failure callback answering FALSE ends the walk there.
  Owned<Recorder> stop;
  stop->goOnAfterFailure = false;
  EXPECT_EQ(walk(stop.get()), "done");
  EXPECT_EQ(stop->log.back()[0], 'X');
  EXPECT_EQ(files(stop.get()).size(), 3u);
}

TEST_F(DirTree, FolderWhoseEntriesCannotBeExaminedIsReportedNotWalkedAsEmpty) {
  // x/ may be read but not searched by its owner, an ordinary user.
  const ChildResult child = runWithUnsearchableFolder(box.host("tree/x"), [] {
    Owned<Recorder> r;
    std::printf("%s\n", walk(r.get()).c_str());
    for (const std::string& line : r->log) std::printf("%s\n", line.c_str());
    return 0;
  });
  if (child.exitCode == CANNOT_DROP_ROOT) GTEST_SKIP() << "no ordinary user to run as here";
  EXPECT_EQ(child.exitCode, 0);
  EXPECT_EQ(child.output,
            "# cHostDir.makeEntryList(); ExAll() failed for path \"Sandbox:tree/x\" with error 224.\n"
            "done\n"
            "F Sandbox:/tree/a\nF Sandbox:/tree/b\nF Sandbox:/tree/C\nD Sandbox:/tree/x/\nD Sandbox:/tree/y/\n"
            "X Sandbox:/tree/x/ cHostDir.makeEntryList() | "
            "cHostDir.makeEntryList(); ExAll() failed: object is read-protected\n"
            "F Sandbox:/tree/y/y1\n");
}

TEST_F(DirTree, FolderThatVanishedIsReported) {
  Owned<Recorder> r;
  r->onDir = [this](const std::string& path) {
    if (path == "Sandbox:/tree/x/") std::filesystem::remove_all(box.host("tree/x"));
    return true;
  };
  EXPECT_EQ(walk(r.get()), "done");
  ASSERT_EQ(r->log.size(), 7u);
  EXPECT_EQ(r->log[5].rfind("X Sandbox:/tree/x/ cHostDir.open() | dir does not exist", 0), 0u) << r->log[5];
  EXPECT_EQ(r->log[6], "F Sandbox:/tree/y/y1");
}

TEST_F(DirTree, ArgumentsAndCallbackErrors) {
  Owned<Recorder> r;
  EXPECT_EQ(walk(nullptr), "EPU cPath; RecurseDir(); fileFunc=NIL");
  EXPECT_EQ(walk(r.get(), nullptr), "EPU cPath; RecurseDir(); dirPath=NIL");
  EXPECT_EQ(walk(r.get(), "Sandbox:/tree/a"), "EPU cPath; RecurseDir(); dirPath is invalid");
  EXPECT_TRUE(r->log.empty());
  // An error of a callback passes out; the fixture sees that the walk's
  // object, list and queue are gone.
  r->onFile = [](const std::string& path) {
    if (path == "Sandbox:/tree/x/x1") Throw("USER", "stop");
  };
  EXPECT_EQ(walk(r.get()), "USER stop");
  // A missing start is a failure like any other.
  Owned<Recorder> missing;
  EXPECT_EQ(walk(missing.get(), "Sandbox:/nothing/"), "done");
  ASSERT_EQ(missing->log.size(), 1u);
  EXPECT_EQ(missing->log[0].rfind("X Sandbox:/nothing/ cHostDir.open() | dir does not exist", 0), 0u);
}

TEST_F(DirTree, DeleteDirPathDeletesTheTreeButNotWhatLinksLeadTo) {
  box.writeFile("outside/keep", "k");
  ASSERT_TRUE(MakeLink("Sandbox:tree/x/away", "Sandbox:outside", LINK_SOFT));
  ASSERT_TRUE(MakeLink("Sandbox:tree/y/keeplink", "Sandbox:outside/keep", LINK_SOFT));
  ASSERT_TRUE(MakeLink("Sandbox:tree/dangling", "Sandbox:gone", LINK_SOFT));
  for (bool force : {false, true}) {
    SCOPED_TRACE(force ? "forced" : "not forced");
    EXPECT_TRUE(DeleteDirPath("Sandbox:/tree/", force));
    EXPECT_FALSE(box.exists("tree"));
    EXPECT_EQ(box.readFile("outside/keep"), "k");
    EXPECT_EQ(deleteDir_dir, nullptr);
    for (const char* file : {"tree/a", "tree/x/z/z1"}) box.writeFile(file);
    ASSERT_TRUE(MakeLink("Sandbox:tree/x/away", "Sandbox:outside", LINK_SOFT));
  }
  // A path that is a link itself loses only the link.
  ASSERT_TRUE(MakeLink("Sandbox:outlink", "Sandbox:outside", LINK_SOFT));
  EXPECT_TRUE(DeleteDirPath("Sandbox:/outlink/", true));
  EXPECT_FALSE(box.exists("outlink"));
  EXPECT_EQ(box.readFile("outside/keep"), "k");
}

TEST_F(DirTree, DeleteDirPathTriesEveryEntryAndAnswersFalseOnFailure) {
  ostest::failNextCall("DeleteFile", ERROR_OBJECT_IN_USE);  // the first entry: tree/a
  EXPECT_FALSE(DeleteDirPath("Sandbox:/tree/", false));
  EXPECT_TRUE(box.exists("tree/a"));
  for (const char* gone : {"tree/b", "tree/C", "tree/x", "tree/y"}) EXPECT_FALSE(box.exists(gone)) << gone;
  EXPECT_TRUE(DeleteDirPath("Sandbox:/tree/", false));
  EXPECT_FALSE(box.exists("tree"));

  // A folder that cannot be listed is kept and makes the answer FALSE.
  box.writeFile("tree/s/s1");
  box.writeFile("tree/t1");
  ostest::mountVolume("Sealed", box.host("tree/s").c_str());
  ostest::setVolumeTraits("Sealed", ostest::TRAIT_NO_EXALL);
  EXPECT_FALSE(DeleteDirPath("Sandbox:/tree/", true));
  EXPECT_TRUE(box.exists("tree/s/s1"));
  EXPECT_FALSE(box.exists("tree/t1"));

  EXPECT_FALSE(DeleteDirPath("Sandbox:/nothing/", true));
  EXPECT_EQ(deleteDir_dir, nullptr);
  EXPECT_THROW(DeleteDirPath(nullptr, true), Exception);
  EXPECT_THROW(DeleteDirPath("Sandbox:/tree/t1", true), Exception);
}

TEST_F(DirTree, CreateDirsMakesWhatIsMissing) {
  box.writeFile("afile");
  struct Case {
    const char* path;
    bool parentOnly;
    bool result;
    std::vector<std::string> made;     // folders there afterwards
    std::vector<std::string> notMade;  // nothing there afterwards
  };
  const Case cases[] = {
      {"Sandbox:/n1/n2/n3/", false, true, {"n1/n2/n3"}, {}},
      {"Sandbox:/p1/p2/file", false, true, {"p1/p2"}, {"p1/p2/file"}},
      {"Sandbox:/p1/p2/file", true, true, {"p1/p2"}, {"p1/p2/file"}},
      {"Sandbox:/q1/q2/", true, true, {"q1"}, {"q1/q2"}},
      {"Sandbox:/tree/x/", false, true, {"tree/x"}, {}},
      {"r1/r2/", false, true, {"r1/r2"}, {}},  // below the current directory
      {"", false, true, {}, {}},
      {"Sandbox:/afile/sub/", false, false, {}, {"afile/sub"}},
      {"Nowhere:/a/b/", false, false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + (c.parentOnly ? " parent only" : ""));
    EXPECT_EQ(CreateDirs(c.path, c.parentOnly), c.result);
    for (const std::string& dir : c.made) EXPECT_TRUE(std::filesystem::is_directory(box.host(dir))) << dir;
    for (const std::string& none : c.notMade) EXPECT_FALSE(box.exists(none)) << none;
  }
  EXPECT_EQ(box.readFile("afile"), "");
  // The first directory that cannot be made ends it.
  ostest::failNextCall("CreateDir", ERROR_DISK_FULL, 1);
  EXPECT_FALSE(CreateDirs("Sandbox:/m1/m2/m3/", false));
  EXPECT_TRUE(box.exists("m1"));
  EXPECT_FALSE(box.exists("m1/m2"));
  EXPECT_THROW(CreateDirs(nullptr, false), Exception);
}

TEST_F(DirTree, ModuleMakesAndEndsTheDefaultCallbacks) {
  end_cpath_dir();  // safe when the module never started
  const size_t before = Arena::liveCount();
  new_cpath_dir();
  ASSERT_NE(funcRecurseFile_cpath_dir, nullptr);
  EXPECT_STREQ(funcRecurseFile_cpath_dir->InfoClassType(), "funcRecurseFile");
  EXPECT_STREQ(funcRecurseDir_cpath_dir->InfoClassType(), "funcRecurseDir");
  EXPECT_TRUE(funcRecurseDirFailure_cpath_dir->IsOfClassType("funcRecurseFile"));
  EXPECT_TRUE(funcRecurseDirAbort_cpath_dir->IsOfClassType("function"));
  EXPECT_FALSE(funcRecurseDirAbort_cpath_dir->IsOfClassType("funcRecurseFile"));
  end_cpath_dir();
  EXPECT_EQ(funcRecurseDirFailure_cpath_dir, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace

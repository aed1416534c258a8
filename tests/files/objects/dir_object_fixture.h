// A sandbox for the directory objects: a folder Games holding a file Fred
// and a folder Sub, and a soft link gamelink to Games. At the end of every
// test the fixture checks that nothing was left behind; the disk evaluation
// of cDir starts afresh for each test.
#pragma once
#include <filesystem>
#include <functional>
#include <string>

#include "core/exception.h"
#include "files/dos/probes.h"
#include "files/objects/dir.h"
#include "files/objects/host_dir.h"
#include "tests/files/dos_layer_fixture.h"
#include "tests/files/error_text.h"

class DirObjectTest : public DosLayerTest {
 public:
  // "ID message" of the error that f raises, "no error" when none.
  static std::string errorOf(const std::function<void()>& f) { return trimmedErrorOf(f); }
  // The protection word and the comment of an object, examined through its
  // parent (a directory object may hold it exclusively); -1 and "<none>"
  // when there is no such entry.
  static int32_t protectionOf(const char* host) {
    FileInfoBlock fib{};
    return examineAll(host, &fib) ? fib.fib_Protection : -1;
  }
  static std::string commentOf(const char* host) {
    FileInfoBlock fib{};
    return examineAll(host, &fib) ? fib.fib_Comment : "<none>";
  }
  // A real directory (no link) in the sandbox.
  bool plainDir(const std::string& relative) const {
    const auto status = std::filesystem::symlink_status(box.host(relative));
    return std::filesystem::is_directory(status);
  }
  // A constructed object of class T, opened (NIL when the open failed).
  template <class T = cHostDir>
  static T* opened(const char* path, bool readOnly, bool force = false) {
    T* dir = new T;
    dir->new_cBaseDir();
    if (!dir->open(path, readOnly, force)) End(dir);
    return dir;
  }

 protected:
  void SetUp() override {
    box.writeFile("Games/Fred", "fred");
    box.makeDir("Games/Sub");
    ASSERT_TRUE(MakeLink("Sandbox:gamelink", "Sandbox:Games", LINK_SOFT));
    disposeDirDiskSupport();
    DosLayerTest::SetUp();
  }
  void TearDown() override {
    ostest::clearFailures();
    ostest::setStrictMode(false);
    ostest::recordCalls(false);
    disposeDirDiskSupport();
    DosLayerTest::TearDown();
  }
  bool xattrs() const { return ostest::hasExtendedAttributes(box.root().c_str()); }
};

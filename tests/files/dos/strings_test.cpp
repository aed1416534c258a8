// The string-filling wrappers of the dos.library layer: growing past the
// first capacity, stopping on errors that growing cannot mend, and the
// shared fault buffer.
#include <gtest/gtest.h>

#include <string>

#include "files/dos/strings.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

using DosStrings = DosLayerTest;

// A folder path inside the sandbox whose Amiga name is about `length` characters.
std::string longFolder(size_t length) {
  std::string path;
  while (path.size() < length) path += (path.empty() ? "" : "/") + std::string(60, 'd');
  return path;
}

TEST_F(DosStrings, GrowingNamesComeBackWholePastTheFirstCapacity) {
  for (size_t length : {100u, 127u, 128u, 129u, 300u, 1000u}) {
    const std::string folder = longFolder(length);
    box.makeDir(folder);
    const std::string amiga = "Sandbox:" + folder;
    BPTR lock = Lock(amiga.c_str(), SHARED_LOCK);
    ASSERT_TRUE(lock) << amiga;
    EXPECT_EQ(take(strSafeNameFromLock(lock)), amiga);

    const BPTR old = CurrentDir(lock);
    EXPECT_EQ(take(strSafeGetNameOfCurrentDir()), amiga);
    CurrentDir(old);
    UnLock(lock);

    const std::string file = amiga + "/f";
    box.writeFile(folder + "/f", "x");
    BPTR fh = Open(file.c_str(), MODE_OLDFILE);
    ASSERT_TRUE(fh);
    EXPECT_EQ(take(strSafeNameFromFH(fh)), file);
    Close(fh);
  }
}

TEST_F(DosStrings, FixedWrappersFillWithinTheCapacity) {
  box.makeDir("abc");
  BPTR lock = Lock("Sandbox:abc", SHARED_LOCK);
  char* s = StrCopy(NewString(11), "old text");
  EXPECT_TRUE(strNameFromLock(s, lock));  // "Sandbox:abc" fills the capacity exactly
  EXPECT_EQ(EstrLen(s), 11);
  EXPECT_FALSE(strAddPart(s, "x"));
  SetStr(s, 3);
  EXPECT_FALSE(strNameFromLock(s, reinterpret_cast<BPTR>(s)));  // no lock: emptied, not stale
  EXPECT_EQ(EstrLen(s), 0);
  DisposeString(s);
  UnLock(lock);
}

TEST_F(DosStrings, TheCurrentDirectoryFallsBackToTheHomeDirectory) {
  box.makeDir("progdir/bin");
  const BPTR home = SetProgramDir(Lock("Sandbox:progdir/bin", SHARED_LOCK));
  const BPTR old = CurrentDir(ZERO);
  EXPECT_EQ(take(strSafeGetNameOfCurrentDir()), "PROGDIR:bin");
  CurrentDir(old);
  UnLock(SetProgramDir(home));
}

TEST_F(DosStrings, ProgramNameGrowsOnlyWhenTheNameDoesNotFit) {
  const std::string name = "Sandbox:" + std::string(300, 'p');
  ASSERT_TRUE(SetProgramName(name.c_str()));
  EXPECT_EQ(take(strSafeGetProgramName()), name);

  // Failures that a bigger buffer cannot mend end at once (they once doubled
  // the buffer for ever).
  for (int32_t code : {ERROR_OBJECT_WRONG_TYPE, ERROR_OBJECT_NOT_FOUND, ERROR_NO_FREE_STORE}) {
    ostest::failNextCall("GetProgramName", code);
    EXPECT_EQ(take(strSafeGetProgramName()), "<NIL>") << code;
    ostest::clearFailures();
  }
  // "Too long" grows the buffer and asks again.
  ostest::failNextCall("GetProgramName", ERROR_LINE_TOO_LONG);
  EXPECT_EQ(take(strSafeGetProgramName()), name);
  ostest::clearFailures();
}

TEST_F(DosStrings, VariablesAreReadWholeAndUnsetOnesAreNil) {
  for (size_t length : {0u, 1u, 127u, 128u, 129u, 255u, 256u, 5000u}) {
    const std::string value(length, 'v');
    ASSERT_TRUE(strSetVar("Ludex/Test", value.c_str(), GVF_GLOBAL_ONLY));
    EXPECT_EQ(take(strSafeGetVar("Ludex/Test", 0)), value) << length;
  }
  EXPECT_EQ(take(strSafeGetVar("Ludex/Unset", 0)), "<NIL>");

  char* s = NewString(4);
  int32_t read = -7;
  EXPECT_TRUE(strGetVar("Ludex/Test", s, 0, &read));
  EXPECT_EQ(read, 4);
  EXPECT_EQ(std::string(s), "vvvv");
  EXPECT_FALSE(strGetVar("Ludex/Unset", s, 0, &read));
  EXPECT_EQ(EstrLen(s), 0);
  DisposeString(s);
}

TEST_F(DosStrings, StaticFaultReusesOneBuffer) {
  char* first = staticFault(ERROR_OBJECT_NOT_FOUND, "Loading");
  const std::string firstText = first;
  EXPECT_EQ(firstText, "Loading: object not found");
  char* second = staticFault(ERROR_DISK_FULL, nullptr);
  EXPECT_EQ(second, first);
  EXPECT_EQ(std::string(second), "disk is full");
  EXPECT_EQ(EstrLen(second), 12);
  EXPECT_EQ(StrMax(second), 512);
  EXPECT_EQ(std::string(staticFault(0, "x")), "");

  char* s = NewString(10);
  EXPECT_EQ(strFault(ERROR_OBJECT_NOT_FOUND, "Header", s), 10);  // cut at the capacity
  EXPECT_EQ(std::string(s), "Header: ob");
  DisposeString(s);
}

}  // namespace

// Path parts, error texts, the process record and DOS objects.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"

namespace {

TEST(DosNames, AddPartJoinsWithASlashOnlyWhereOneIsNeeded) {
  const struct {
    const char* dir;
    const char* name;
    const char* joined;
  } cases[] = {
      {"Work:Games", "x.adf", "Work:Games/x.adf"},
      {"Work:", "x.adf", "Work:x.adf"},
      {"Work:Games/", "x.adf", "Work:Games/x.adf"},
      {"", "x.adf", "x.adf"},
      {"Work:Games", "Other:y", "Other:y"},  // an absolute name replaces the path
      {"Work:Games", "", "Work:Games"},
      {"Games", "/up", "Games//up"},
  };
  for (const auto& c : cases) {
    char buffer[64];
    std::strcpy(buffer, c.dir);
    ASSERT_TRUE(AddPart(buffer, c.name, sizeof buffer)) << c.dir << " + " << c.name;
    EXPECT_STREQ(buffer, c.joined) << c.dir << " + " << c.name;
  }
  char small[12] = "Work:Games";
  EXPECT_FALSE(AddPart(small, "x", sizeof small));  // "Work:Games/x" needs 13
  EXPECT_EQ(IoErr(), ERROR_LINE_TOO_LONG);
  EXPECT_STREQ(small, "Work:Games");
}

TEST(DosNames, FilePartAndPathPartSplitAPath) {
  const struct {
    const char* path;
    const char* file;
    const char* dir;  // the text before PathPart
  } cases[] = {
      {"Work:Games/Fred/x.adf", "x.adf", "Work:Games/Fred"},
      {"Work:x.adf", "x.adf", "Work:"},
      {"Work:", "", "Work:"},
      {"x.adf", "x.adf", ""},
      {"Games/", "", "Games"},
      {"/x", "x", "/"},          // a leading "/" is the parent and stays
      {"Games//x", "x", "Games//"},
      {"Work:/x", "x", "Work:/"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(FilePart(c.path), c.file) << c.path;
    EXPECT_EQ(std::string(c.path, static_cast<size_t>(PathPart(c.path) - c.path)), c.dir) << c.path;
  }
}

TEST(DosNames, FaultGivesShortTextsAfterAHeader) {
  char buffer[80];
  EXPECT_EQ(Fault(ERROR_OBJECT_NOT_FOUND, "error opening file", buffer, sizeof buffer),
            static_cast<int32_t>(std::strlen("error opening file: object not found")));
  EXPECT_STREQ(buffer, "error opening file: object not found");
  Fault(ERROR_DIRECTORY_NOT_EMPTY, nullptr, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "directory not empty");
  Fault(4711, nullptr, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "error 4711");
  EXPECT_EQ(Fault(0, "header", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  char small[8];
  EXPECT_EQ(Fault(ERROR_OBJECT_EXISTS, nullptr, small, sizeof small), 7);
  EXPECT_STREQ(small, "object ");
}

TEST(DosNames, ALinuxErrorKeepsItsAmigaCodeOrElseItsOwnMeaningAndText) {
  const auto text = [](int32_t code) {
    char buffer[120];
    Fault(code, nullptr, buffer, sizeof buffer);
    return std::string(buffer);
  };
  // Errors that have an AmigaDOS code keep it.
  const std::pair<int, int32_t> coded[] = {
      {ENOENT, ERROR_OBJECT_NOT_FOUND}, {ELOOP, ERROR_OBJECT_NOT_FOUND},    {EEXIST, ERROR_OBJECT_EXISTS},
      {ENOSPC, ERROR_DISK_FULL},        {EROFS, ERROR_DISK_WRITE_PROTECTED}, {EXDEV, ERROR_RENAME_ACROSS_DEVICES},
      {EBUSY, ERROR_OBJECT_IN_USE},     {EISDIR, ERROR_OBJECT_WRONG_TYPE},   {ENOTEMPTY, ERROR_DIRECTORY_NOT_EMPTY},
      {ENOMEM, ERROR_NO_FREE_STORE},    {ESPIPE, ERROR_SEEK_ERROR},          {EOPNOTSUPP, ERROR_ACTION_NOT_KNOWN},
      {ENOSYS, ERROR_ACTION_NOT_KNOWN},
  };
  for (const auto& [e, code] : coded) EXPECT_EQ(ostest::ioErrOfLinuxError(e), code) << strerrorname_np(e);
  // Those without one are told in the system's own words, not as another fault.
  const std::pair<int, const char*> own[] = {
      {EIO, "Input/output error"},  {EDQUOT, "Disk quota exceeded"}, {EFBIG, "File too large"},
      {EMLINK, "Too many links"},   {EINVAL, "Invalid argument"},    {ESTALE, "Stale file handle"},
  };
  for (const auto& [e, words] : own) EXPECT_EQ(text(ostest::ioErrOfLinuxError(e)), words) << strerrorname_np(e);
  // Every errno: an AmigaDOS code (below 1000, with a text of its own), or a
  // code of its own that no other errno and no AmigaDOS code shares, told as
  // the system tells it.
  std::map<int32_t, int> hostCodes;
  for (int e = 1; e < 200; ++e) {
    if (!strerrordesc_np(e)) continue;
    const int32_t code = ostest::ioErrOfLinuxError(e);
    if (code > 0 && code < 1000) {
      EXPECT_EQ(text(code).rfind("error ", 0), std::string::npos) << strerrorname_np(e) << " gives " << code;
      continue;
    }
    EXPECT_EQ(text(code), strerrordesc_np(e)) << strerrorname_np(e);
    EXPECT_TRUE(hostCodes.emplace(code, e).second) << strerrorname_np(e) << " shares " << code;
  }
  EXPECT_GT(hostCodes.size(), 50u);
}

TEST(DosNames, TheProcessRecordHoldsIoErrAndTheWindowPointer) {
  ostest::resetDos();
  Task* task = FindTask(nullptr);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->tc_Node.ln_Type, NT_PROCESS);
  EXPECT_EQ(FindTask(task->tc_Node.ln_Name), task);
  EXPECT_EQ(FindTask("no such task"), nullptr);
  auto* me = reinterpret_cast<Process*>(task);
  EXPECT_EQ(me->pr_WindowPtr, nullptr);
  EXPECT_NE(me->pr_CurrentDir, ZERO);  // the Linux working folder to start with

  EXPECT_EQ(SetIoErr(ERROR_OBJECT_IN_USE), 0);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  EXPECT_EQ(me->pr_Result2, ERROR_OBJECT_IN_USE);
  EXPECT_EQ(SetIoErr(0), ERROR_OBJECT_IN_USE);
  ostest::resetDos();
}

TEST(DosNames, DosObjectsOfKnownTypesComeZeroedAndOthersAreRefused) {
  const int32_t before = ostest::liveDosObjectCount();
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  ASSERT_NE(fib, nullptr);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(fib->fib_DiskKey, 0);
  EXPECT_EQ(control->eac_LastKey, 0u);
  EXPECT_EQ(control->eac_MatchString, nullptr);
  EXPECT_EQ(ostest::liveDosObjectCount(), before + 2);
  FreeDosObject(DOS_FIB, fib);
  FreeDosObject(DOS_EXALLCONTROL, control);
  EXPECT_EQ(ostest::liveDosObjectCount(), before);
  EXPECT_EQ(AllocDosObject(77, nullptr), nullptr);
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
}

}  // namespace

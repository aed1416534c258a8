// The dos.library file object: the file contract, forced opens and their
// protection bookkeeping, the open kludge, sizes past 2 GiB, dates, names,
// protection, comments and links.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files/dos/links.h"
#include "files/objects/host_extra.h"
#include "files/objects/host_file.h"
#include "os/dos/metadata.h"
#include "tests/files/objects/file_contract_tests.h"

INSTANTIATE_TYPED_TEST_SUITE_P(HostFile, FileContract, cHostFile);

namespace {

class HostFileTest : public FileObjectTest {
 protected:
  cHostFile* opened(const char* path, bool readOnly, bool force = false) {
    cHostFile* file = made<cHostFile>();
    const bool done = file->open(path, readOnly, force);
    EXPECT_TRUE(done) << path << ": " << (done ? "" : file->infoFailureReason());
    return file;
  }
  static std::string reasonOf(cPath* object) {
    return object->infoFailureReason() ? object->infoFailureReason() : "<NIL>";
  }
  static bool startsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }
};

TEST_F(HostFileTest, ProtectionStandingInTheWayNeedsForceAndComesBackAtClose) {
  struct Case {
    int32_t protection;
    bool readOnly;
    const char* reasonWithoutForce;  // NIL: opens without force
  };
  const Case cases[] = {
      {FIBF_READ, true, "file is read protected"},
      {FIBF_WRITE, false, "file is write protected"},
      {FIBF_WRITE, true, nullptr},
      {FIBF_WRITE | FIBF_DELETE | FIBF_ARCHIVE, false, "file is write protected"},
      {FIBF_READ | FIBF_WRITE, false, "file is read protected"},
  };
  box.writeFile("f.txt", "data");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.protection);
    ASSERT_TRUE(SetProtection("Sandbox:f.txt", c.protection));
    cHostFile* file = made<cHostFile>();
    if (c.reasonWithoutForce) {
      EXPECT_FALSE(file->open("Sandbox:/f.txt", c.readOnly, false));
      EXPECT_STREQ(file->infoFailureOrigin(), "cHostFile.open()");
      EXPECT_EQ(reasonOf(file), c.reasonWithoutForce);
      EXPECT_EQ(protectionOf("Sandbox:f.txt"), c.protection);
    }
    ASSERT_TRUE(file->open("Sandbox:/f.txt", c.readOnly, true)) << reasonOf(file);
    char buffer[4];
    file->read_cBaseFile(buffer, 4, 0, NO_STOP_BYTE);
    EXPECT_EQ(std::string(buffer, 4), "data");
    finish(file);
    // Exactly the bits it had: a file that was only write protected does not
    // come back delete protected.
    EXPECT_EQ(protectionOf("Sandbox:f.txt"), c.protection);
  }
}

TEST_F(HostFileTest, AFailedForcedOpenPutsTheProtectionBack) {
  box.writeFile("f.txt", "data");
  ASSERT_TRUE(SetProtection("Sandbox:f.txt", FIBF_READ | FIBF_WRITE));
  cHostFile* file = made<cHostFile>();
  ostest::failNextCall("SetProtection", ERROR_DISK_WRITE_PROTECTED, 1);  // the read bit goes, the write bit stays
  EXPECT_FALSE(file->open("Sandbox:/f.txt", false, true));
  EXPECT_EQ(reasonOf(file), "could not remove write protection");
  EXPECT_EQ(protectionOf("Sandbox:f.txt"), FIBF_READ | FIBF_WRITE);

  ostest::failNextCall("Open", ERROR_DISK_FULL);
  EXPECT_FALSE(file->open("Sandbox:/f.txt", false, true));
  EXPECT_TRUE(startsWith(reasonOf(file), "error opening file: ")) << reasonOf(file);
  EXPECT_EQ(protectionOf("Sandbox:f.txt"), FIBF_READ | FIBF_WRITE);
  EXPECT_EQ(box.readFile("f.txt"), "data");
}

TEST_F(HostFileTest, OpenNeverEmptiesOrDeletesAFileThatExisted) {
  box.writeFile("a.txt", "first");
  box.writeFile("b.txt", "second");
  cHostFile* file = opened("Sandbox:/a.txt", false);
  // Misuse leaves the open file and the named one alone.
  EXPECT_EQ(errorOf([&] { file->open("Sandbox:/b.txt", false, true); }),
            "EMU cHostFile.open(); a file is already open");
  EXPECT_EQ(errorOf([&] { made<cHostFile>()->open(nullptr, true, false); }), "EMU cHostFile.open(); filePath=NIL");
  EXPECT_EQ(errorOf([&] { made<cHostFile>()->open("Sandbox:/dir/", true, false); }),
            "EMU cHostFile.open(); filePath is invalid");
  char buffer[5];
  file->read_cBaseFile(buffer, 5, 0, NO_STOP_BYTE);
  EXPECT_EQ(std::string(buffer, 5), "first");
  EXPECT_EQ(box.readFile("b.txt"), "second");

  // A file that exists but cannot be locked now (in use) is not made anew,
  // also where it cannot be opened for reading and writing in place.
  ostest::failNextCall("Lock", ERROR_OBJECT_IN_USE);
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_READWRITE);
  cHostFile* other = made<cHostFile>();
  EXPECT_FALSE(other->open("Sandbox:/b.txt", false, false));
  EXPECT_TRUE(startsWith(reasonOf(other), "error opening file: ")) << reasonOf(other);
  ostest::setVolumeTraits("Sandbox", 0);
  EXPECT_EQ(box.readFile("b.txt"), "second");

  // A later step failing: a file this open made goes again, one that
  // existed stays.
  for (const char* name : {"b.txt", "new.txt"}) {
    SCOPED_TRACE(name);
    ostest::failNextCall("Seek", ERROR_SEEK_ERROR);
    EXPECT_FALSE(other->open((std::string("Sandbox:/") + name).c_str(), false, false));
    EXPECT_TRUE(startsWith(reasonOf(other), "error seeking to start of file: ")) << reasonOf(other);
    EXPECT_FALSE(other->infoIsOpen());
  }
  EXPECT_EQ(box.readFile("b.txt"), "second");
  EXPECT_FALSE(box.exists("new.txt"));
}

TEST_F(HostFileTest, ChangesByNameWorkWhileTheFileIsOpen) {
  ostest::setStrictMode(true);  // the system refuses changes by name on open files
  box.writeFile("f.txt", "abcdef");
  cHostFile* file = opened("Sandbox:/f.txt", false);
  file->setPosition(3);

  ASSERT_TRUE(file->setPath("Sandbox:/g.txt")) << reasonOf(file);
  EXPECT_STREQ(file->getPath(), "Sandbox:/g.txt");
  EXPECT_FALSE(box.exists("f.txt"));
  box.writeFile("taken.txt", "");
  EXPECT_FALSE(file->setPath("Sandbox:/taken.txt"));
  EXPECT_STREQ(file->infoFailureOrigin(), "cHostFile.setPath()");
  EXPECT_TRUE(startsWith(reasonOf(file), "error renaming host file: ")) << reasonOf(file);
  EXPECT_EQ(errorOf([&] { file->setPath("Sandbox:/d/"); }), "EMU cHostFile.setPath(); path is invalid");

  // Denying write access keeps the handle usable for later changes; the
  // bits reach the disk at close.
  ASSERT_TRUE(file->setAttributes(0, ATTR_WRITABLE | ATTR_READABLE)) << reasonOf(file);
  EXPECT_EQ(file->getAttributes(), ATTR_DELETABLE);
  ASSERT_TRUE(file->setTime(86400)) << reasonOf(file);
  ASSERT_TRUE(file->changeExtra(EXTRA_COMM, reinterpret_cast<intptr_t>("note"))) << reasonOf(file);
  ASSERT_TRUE(file->changeExtra(EXTRA_ATTR, FIBF_PURE | FIBF_READ));  // attribute bits stay
  EXPECT_EQ(file->queryExtra(EXTRA_ATTR), FIBF_PURE);
  EXPECT_EQ(file->getPosition(false), 3);
  char buffer[3];
  EXPECT_EQ(file->write_cBaseFile("XYZ", 3, 0, false), 6);
  file->read_cBaseFile(buffer, 3, 0, NO_STOP_BYTE);
  EXPECT_EQ(std::string(buffer, 3), "XYZ");
  finish(file);
  EXPECT_EQ(box.readFile("g.txt"), "abcXYZ");
  EXPECT_EQ(protectionOf("Sandbox:g.txt"), FIBF_READ | FIBF_WRITE | FIBF_PURE);
  EXPECT_EQ(commentOf("Sandbox:g.txt"), "note");
}

TEST_F(HostFileTest, ChangesTheDiskRefusesAnswerFalseAndChangeNothing) {
  box.writeFile("f.txt", "abc");
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_DATES | ostest::TRAIT_NO_PROTECTION |
                                         ostest::TRAIT_NO_COMMENTS | ostest::TRAIT_CANNOT_SHRINK);
  cHostFile* file = opened("Sandbox:/f.txt", false);
  const int64_t time = file->getTime();
  EXPECT_FALSE(file->setTime(time + 1000));
  EXPECT_STREQ(file->infoFailureOrigin(), "cHostFile.setTime()");
  EXPECT_TRUE(startsWith(reasonOf(file), "error setting file date: ")) << reasonOf(file);
  EXPECT_EQ(file->getTime(), time);

  // Held-back bits are still asked of the disk first.
  EXPECT_FALSE(file->setAttributes(0, ATTR_WRITABLE));
  EXPECT_STREQ(file->infoFailureOrigin(), "cHostFile.setAttributes()");
  EXPECT_EQ(file->getAttributes(), ATTR_READABLE | ATTR_WRITABLE | ATTR_DELETABLE);

  EXPECT_FALSE(file->changeExtra(EXTRA_COMM, reinterpret_cast<intptr_t>("x")));
  EXPECT_TRUE(startsWith(reasonOf(file), "error setting file comment: ")) << reasonOf(file);
  EXPECT_TRUE(file->changeExtra(EXTRA_COMM, 0));  // NIL: no comment, as ""

  EXPECT_EQ(errorOf([&] { file->setSize(1); }),
            "FILE cHostFile.setSizeQuick(); filingsystem does not support reducing the file size");
  EXPECT_EQ(file->getSize(), 3);
  file->setSize(5);
  EXPECT_EQ(file->getSize(), 5);
}

TEST_F(HostFileTest, ExtraDataOfAFile) {
  box.writeFile("f.txt", "abc");
  cHostFile* file = opened("Sandbox:/f.txt", false);
  const std::string comment(100, 'c');
  ASSERT_TRUE(file->changeExtra(EXTRA_COMM, reinterpret_cast<intptr_t>(comment.c_str()))) << reasonOf(file);
  EXPECT_EQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_COMM)), comment.substr(0, 79));
  EXPECT_EQ(dosmeta::readComment(box.host("f.txt")), comment);
  ASSERT_TRUE(file->changeExtra(EXTRA_COMM, 0));
  EXPECT_STREQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_COMM)), "");
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "");

  for (const int32_t id : {EXTRA_LINK, MakeId("XYZW")}) {
    int32_t status = 0;
    EXPECT_FALSE(file->changeExtra(id, 0, &status));
    EXPECT_EQ(status, -1);
    EXPECT_STREQ(file->infoFailureOrigin(), "cHostFile.changeExtra()");
  }
  int32_t status = 0;
  EXPECT_EQ(file->queryExtra(MakeId("XYZW"), &status), 0);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(file->queryExtra(EXTRA_LINK, &status), 0);
  EXPECT_EQ(status, 0);

  auto* extra = static_cast<cHostExtra*>(file->getExtra());
  ASSERT_TRUE(extra);
  EXPECT_STREQ(extra->comment, "");
  EXPECT_EQ(extra->linkKind, LINK_KIND_NONE);
  End(extra);
}

TEST_F(HostFileTest, AFileBecomesALinkOnlyWhenTheLinkCanStand) {
  box.writeFile("f.txt", "own data");
  box.writeFile("target.txt", "target data");
  cHostFile* file = opened("Sandbox:/f.txt", false);
  for (const int32_t id : {EXTRA_SLNK, EXTRA_HLNK}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(file->changeExtra(id, reinterpret_cast<intptr_t>("Sandbox:/missing.txt")));
    EXPECT_STREQ(file->infoFailureOrigin(), "cHostFile.changeExtra()");
    ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_LINKS);
    EXPECT_FALSE(file->changeExtra(id, reinterpret_cast<intptr_t>("Sandbox:/target.txt")));
    ostest::setVolumeTraits("Sandbox", 0);
    EXPECT_EQ(box.readFile("f.txt"), "own data");
    EXPECT_EQ(file->getSize(), 8);
  }
  std::vector<std::string> files;  // no temporary names are left behind
  for (const auto& entry : std::filesystem::directory_iterator(box.root()))
    if (!entry.is_directory()) files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"f.txt", "target.txt"}));

  ASSERT_TRUE(file->changeExtra(EXTRA_SLNK, reinterpret_cast<intptr_t>("Sandbox:/target.txt"))) << reasonOf(file);
  EXPECT_STREQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_SLNK)), "Sandbox:/target.txt");
  EXPECT_EQ(file->queryExtra(EXTRA_HLNK), 0);
  EXPECT_EQ(file->getSize(), 11);
  char buffer[11];
  file->setPosition(0);
  file->read_cBaseFile(buffer, 11, 0, NO_STOP_BYTE);
  EXPECT_EQ(std::string(buffer, 11), "target data");
  file->flush();  // forgets what it knew of the link
  EXPECT_STREQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_LINK)), "Sandbox:/target.txt");

  // No link any more: a new empty file of that name; the target stays.
  ASSERT_TRUE(file->changeExtra(EXTRA_SLNK, 0)) << reasonOf(file);
  EXPECT_EQ(file->queryExtra(EXTRA_LINK), 0);
  EXPECT_EQ(file->getSize(), 0);
  finish(file);
  EXPECT_EQ(box.readFile("f.txt"), "");
  EXPECT_EQ(box.readFile("target.txt"), "target data");
}

TEST_F(HostFileTest, SizesPast2GiBAreCountedIn64Bits) {
  box.writeFile("big.bin", "");
  const int64_t threeGiB = int64_t{3} << 30;
  std::filesystem::resize_file(box.host("big.bin"), static_cast<uintmax_t>(threeGiB));  // sparse
  cHostFile* file = opened("Sandbox:/big.bin", false);
  EXPECT_EQ(file->getSize(), threeGiB);
  file->flush();
  EXPECT_EQ(file->getSize(), threeGiB);

  file->setPosition(-1);
  EXPECT_EQ(file->write_cBaseFile("END", 3, 0, false), threeGiB + 3);
  file->setPosition(-4);
  char buffer[3];
  file->read_cBaseFile(buffer, 3, 0, NO_STOP_BYTE);
  EXPECT_EQ(std::string(buffer, 3), "END");

  EXPECT_EQ(errorOf([&] { file->setSize(threeGiB - 1000); }),
            "FILE cHostFile.setSizeQuick(); filingsystem cannot set a size of 2 GiB or more");
  EXPECT_EQ(file->getSize(), threeGiB + 3);
  file->setSize(1000);  // a change of 3 GiB
  EXPECT_EQ(file->getSize(), 1000);
  finish(file);
  EXPECT_EQ(std::filesystem::file_size(box.host("big.bin")), 1000u);
}

TEST_F(HostFileTest, FailedTransfersLeaveTheObjectTrueToTheDisk) {
  box.writeFile("f.txt", "abc");
  cHostFile* file = opened("Sandbox:/f.txt", false);
  file->setPosition(10);
  ostest::failNextCall("Write", ERROR_DISK_FULL);
  EXPECT_EQ(errorOf([&] { file->write_cBaseFile("xy", 2, 0, false); }),
            "FULL cHostFile.writePadBytes(); not all pad bytes were written, disk may be full");
  EXPECT_EQ(file->getSize(), 3);
  ostest::failNextCall("Write", ERROR_DISK_FULL, 1);
  EXPECT_EQ(errorOf([&] { file->write_cBaseFile("xy", 2, 0, false); }),
            "FILE cHostFile.write(); size of written data does not match that expected");
  EXPECT_EQ(file->getSize(), 10);  // the pad bytes are on disk
  EXPECT_EQ(file->write_cBaseFile("xy", 2, 0, false), 12);
  file->setPosition(0);
  char buffer[12];
  file->read_cBaseFile(buffer, 12, 0, NO_STOP_BYTE);
  EXPECT_EQ(std::string(buffer, 12), "abc.......xy");
}

TEST_F(HostFileTest, TheKludgeGuardsItsStates) {
  box.writeFile("f.txt", "abc");
  cHostFile* file = opened("Sandbox:/f.txt", false);
  EXPECT_EQ(errorOf([&] { file->openKludgeFinish(); }), "BUG cHostFile.openKludgeFinish(); kludge already finished");
  file->openKludgeBegin();
  EXPECT_EQ(errorOf([&] { file->openKludgeBegin(); }), "BUG cHostFile.openKludgeBegin(); kludge already started");
  ASSERT_TRUE(DeleteFile("Sandbox:f.txt"));
  EXPECT_EQ(errorOf([&] { file->openKludgeFinish(); }), "BUG cHostFile.openKludgeFinish(); kludge failed");
  EXPECT_FALSE(file->infoIsOpen());
  EXPECT_FALSE(box.exists("f.txt"));
}

TEST_F(HostFileTest, CopiesMoveTheDataInSteps) {
  // A file class that records the transfers of its objects.
  static std::vector<std::string> log;
  class Recording : public cHostFile {
   public:
    cHostFile* make_cHostFile() override { return new Recording; }
    int64_t read_cBaseFile(void* b, int32_t length, int32_t offset, int32_t stop, int32_t* missing) override {
      int32_t notDelivered = 0;
      const int64_t at = cHostFile::read_cBaseFile(b, length, offset, stop, &notDelivered);
      log.push_back("read " + std::to_string(length - notDelivered));
      if (missing) *missing = notDelivered;
      return at;
    }
    int64_t write_cBaseFile(const void* b, int32_t length, int32_t offset, bool noGrow, int32_t* cut) override {
      log.push_back("write " + std::to_string(length));
      return cHostFile::write_cBaseFile(b, length, offset, noGrow, cut);
    }
  };
  log.clear();
  box.writeFile("src.bin", std::string(120000, 'z'));
  auto* file = made<Recording>();
  ASSERT_TRUE(file->open("Sandbox:/src.bin", true, false));
  auto* copy = kept(file->makeCopy_cHostFile("Sandbox:/dst.bin"));
  ASSERT_TRUE(copy) << reasonOf(file);
  EXPECT_NE(dynamic_cast<Recording*>(copy), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"read 51200", "write 51200", "read 51200", "write 51200", "read 17600",
                                           "write 17600"}));
  finish(copy);
  EXPECT_EQ(box.readFile("dst.bin"), std::string(120000, 'z'));
}

TEST_F(HostFileTest, FilesOnFtpAreReplacedAndCannotBeExamined) {
  box.makeDir("ftp");
  ostest::mountVolume("FTP", box.host("ftp").c_str());
  box.writeFile("ftp/old.txt", "old");
  box.writeFile("src.txt", "new");
  cHostFile* file = opened("Sandbox:/src.txt", true);
  auto* copy = kept(file->makeCopy("FTP:/old.txt"));
  ASSERT_TRUE(copy) << reasonOf(file);
  EXPECT_EQ(copy->getAttributesSupported(), 0);
  EXPECT_EQ(file->getAttributesSupported(), ATTR_ALL);
  finish(copy);
  EXPECT_EQ(box.readFile("ftp/old.txt"), "new");
}

}  // namespace

// The contract every file class keeps (files/base_file.h), written once.
// A file class joins by instantiating the suite in its own test file:
//   INSTANTIATE_TYPED_TEST_SUITE_P(HostFile, FileContract, cHostFile);
// Data are checked on disk after the object is closed, so that a class that
// buffers its writes passes as well. A class that needs modules running
// specialises FileContractEnvironment before the instantiation.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "files/objects/path.h"
#include "files/syntax/path_syntax.h"
#include "tests/files/objects/file_object_fixture.h"

// What a file class needs around each test: setUp runs before the fixture
// counts what is allocated, tearDown after the test's objects have ended
// and before the count is checked.
template <class T>
struct FileContractEnvironment {
  static void setUp() {}
  static void tearDown() {}
};

template <class T>
class FileContract : public FileObjectTest {
 protected:
  void SetUp() override {
    FileContractEnvironment<T>::setUp();
    FileObjectTest::SetUp();
  }
  void TearDown() override {
    endAll();
    FileContractEnvironment<T>::tearDown();
    FileObjectTest::TearDown();
  }

  // An object of the class open on the path (the test fails when it is not).
  T* opened(const char* path, bool readOnly, uint8_t padByte = '.') {
    T* file = this->template made<T>(padByte);
    const bool done = file->open(path, readOnly, false);
    EXPECT_TRUE(done) << path << ": " << (done ? "" : file->infoFailureReason());
    return file;
  }
  // The EMU error "<class>.<what>" of the file's own class.
  static std::string own(cBaseFile* file, const char* what) {
    return std::string("EMU ") + file->InfoClassType() + "." + what;
  }
};

TYPED_TEST_SUITE_P(FileContract);

TYPED_TEST_P(FileContract, OpeningAMissingFileReadOnlyFailsWritableCreatesIt) {
  TypeParam* file = this->template made<TypeParam>();
  EXPECT_FALSE(file->open("Sandbox:/new.txt", true, false));
  EXPECT_FALSE(file->infoIsOpen());
  EXPECT_EQ(std::string(file->infoFailureReason()).rfind("file does not exist", 0), 0u) << file->infoFailureReason();
  EXPECT_FALSE(this->box.exists("new.txt"));

  ASSERT_TRUE(file->open("Sandbox:/new.txt", false, false));
  EXPECT_EQ(file->getSize(), 0);
  EXPECT_EQ(file->getPosition(false), 0);
  EXPECT_STREQ(file->getPath(), "Sandbox:/new.txt");
  EXPECT_FALSE(file->infoReadOnly());
  file->close();
  EXPECT_TRUE(this->box.exists("new.txt"));
  // Closed, the object can be opened anew.
  ASSERT_TRUE(file->open("Sandbox:/new.txt", true, false));
  EXPECT_TRUE(file->infoReadOnly());
}

TYPED_TEST_P(FileContract, ReadsPastTheEndAndAfterAStopByteDeliverPadBytes) {
  this->box.writeFile("f.txt", "ab\ncdefghij");
  TypeParam* file = this->opened("Sandbox:/f.txt", true);
  struct Case {
    int64_t position;
    int32_t length, stopByte;
    int64_t result;
    int32_t missing;
    const char* bytes;
  };
  const Case cases[] = {
      {7, 10, NO_STOP_BYTE, 17, 6, "ghij......"},
      {0, 5, '\n', 3, 2, "ab\n.."},      // the bytes after the stop byte are pad bytes
      {0, 4, 'z', 4, 0, "ab\nc"},        // no match: the whole length
      {9, 4, '.', 12, 1, "ij.."},        // a pad byte can end the read
      {11, 3, NO_STOP_BYTE, 14, 3, "..."},
      {20, 2, NO_STOP_BYTE, 22, 2, ".."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    char buffer[16];
    std::memset(buffer, '?', sizeof buffer);
    file->setPosition(c.position);
    int32_t missing = -1;
    EXPECT_EQ(file->read_cBaseFile(buffer, c.length, 2, c.stopByte, &missing), c.result);
    EXPECT_EQ(missing, c.missing);
    EXPECT_EQ(std::string(buffer + 2, static_cast<size_t>(c.length)), c.bytes);
    EXPECT_EQ(buffer[1], '?');
    EXPECT_EQ(buffer[2 + c.length], '?');
    EXPECT_EQ(file->getPosition(false), c.position);  // reads never move it
  }
}

TYPED_TEST_P(FileContract, PositionsCountFromTheEndWhenNegative) {
  this->box.writeFile("f.txt", "0123456789");
  TypeParam* file = this->opened("Sandbox:/f.txt", true);
  file->setPosition(-1);
  EXPECT_EQ(file->getPosition(false), 10);
  EXPECT_EQ(file->getPosition(true), -1);
  file->setPosition(-2);
  EXPECT_EQ(file->getPosition(false), 9);
  file->setPosition(-11);
  EXPECT_EQ(file->getPosition(false), 0);
  const std::string error = this->errorOf([&] { file->setPosition(-12); });
  EXPECT_EQ(error.rfind("EMU ", 0), 0u) << error;
  EXPECT_NE(error.find(".setPosition(); position before start of file is illegal"), std::string::npos) << error;
  EXPECT_EQ(file->getPosition(false), 0);

  TypeParam* atEnd = this->template made<TypeParam>();
  ASSERT_TRUE(atEnd->open_cBaseFile("Sandbox:/f.txt", true, false, true));
  EXPECT_EQ(atEnd->getPosition(false), 10);
}

TYPED_TEST_P(FileContract, WritesFillGapsWithPadBytesOrStopAtTheEndWithNoGrow) {
  this->box.writeFile("f.txt", "abcd");
  TypeParam* file = this->opened("Sandbox:/f.txt", false, '-');
  int32_t notWritten = -1;
  file->setPosition(9);
  EXPECT_EQ(file->write_cBaseFile("..xyz", 3, 2, false, &notWritten), 12);
  EXPECT_EQ(notWritten, 0);
  EXPECT_EQ(file->getSize(), 12);
  EXPECT_EQ(file->getPosition(false), 9);

  file->setPosition(10);
  EXPECT_EQ(file->write_cBaseFile("KLMNO", 5, 0, true, &notWritten), 12);
  EXPECT_EQ(notWritten, 3);
  EXPECT_EQ(file->getSize(), 12);

  // A write of nothing past the end still extends the file to its position.
  file->setPosition(14);
  EXPECT_EQ(file->write_cBaseFile("", 0, 0, false, &notWritten), 14);
  EXPECT_EQ(file->getSize(), 14);

  char buffer[14];
  file->setPosition(0);
  file->read_cBaseFile(buffer, 14, 0, NO_STOP_BYTE);
  EXPECT_EQ(std::string(buffer, 14), "abcd-----xKL--");
  file->close();
  EXPECT_EQ(this->box.readFile("f.txt"), "abcd-----xKL--");
}

TYPED_TEST_P(FileContract, SetSizeGrowsWithPadBytesAndShrinks) {
  this->box.writeFile("f.txt", "abcdef");
  TypeParam* file = this->opened("Sandbox:/f.txt", false, '#');
  file->setSize(9);
  EXPECT_EQ(file->getSize(), 9);
  file->setSize(2);
  EXPECT_EQ(file->getSize(), 2);
  file->setSize(4);
  file->close();
  EXPECT_EQ(this->box.readFile("f.txt"), "ab##");
}

TYPED_TEST_P(FileContract, TimeIsKeptOnDisk) {
  this->box.writeFile("f.txt", "abc");
  TypeParam* file = this->opened("Sandbox:/f.txt", false);
  const int64_t time = 700000000;  // 2022-03-09
  ASSERT_TRUE(file->setTime(time)) << file->infoFailureReason();
  EXPECT_EQ(file->getTime(), time);
  file->close();
  ASSERT_TRUE(file->open("Sandbox:/f.txt", true, false));
  EXPECT_EQ(file->getTime(), time);
}

TYPED_TEST_P(FileContract, MisuseIsRaisedInTheDocumentedOrder) {
  this->box.writeFile("f.txt", "abc");
  TypeParam* closed = this->template made<TypeParam>();
  TypeParam* reader = this->opened("Sandbox:/f.txt", true);
  TypeParam* writer = this->opened("Sandbox:/f.txt", false);
  char b[4];
  // Each call breaks every later rule too: the first rule in the order wins.
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { closed->read_cBaseFile(nullptr, -1, -1, NO_STOP_BYTE); }, this->own(closed, "read(); file not open")},
      {[&] { closed->write_cBaseFile(nullptr, -1, -1, false); }, this->own(closed, "write(); file not open")},
      {[&] { reader->write_cBaseFile(nullptr, -1, -1, false); },
       this->own(reader, "write(); file opened in read only mode")},
      {[&] { reader->read_cBaseFile(nullptr, -1, -1, NO_STOP_BYTE); }, this->own(reader, "read(); lengthInBytes<0")},
      {[&] { reader->read_cBaseFile(nullptr, 1, -1, NO_STOP_BYTE); }, this->own(reader, "read(); buffer=NILA")},
      {[&] { reader->read_cBaseFile(b, 1, -1, NO_STOP_BYTE); }, this->own(reader, "read(); offsetInBytes<0")},
      {[&] { writer->write_cBaseFile(nullptr, -1, -1, false); }, this->own(writer, "write(); lengthInBytes<0")},
      {[&] { writer->write_cBaseFile(nullptr, 1, -1, false); }, this->own(writer, "write(); buffer=NILA")},
      {[&] { writer->write_cBaseFile(b, 1, -1, false); }, this->own(writer, "write(); offsetInBytes<0")},
      {[&] { writer->setSize(-1); }, this->own(writer, "setSize(); sizeInBytes<0")},
      {[&] { writer->makeCopy(nullptr); }, "EMU cBaseFile.makeCopy(); path=NILA"},
      {[&] { closed->clone_cBaseFile(false); }, "EMU cBaseFile.clone(); file not open"},
  };
  for (const auto& [call, error] : cases) EXPECT_EQ(this->errorOf(call), error);
  this->finish(writer);
  EXPECT_EQ(this->box.readFile("f.txt"), "abc");
}

TYPED_TEST_P(FileContract, CreateEmptiesAReplacedFileOrRefusesAnExistingOne) {
  this->box.writeFile("f.txt", "old contents");
  TypeParam* file = this->template made<TypeParam>();
  EXPECT_FALSE(file->create("Sandbox:/f.txt", true, false));
  EXPECT_FALSE(file->infoIsOpen());
  EXPECT_EQ(this->box.readFile("f.txt"), "old contents");

  ASSERT_TRUE(file->create("Sandbox:/f.txt", false, false));
  EXPECT_FALSE(file->infoReadOnly());
  EXPECT_EQ(file->getSize(), 0);
  file->close();
  EXPECT_EQ(this->box.readFile("f.txt"), "");
}

TYPED_TEST_P(FileContract, CopiesCarryDataAttributesCommentAndTime) {
  std::string data(120000, 'x');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>('a' + i % 26);
  this->box.writeFile("src.bin", data);
  this->box.writeFile("empty.bin", "");
  for (const std::string name : {"src.bin", "empty.bin"}) {
    SCOPED_TRACE(name);
    const std::string source = "Sandbox:/" + name, destination = source + ".copy";
    const std::string copyHost = "Sandbox:" + name + ".copy";
    TypeParam* file = this->opened(source.c_str(), false);
    ASSERT_TRUE(file->setAttributes(ATTR_READABLE | ATTR_WRITABLE, ATTR_ALL));
    ASSERT_TRUE(file->changeExtra(EXTRA_COMM, reinterpret_cast<intptr_t>("a comment")));
    ASSERT_TRUE(file->changeExtra(EXTRA_ATTR, FIBF_ARCHIVE | FIBF_SCRIPT));
    ASSERT_TRUE(file->setTime(600000000));
    file->close();
    ASSERT_TRUE(file->open(source.c_str(), true, false));
    file->setPosition(7);

    auto* copy = this->kept(file->makeCopy(destination.c_str()));
    ASSERT_TRUE(copy) << file->infoFailureReason();
    EXPECT_TRUE(copy->IsSameClassTypeAs(file));
    EXPECT_TRUE(copy->infoIsOpen());
    EXPECT_FALSE(copy->infoReadOnly());
    EXPECT_EQ(copy->getPosition(false), 7);
    EXPECT_EQ(file->getPosition(false), 7);
    EXPECT_EQ(copy->getSize(), file->getSize());
    this->finish(copy);

    EXPECT_EQ(this->box.readFile(name + ".copy"), this->box.readFile(name));
    EXPECT_EQ(this->protectionOf(copyHost.c_str()), FIBF_DELETE | FIBF_ARCHIVE | FIBF_SCRIPT);
    EXPECT_EQ(this->commentOf(copyHost.c_str()), "a comment");
    TypeParam* check = this->opened(destination.c_str(), true);
    EXPECT_EQ(check->getTime(), 600000000);
  }
}

TYPED_TEST_P(FileContract, CopyingRefusesAnExistingDestination) {
  this->box.writeFile("src.txt", "source");
  this->box.writeFile("dst.txt", "keep me");
  TypeParam* file = this->opened("Sandbox:/src.txt", true);
  EXPECT_EQ(file->makeCopy("Sandbox:/dst.txt"), nullptr);
  EXPECT_STREQ(file->infoFailureOrigin(), "cBaseFile.makeCopy()");
  EXPECT_STREQ(file->infoFailureReason(), "destination file already exists");
  EXPECT_EQ(this->box.readFile("dst.txt"), "keep me");
}

TYPED_TEST_P(FileContract, CtrlCBreaksACopyAndRemovesThePartialFile) {
  this->box.writeFile("src.bin", std::string(200000, 'q'));
  TypeParam* file = this->opened("Sandbox:/src.bin", true);
  file->setPosition(123);
  SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
  EXPECT_EQ(this->errorOf([&] { this->kept(file->makeCopy("Sandbox:/dst.bin")); }), "BRK Ctrl-C received");
  EXPECT_FALSE(this->box.exists("dst.bin"));
  EXPECT_EQ(file->getPosition(false), 123);
  EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, 0u);  // the copy took the signal
}

TYPED_TEST_P(FileContract, ACopyOfALinkIsAFileOfItsOwn) {
  this->box.writeFile("target.txt", "target data");
  ASSERT_TRUE(MakeLink("Sandbox:link.txt", "Sandbox:target.txt", LINK_SOFT));
  TypeParam* file = this->opened("Sandbox:/link.txt", true);
  ASSERT_NE(file->queryExtra(EXTRA_SLNK), 0);
  auto* copy = this->kept(file->makeCopy("Sandbox:/copy.txt"));
  ASSERT_TRUE(copy) << file->infoFailureReason();
  this->finish(copy);
  EXPECT_EQ(this->box.readFile("copy.txt"), "target data");
  char target[256];
  EXPECT_EQ(ReadLink(nullptr, ZERO, "Sandbox:copy.txt", target, sizeof target), -1);  // no link
  // Writing to the copy leaves the original alone.
  TypeParam* writer = this->opened("Sandbox:/copy.txt", false);
  writer->write_cBaseFile("X", 1, 0, false);
  this->finish(writer);
  EXPECT_EQ(this->box.readFile("target.txt"), "target data");
}

TYPED_TEST_P(FileContract, ACopyOfAWriteProtectedFileIsWriteProtected) {
  this->box.writeFile("src.txt", "backup");
  ASSERT_TRUE(SetProtection("Sandbox:src.txt", FIBF_WRITE | FIBF_DELETE));
  TypeParam* file = this->opened("Sandbox:/src.txt", true);
  EXPECT_EQ(file->getAttributes(), ATTR_READABLE);
  auto* copy = this->kept(file->makeCopy("Sandbox:/dst.txt"));
  ASSERT_TRUE(copy) << file->infoFailureReason();
  EXPECT_EQ(copy->getAttributes(), ATTR_READABLE);
  ASSERT_TRUE(copy->setTime(12345)) << copy->infoFailureReason();  // still open for changes
  this->finish(copy);
  EXPECT_EQ(this->box.readFile("dst.txt"), "backup");
  EXPECT_EQ(this->protectionOf("Sandbox:dst.txt"), FIBF_WRITE | FIBF_DELETE);
}

TYPED_TEST_P(FileContract, ClonesShareTheFileButNotItsWriting) {
  this->box.writeFile("f.txt", "abcdef");
  TypeParam* writer = this->opened("Sandbox:/f.txt", false);
  writer->setPosition(4);
  EXPECT_EQ(writer->clone_cBaseFile(true), nullptr);
  auto* reader = this->kept(writer->clone_cBaseFile(false));
  ASSERT_TRUE(reader);
  EXPECT_TRUE(reader->IsSameClassTypeAs(writer));
  EXPECT_TRUE(reader->infoReadOnly());
  EXPECT_EQ(reader->getPosition(false), 4);
  EXPECT_EQ(reader->infoPadByte(), writer->infoPadByte());
  this->finish(writer);

  auto* second = this->kept(reader->clone_cBaseFile(true));
  ASSERT_TRUE(second);
  EXPECT_FALSE(second->infoReadOnly());
}

TYPED_TEST_P(FileContract, AFailedOpenOrCopyLeavesALinkThatLeadsNowhereAlone) {
  this->box.writeFile("src.txt", "source");
  this->box.makeDir("Games");
  std::filesystem::create_symlink("Games/x.adf", this->box.host("dangling"));
  std::filesystem::create_symlink("loop", this->box.host("loop"));
  TypeParam* source = this->opened("Sandbox:/src.txt", true);
  for (const std::string name : {"dangling", "loop"}) {
    SCOPED_TRACE(name);
    const std::string path = "Sandbox:/" + name;
    TypeParam* file = this->template made<TypeParam>();
    EXPECT_FALSE(file->open(path.c_str(), false, false));
    EXPECT_EQ(std::string(file->infoFailureReason()).rfind("could not create file", 0), 0u)
        << file->infoFailureReason();
    EXPECT_TRUE(std::filesystem::is_symlink(this->box.host(name))) << "the open removed the link";

    EXPECT_EQ(this->kept(source->makeCopy(path.c_str())), nullptr);
    EXPECT_STREQ(source->infoFailureOrigin(), "cBaseFile.makeCopy()");
    EXPECT_TRUE(std::filesystem::is_symlink(this->box.host(name))) << "the copy removed the link";
  }
  EXPECT_FALSE(this->box.exists("Games/x.adf"));
}

TYPED_TEST_P(FileContract, AppendingPast4GiBWritesAtTheRealEnd) {
  const int64_t big = 5000000000LL;
  this->box.writeFile("big.bin", "");
  std::error_code error;
  std::filesystem::resize_file(this->box.host("big.bin"), static_cast<uintmax_t>(big), error);  // sparse
  if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
  TypeParam* file = this->opened("Sandbox:/big.bin", false);
  EXPECT_EQ(file->getSize(), big);
  file->setPosition(-1);
  EXPECT_EQ(file->write_cBaseFile("XYZ", 3, 0, false), big + 3);
  file->flush();
  EXPECT_EQ(file->getSize(), big + 3);
  file->setPosition(-1);
  EXPECT_EQ(file->write_cBaseFile("!", 1, 0, false), big + 4);
  this->finish(file);

  EXPECT_EQ(std::filesystem::file_size(this->box.host("big.bin")), static_cast<uintmax_t>(big + 4));
  std::ifstream in(this->box.host("big.bin"), std::ios::binary);
  char tail[5] = {};
  in.seekg(big - 1);
  in.read(tail, 5);
  EXPECT_EQ(std::string(tail, 5), std::string("\0XYZ!", 5));
  char capped[3] = {'?', '?', '?'};
  in.clear();
  in.seekg(0xFFFFFFFFLL);
  in.read(capped, 3);
  EXPECT_EQ(std::string(capped, 3), std::string(3, '\0')) << "written at the 32-bit cap";
}

REGISTER_TYPED_TEST_SUITE_P(FileContract, OpeningAMissingFileReadOnlyFailsWritableCreatesIt,
                            ReadsPastTheEndAndAfterAStopByteDeliverPadBytes,
                            PositionsCountFromTheEndWhenNegative,
                            WritesFillGapsWithPadBytesOrStopAtTheEndWithNoGrow,
                            SetSizeGrowsWithPadBytesAndShrinks, TimeIsKeptOnDisk,
                            MisuseIsRaisedInTheDocumentedOrder,
                            CreateEmptiesAReplacedFileOrRefusesAnExistingOne,
                            CopiesCarryDataAttributesCommentAndTime, CopyingRefusesAnExistingDestination,
                            CtrlCBreaksACopyAndRemovesThePartialFile, ACopyOfALinkIsAFileOfItsOwn,
                            ACopyOfAWriteProtectedFileIsWriteProtected,
                            ClonesShareTheFileButNotItsWriting,
                            AFailedOpenOrCopyLeavesALinkThatLeadsNowhereAlone,
                            AppendingPast4GiBWritesAtTheRealEnd);

// The program's own path, the toolbar image paths, and the toolbar images
// that the build places beside the program.
#include "app/items/ludex_amiga.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/strings/string.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "imaging/pictures.h"
#include "os/dos/dos_testing.h"
#include "tests/support/dos_sandbox.h"

namespace {

TEST(LudexAmiga, TheProgramPathNamesTheRunningProgram) {
  end_ludex_amiga();  // safe before any start
  new_ludex_amiga();
  const char* path = ourProgPath_ludex_amiga();
  ASSERT_NE(path, nullptr);
  EXPECT_TRUE(ExistsPath(path, false)) << path;
  EXPECT_STREQ(FindName(path), "ludex_app_tests");
  end_ludex_amiga();
  EXPECT_EQ(ourProgPath_ludex_amiga(), nullptr);
  end_ludex_amiga();
}

TEST(LudexAmiga, ToolbarImagesComeFromTheProgramFolderElseTheAssign) {
  DosSandbox box;
  EXPECT_STREQ(tbimages("open"), "tbimages:/open");
  box.writeFile("progdir/tbimages");  // a file of that name is no folder of images
  EXPECT_STREQ(tbimages("open"), "tbimages:/open");
  std::filesystem::remove(box.host("progdir/tbimages"));
  box.makeDir("progdir/tbimages");
  EXPECT_STREQ(tbimages("add"), "PROGDIR:/tbimages/add");
  // Each call frees the one before it (the sanitizer build checks for leaks).
  EXPECT_STREQ(tbimages("prefs"), "PROGDIR:/tbimages/prefs");
  end_ludex_amiga();
}

// The build copies the images beside the program; the test sandbox lies in
// the build folder, so its parent holds them.
TEST(LudexAmiga, TheShippedToolbarImagesAreFoundAndLoadAsPictures) {
  const char* testRoot = std::getenv("LUDEX_TEST_ROOT");
  if (!testRoot) GTEST_SKIP() << "LUDEX_TEST_ROOT is set by ctest";
  const std::string buildFolder = std::filesystem::path(testRoot).parent_path().string();
  DosSandbox box;
  // As the program sees it: the user's own folder first, then the program's.
  ostest::assignFolders("PROGDIR", {box.host("progdir").c_str(), buildFolder.c_str()});
  new_pamigadatatypes();
  for (const char* name : {"open", "add", "rename", "attachment", "delete", "prefs"}) {
    const char* path = tbimages(name);
    EXPECT_EQ(std::string(path), std::string("PROGDIR:/tbimages/") + name);
    char* host = ExportPath(path);
    PictureResults r;
    Object* picture = loadPicture(host, nullptr, false, &r);
    ASSERT_NE(picture, nullptr) << name;
    EXPECT_EQ(r.header->bmh_Width, 24) << name;
    EXPECT_EQ(r.header->bmh_Height, 24) << name;
    DisposeDTObject(picture);
    DisposeString(host);
  }
  end_pamigadatatypes();
  end_ludex_amiga();
}

}  // namespace

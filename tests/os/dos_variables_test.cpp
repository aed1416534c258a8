// GetVar and SetVar over ENV: and ENVARC:.
#include <gtest/gtest.h>

#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/support/dos_sandbox.h"

namespace {

class DosVariables : public testing::Test {
 protected:
  // The value, or "<unset>" when GetVar answers -1.
  std::string get(const char* name, uint32_t flags = 0) {
    char buffer[128];
    const int32_t n = GetVar(name, buffer, sizeof buffer, flags);
    if (n < 0) return "<unset>";
    EXPECT_EQ(static_cast<size_t>(n), std::string(buffer).size());
    return buffer;
  }

  DosSandbox box;
};

TEST_F(DosVariables, WithoutSaveTheValueLastsUntilTheReboot) {
  ASSERT_TRUE(SetVar("AppDir/UAE", "Work:Emulators/UAE", -1, GVF_GLOBAL_ONLY));
  EXPECT_EQ(box.readFile("env/AppDir/UAE"), "Work:Emulators/UAE");
  EXPECT_FALSE(box.exists("envarc/AppDir"));
  EXPECT_EQ(get("AppDir/UAE", GVF_GLOBAL_ONLY), "Work:Emulators/UAE");
  EXPECT_EQ(get("appdir/uae"), "Work:Emulators/UAE");  // names ignore case

  ostest::clearEnv();
  EXPECT_EQ(get("AppDir/UAE"), "<unset>");
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
}

TEST_F(DosVariables, SavedValuesOutliveTheRebootAndENVComesFirst) {
  ASSERT_TRUE(SetVar("AppDir/UAE", "DH0:Emulators", -1, GVF_GLOBAL_ONLY | GVF_SAVE_VAR));
  EXPECT_EQ(box.readFile("env/AppDir/UAE"), "DH0:Emulators");
  EXPECT_EQ(box.readFile("envarc/AppDir/UAE"), "DH0:Emulators");
  ostest::clearEnv();
  EXPECT_FALSE(box.exists("env/AppDir"));
  EXPECT_EQ(get("AppDir/UAE", GVF_GLOBAL_ONLY), "DH0:Emulators");  // from ENVARC:

  ASSERT_TRUE(SetVar("AppDir/UAE", "RAM:Test", -1, GVF_GLOBAL_ONLY));
  EXPECT_EQ(get("AppDir/UAE"), "RAM:Test");
  EXPECT_EQ(box.readFile("envarc/AppDir/UAE"), "DH0:Emulators");

  // Deleting with save removes both.
  ASSERT_TRUE(SetVar("AppDir/UAE", nullptr, 0, GVF_GLOBAL_ONLY | GVF_SAVE_VAR));
  EXPECT_EQ(get("AppDir/UAE"), "<unset>");
  EXPECT_FALSE(SetVar("AppDir/UAE", nullptr, 0, GVF_GLOBAL_ONLY));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
}

TEST_F(DosVariables, ValuesStopAtTheFirstNewlineAndAreCutToTheBuffer) {
  ASSERT_TRUE(SetVar("Multi", "first\nsecond", -1, GVF_GLOBAL_ONLY));
  EXPECT_EQ(get("Multi"), "first");
  EXPECT_EQ(IoErr(), 5);  // the full length of the value
  EXPECT_EQ(get("Multi", GVF_BINARY_VAR), "first\nsecond");

  ASSERT_TRUE(SetVar("Sized", "abcdef", 3, GVF_GLOBAL_ONLY));  // only the bytes given
  EXPECT_EQ(get("Sized"), "abc");

  char small[4] = {'x', 'x', 'x', 'x'};
  ASSERT_TRUE(SetVar("Long", "123456789", -1, GVF_GLOBAL_ONLY));
  EXPECT_EQ(GetVar("Long", small, sizeof small, 0), 3);
  EXPECT_STREQ(small, "123");
  EXPECT_EQ(IoErr(), 9);
  EXPECT_EQ(GetVar("Long", small, sizeof small, GVF_DONT_NULL_TERM), 4);
  EXPECT_EQ(std::string(small, 4), "1234");
}

TEST_F(DosVariables, NamesThatLeaveTheirFolderAreRefused) {
  box.writeFile("secret", "do not read");
  for (const char* name : {"", "/etc/passwd", "AppDir//UAE", "AppDir/", "./x", "AppDir/../../secret", "..",
                           "AppDir/.", "Sandbox:secret"}) {
    char buffer[32] = "untouched";
    EXPECT_EQ(GetVar(name, buffer, sizeof buffer, GVF_GLOBAL_ONLY), -1) << name;
    EXPECT_EQ(IoErr(), ERROR_INVALID_COMPONENT_NAME) << name;
    EXPECT_STREQ(buffer, "") << name;
    EXPECT_FALSE(SetVar(name, "x", -1, GVF_GLOBAL_ONLY | GVF_SAVE_VAR)) << name;
    EXPECT_EQ(IoErr(), ERROR_INVALID_COMPONENT_NAME) << name;
  }
  EXPECT_FALSE(GetVar(nullptr, nullptr, 0, 0) >= 0);
  EXPECT_EQ(box.readFile("secret"), "do not read");
}

TEST_F(DosVariables, OnlyGlobalVariablesExist) {
  ASSERT_TRUE(SetVar("Plain", "v", -1, 0));  // no local variables: it is global
  EXPECT_EQ(box.readFile("env/Plain"), "v");
  EXPECT_EQ(get("Plain", GVF_LOCAL_ONLY), "<unset>");
  EXPECT_FALSE(SetVar("Local", "v", -1, GVF_LOCAL_ONLY));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  box.makeDir("env/Folder");
  EXPECT_EQ(get("Folder"), "<unset>");
  EXPECT_FALSE(SetVar("Folder", "v", -1, 0));
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "TestEnv.h"
#include "support/SystemInfo.h"

namespace kv {
namespace {

using test::TScopedEnv;
using test::TTempFolder;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

TEST(TempDirTest, TmpdirWithTheSeparatorAtItsEnd) {
  {
    TScopedEnv tmp("TMPDIR", "/var/tmp/u");
    EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), "/var/tmp/u/");
  }
  TScopedEnv tmp("TMPDIR", "/var/tmp/u/");
  EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), "/var/tmp/u/");
}

TEST(TempDirTest, FoldersOutsideTheCodePageKeepTheirBytes) {
  TTempFolder folder;
  TScopedEnv tmp("TMPDIR", nullptr);
  // "Łukasz", and a name that is no UTF-8 at all.
  for (const std::string user : {"\xC5\x81ukasz", "M\xFCller"}) {
    TScopedEnv cache("XDG_CACHE_HOME", nullptr);
    TScopedEnv home("HOME", (folder.Dir() + user).c_str());
    EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), folder.Dir() + user + "/.cache/kavelin/");
    EXPECT_EQ(ModeOf(folder.Dir() + user + "/.cache/kavelin"), 0700u);
    TScopedEnv tmpdir("TMPDIR", (folder.Dir() + user).c_str());
    EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), folder.Dir() + user + "/");
  }
}

TEST(TempDirTest, PrivateCacheFolderCreatedWhenTmpdirIsUnset) {
  TTempFolder folder;
  TScopedEnv tmp("TMPDIR", nullptr);
  {
    TScopedEnv cache("XDG_CACHE_HOME", (folder.Dir() + "cache").c_str());
    EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), folder.Dir() + "cache/kavelin/");
    EXPECT_EQ(ModeOf(folder.Dir() + "cache/kavelin"), 0700u);
  }
  // Without XDG_CACHE_HOME (or with a relative one, which is invalid) the home's .cache.
  for (const char* cacheValue : {static_cast<const char*>(nullptr), "relative/cache"}) {
    TScopedEnv cache("XDG_CACHE_HOME", cacheValue);
    TScopedEnv home("HOME", (folder.Dir() + "home").c_str());
    EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), folder.Dir() + "home/.cache/kavelin/");
    EXPECT_EQ(ModeOf(folder.Dir() + "home/.cache/kavelin"), 0700u);
  }
}

TEST(TempDirTest, EmptyWhenTheFolderCannotBeMade) {
  TTempFolder folder;
  std::ofstream(folder.File("file")) << "x";
  TScopedEnv tmp("TMPDIR", nullptr);
  TScopedEnv cache("XDG_CACHE_HOME", folder.File("file").c_str());
  EXPECT_EQ(TWindowsInfo().TempDir().Bytes(), "");
}

TEST(ConfigDirTest, PrivateSettingsFolderFromXdgConfigHomeOrTheHome) {
  TTempFolder folder;
  std::ofstream(folder.File("file")) << "x";
  const std::string absolute = folder.Dir() + "config", file = folder.File("file");
  struct Case {
    const char* config;  // XDG_CONFIG_HOME; nullptr: unset
    std::string expected;
  };
  const Case cases[] = {
      {absolute.c_str(), absolute + "/kavelin/"},
      {nullptr, folder.Dir() + "home/.config/kavelin/"},
      {"relative/config", folder.Dir() + "home/.config/kavelin/"},  // invalid, so ignored
      {file.c_str(), ""},  // a regular file where the folder would go
  };
  TScopedEnv home("HOME", (folder.Dir() + "home").c_str());
  for (const Case& c : cases) {
    TScopedEnv config("XDG_CONFIG_HOME", c.config);
    EXPECT_EQ(QueryConfigDir().Bytes(), c.expected) << (c.config ? c.config : "unset");
    if (!c.expected.empty()) {
      EXPECT_EQ(ModeOf(c.expected), 0700u);
    }
  }
}

TEST(RunningProgramTest, TheTestItselfWithItsLinksResolved) {
  const std::string self = RunningProgramPath().Bytes();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(self, std::filesystem::canonical(self).string());
  EXPECT_NE(self.find("support_system"), std::string::npos) << self;
}

TEST(WindowsInfoTest, OneGlobalInstanceBetweenCreateAndFree) {
  TScopedEnv tmp("TMPDIR", "/tmp/kv");
  EXPECT_EQ(WindowsInfo(), nullptr);
  CreateWindowsInfo();
  ASSERT_NE(WindowsInfo(), nullptr);
  TWindowsInfo* first = WindowsInfo();
  CreateWindowsInfo();
  EXPECT_EQ(WindowsInfo(), first);
  EXPECT_EQ(WindowsInfo()->TempDir().Bytes(), "/tmp/kv/");
  FreeWindowsInfo();
  EXPECT_EQ(WindowsInfo(), nullptr);
}

}  // namespace
}  // namespace kv

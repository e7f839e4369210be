// Where the settings files go: beside the program when a file can be created there, else in
// the user's settings folder. Tests run as root, so "cannot" is made by something standing in
// the way, never by permission bits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestEnv.h"
#include "app/core/SettingsFolder.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(SettingsFolderTest, AFileCanBeCreatedOnlyInAFolderWithNothingInTheWay) {
  test::TTempFolder folder;
  fs::create_directories(folder.File("open"));
  fs::create_directories(folder.File("blocked/") + SettingsTrialFile);  // a folder in its place
  std::ofstream(folder.File("file")) << "x";
  fs::create_directories(folder.File("with-stale"));
  std::ofstream(folder.File("with-stale/") + SettingsTrialFile) << "left over";
  struct Case {
    std::string dir;
    bool writable;
  };
  const Case cases[] = {
      {folder.File("open/"), true},
      {folder.File("with-stale/"), true},  // an old trial file is no obstacle
      {folder.File("blocked/"), false},
      {folder.File("file/"), false},  // a regular file where the folder should be
      {folder.File("missing/"), false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanCreateFileIn(AsPath(c.dir)), c.writable) << c.dir;
    if (c.writable) {
      EXPECT_FALSE(fs::exists(c.dir + SettingsTrialFile)) << "left behind";
    }
  }
}

TEST(SettingsFolderTest, TheUsersFolderOnlyWhenTheProgramFolderIsNotWritable) {
  test::TTempFolder folder;
  fs::create_directories(folder.File("program"));
  fs::create_directories(folder.File("installed/") + SettingsTrialFile);
  int asked = 0;
  auto user = [&] {
    ++asked;
    return AsPath(folder.File("config/"));
  };
  EXPECT_EQ(ChooseSettingsDir(AsPath(folder.File("program/")), user),
            AsPath(folder.File("program/")));
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(ChooseSettingsDir(AsPath(folder.File("installed/")), user),
            AsPath(folder.File("config/")));
  EXPECT_EQ(asked, 1);
  // Without a settings folder of the user's the files stay where they were, failing loudly.
  EXPECT_EQ(ChooseSettingsDir(AsPath(folder.File("installed/")), [] { return THostPath(); }),
            AsPath(folder.File("installed/")));
}

}  // namespace
}  // namespace kv

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "TestEnv.h"
#include "support/AtomicFile.h"
#include "support/Files.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
 protected:
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(THostPath::FromBytes(path), bytes)) << path;
    return bytes;
  }
  mode_t Mode(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
  }
  // Only the files the test made itself: no temporary file may stay behind.
  int Entries() {
    int n = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(folder_.Dir())) ++n;
    return n;
  }
  bool Write(const std::string& path, const std::string& bytes) {
    return WriteFileAtomically(THostPath::FromBytes(path), bytes, error_);
  }

  test::TTempFolder folder_;
  std::string error_;
};

TEST_F(AtomicFileTest, CreatesANewFileWithTheUsualPermissions) {
  const mode_t mask = ::umask(022);
  const std::string path = folder_.File("new.html");
  EXPECT_TRUE(Write(path, std::string("a\0b\r\n", 5)));
  ::umask(mask);
  EXPECT_EQ(Read(path), std::string("a\0b\r\n", 5));
  EXPECT_EQ(Mode(path), 0644u);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFileTest, ReplacesAndKeepsThePermissions) {
  const std::string path = folder_.File("page.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "old"));
  ::chmod(path.c_str(), 0640);
  EXPECT_TRUE(Write(path, "new contents"));
  EXPECT_EQ(Read(path), "new contents");
  EXPECT_EQ(Mode(path), 0640u);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFileTest, RefusesAReadOnlyTarget) {
  const std::string path = folder_.File("page.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "old"));
  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(Write(path, "new"));
  EXPECT_NE(error_.find("read-only"), std::string::npos) << error_;
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Mode(path), 0444u);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFileTest, RefusesAReadOnlyFolder) {
  const std::string dir = folder_.File("ro");
  ASSERT_TRUE(ForceDirectories(THostPath::FromBytes(dir)));
  const std::string path = dir + "/page.html";
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "old"));
  ::chmod(dir.c_str(), 0555);
  EXPECT_FALSE(Write(path, "new"));
  EXPECT_FALSE(error_.empty());
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLinks) {
  ASSERT_TRUE(ForceDirectories(THostPath::FromBytes(folder_.File("real"))));
  const std::string target = folder_.File("real/page.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(target), "old"));
  ::chmod(target.c_str(), 0600);
  const std::string link = folder_.File("link.html");
  const std::string chain = folder_.File("chain.html");
  fs::create_symlink("real/page.html", link);  // relative to the link's folder
  fs::create_symlink(link, chain);
  EXPECT_TRUE(Write(chain, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_EQ(Read(target), "new");
  EXPECT_EQ(Mode(target), 0600u);
  EXPECT_EQ(Entries(), 3);
}

TEST_F(AtomicFileTest, DanglingLinkCreatesItsTarget) {
  const std::string link = folder_.File("link.html");
  fs::create_symlink("made.html", link);
  EXPECT_TRUE(Write(link, "x"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(folder_.File("made.html")), "x");
}

TEST_F(AtomicFileTest, LinkLoopFails) {
  fs::create_symlink(folder_.File("b"), folder_.File("a"));
  fs::create_symlink(folder_.File("a"), folder_.File("b"));
  EXPECT_FALSE(Write(folder_.File("a"), "x"));
  EXPECT_FALSE(error_.empty());
}

// A full disk, simulated by a file size limit: writing fails part-way.
TEST_F(AtomicFileTest, FullDiskLeavesTheOldFile) {
  const std::string path = folder_.File("page.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "old"));
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = Write(path, std::string(100000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(error_.empty());
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFileTest, FailsForFoldersAndMissingPlaces) {
  ASSERT_TRUE(ForceDirectories(THostPath::FromBytes(folder_.File("dir"))));
  for (const std::string& bad :
       {folder_.File("dir"), folder_.File("missing/page.html"), std::string()}) {
    EXPECT_FALSE(Write(bad, "x")) << bad;
    EXPECT_FALSE(error_.empty()) << bad;
  }
}

TEST_F(AtomicFileTest, AFaultRefusesBeforeAnythingIsTouchedAndCopiesGoTheSameWay) {
  const std::string path = folder_.File("page.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "old"));
  SetAtomicWriteFault([](const std::string& p) {
    return p.ends_with("page.html") ? std::string("disk full") : std::string();
  });
  EXPECT_FALSE(Write(path, "new"));
  EXPECT_EQ(error_, "disk full");
  EXPECT_EQ(Read(path), "old");
  EXPECT_TRUE(Write(folder_.File("other.html"), "other"));
  SetAtomicWriteFault(nullptr);

  EXPECT_TRUE(CopyFileAtomically(THostPath::FromBytes(folder_.File("other.html")),
                                 THostPath::FromBytes(path), error_));
  EXPECT_EQ(Read(path), "other");
  EXPECT_FALSE(CopyFileAtomically(THostPath::FromBytes(folder_.File("missing.html")),
                                  THostPath::FromBytes(path), error_));
  EXPECT_FALSE(error_.empty());
  EXPECT_EQ(Read(path), "other");
  EXPECT_EQ(Entries(), 2);
}

TEST_F(AtomicFileTest, KeepsModeAndGroupAndAHostPathNamesTheFile) {
  const std::string path = folder_.File("page.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "old"));
  ASSERT_EQ(::chown(path.c_str(), ::getuid(), 65534), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  EXPECT_TRUE(WriteFileAtomically(THostPath::FromBytes(path), "new", error_)) << error_;
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(st.st_gid, 65534u);
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFileTest, AFileWithOtherHardLinksIsRewrittenInPlace) {
  const std::string path = folder_.File("page.html");
  const std::string other = folder_.File("other-name.html");
  ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "a longer old text"));
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
  ::chmod(path.c_str(), 0640);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  EXPECT_TRUE(Write(path, "new"));
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_nlink, 2u);
  EXPECT_EQ(Read(other), "new");
  EXPECT_EQ(Mode(path), 0640u);
  EXPECT_EQ(Entries(), 2);  // the backup copy is gone
}

// A write that breaks off after some bytes, for a plain file (temporary file and rename) and for
// a hard-linked one (in place after a backup): the old contents stay under every name.
TEST_F(AtomicFileTest, AWriteThatBreaksOffLeavesTheOldFile) {
  for (const bool linked : {false, true}) {
    SCOPED_TRACE(linked ? "in place" : "rename");
    test::TTempFolder folder;
    const std::string path = folder.File("page.html");
    const std::string other = folder.File("other-name.html");
    ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(path), "the old page"));
    if (linked) {
      ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    }
    SetPartialWriteFault([](const std::string& p) -> std::optional<size_t> {
      if (p.ends_with("page.html")) return 4;
      return std::nullopt;
    });
    EXPECT_FALSE(Write(path, "XXXXXXXXXXXXXXXXXXXXXXXX"));
    SetPartialWriteFault(nullptr);
    EXPECT_FALSE(error_.empty());
    EXPECT_EQ(Read(path), "the old page");
    if (linked) {
      EXPECT_EQ(Read(other), "the old page");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Dir()), fs::directory_iterator()),
              linked ? 2 : 1);
    EXPECT_TRUE(Write(path, "next"));
    EXPECT_EQ(Read(linked ? other : path), "next");
  }
}

TEST_F(AtomicFileTest, PathsReachTheFileSystemByteForByte) {
  for (const std::string name : {"\xC5\x81\xC3\xB3" "d\xC5\xBA.html", "M\xFCller.html"}) {
    EXPECT_TRUE(Write(folder_.File(name), "x")) << name;
    EXPECT_TRUE(fs::exists(fs::path(folder_.Dir() + name))) << name;
  }
}

}  // namespace
}  // namespace kv

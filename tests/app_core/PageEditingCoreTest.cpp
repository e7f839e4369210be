// The Qt-free parts of page editing: splicing a table at its placeholder, and the recent-file
// lists beside the program.
#include <gtest/gtest.h>

#include "TestEnv.h"
#include "app/core/RecentFiles.h"
#include "app/core/TableSplice.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

TEST(TableSpliceTest, EveryLineWithThePlaceholderTakesTheFragment) {
  const Lines fragment = {"<table>", "</table>"};
  Lines out = {"untouched"};
  EXPECT_FALSE(SpliceTable({"<P>no marker</P>", "insertatable"}, fragment, out));
  EXPECT_EQ(out, Lines{"untouched"});  // letter case counts; nothing is written

  ASSERT_TRUE(SpliceTable(
      {"<HTML>", "<P>WortINSERTATABLE rest INSERTATABLE</P>", "INSERTATABLE", "</HTML>"}, fragment,
      out));
  EXPECT_EQ(out, (Lines{"<HTML>", "<P>Wort", " ", "<table>", "</table>",
                        " rest INSERTATABLE</P>",  // only the first on a line
                        "", " ", "<table>", "</table>", "", "</HTML>"}));
}

class RecentFilesTest : public testing::Test {
 protected:
  std::string Page(const std::string& name) {
    const std::string path = folder_.File(name);
    WriteFileBytes(THostPath::FromBytes(path), "<HTML></HTML>");
    return path;
  }
  std::string Read(const char* name) {
    std::string bytes;
    ReadFileBytes(folder_.Path(name), bytes);
    return bytes;
  }
  static std::vector<THostPath> Paths(const Lines& lines) {
    std::vector<THostPath> paths;
    for (const std::string& line : lines) paths.push_back(THostPath::FromBytes(line));
    return paths;
  }
  test::TTempFolder folder_;
};

TEST_F(RecentFilesTest, NewestFirstNoDuplicatesAtMostFiveExistingOnes) {
  const std::string a = Page("a.html"), b = Page("b.html"), c = Page("c.html"), d = Page("d.html"),
                    e = Page("e.html"), f = Page("f & g.html");
  const std::string gone = folder_.File("gone.html"), gone2 = folder_.File("gone2.html");
  struct Case {
    std::string path;
    Lines old, expected;
  };
  const Case cases[] = {
      {a, {}, {a}},
      {a, {b, a, c}, {a, b, c}},              // moves to the top, once
      {a, {b, gone, c}, {a, b, c}},           // a vanished file drops out
      {f, {a, b, c, d, e}, {f, a, b, c, d}},  // five at most
      {a, {b, c, d, e, f, gone}, {a, b, c, d, e}},
      {a, {b, gone, gone2, c, d, e}, {a, b, c}},  // the five are counted before the check
      {a, {folder_.File("A.html")}, {a}},         // another spelling is another entry...
  };
  for (const Case& k : cases)
    EXPECT_EQ(UpdatedRecentList(THostPath::FromBytes(k.path), Paths(k.old)), Paths(k.expected))
        << k.path;
  // ... which stays when that file exists (on a file system that tells the two apart).
  const std::string upper = Page("A.html");
  EXPECT_EQ(UpdatedRecentList(THostPath::FromBytes(a), Paths({upper})), Paths({a, upper}));
}

TEST_F(RecentFilesTest, BothListsAreWrittenWithCrLfLines) {
  const std::string a = Page("a.html"), f = Page("f & g.html");
  AddRecentFile(folder_.Path(), THostPath::FromBytes(a));
  AddRecentFile(folder_.Path(), THostPath::FromBytes(f));
  EXPECT_EQ(Read("historie.ini"), f + "\r\n" + a + "\r\n");
  EXPECT_EQ(Read("historiesmall.ini"), "f & g.html\r\na.html\r\n");
  // An unwritable place is the framework's file error naming the file; the lists stay.
  WriteFileBytes(folder_.Path("sub"), "a file, not a folder");
  EXPECT_THROW(AddRecentFile(folder_.Path("sub/"), THostPath::FromBytes(a)), EFCreateError);
  EXPECT_EQ(Read("historie.ini"), f + "\r\n" + a + "\r\n");
}

TEST_F(RecentFilesTest, PathsBeyondTheCodePageStayByteForByte) {
  const std::string lodz = "\xC5\x81\xC3\xB3\x64\xC5\xBA";
  ForceDirectories(folder_.Path(lodz));
  const std::string a = Page(lodz + "/strona \xCE\xB6.html"), bad = Page("M\xFCller.html"),
                    broken = Page("line\nbreak.html");
  for (const std::string& p : {a, bad, broken})
    AddRecentFile(folder_.Path(), THostPath::FromBytes(p));
  // The name with a line break opens but is not listed; the others are the bytes as given.
  EXPECT_EQ(Read("historie.ini"), bad + "\r\n" + a + "\r\n");
  EXPECT_EQ(Read("historiesmall.ini"), "M\xFCller.html\r\nstrona \xCE\xB6.html\r\n");
  EXPECT_EQ(ReadRecentList(folder_.Path()),
            (std::vector<THostPath>{THostPath::FromBytes(bad), THostPath::FromBytes(a)}));
}

}  // namespace
}  // namespace kv

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/PageRewrite.h"
#include "support/StringTools.h"

namespace kv {
namespace {

using enum TPathStyle;

std::string Rewrite(const std::string& line, const std::string& docDir, TPathStyle style) {
  const std::vector<std::string> out = RewriteSavedPage({line}, docDir, style);
  EXPECT_EQ(out.size(), 1u);
  return out.empty() ? std::string() : out[0];
}

struct TLineCase {
  std::string Name;
  TPathStyle Style;
  std::string DocDir;
  std::string Line;
  std::string Expected;
};

void PrintTo(const TLineCase& c, std::ostream* os) {
  *os << c.Name;
}

class RewriteLineTest : public testing::TestWithParam<TLineCase> {
 protected:
  static void SetUpTestSuite() { InitReplaceNoCase(); }
};

TEST_P(RewriteLineTest, Rewrites) {
  const TLineCase& c = GetParam();
  EXPECT_EQ(Rewrite(c.Line, c.DocDir, c.Style), c.Expected);
}

const std::string kWin = "C:\\web\\site\\";
const std::string kLinux = "/home/u/web/site/";

INSTANTIATE_TEST_SUITE_P(
    Windows, RewriteLineTest,
    testing::Values(
        TLineCase{"KeywordsGetQuotes", Windows, kWin, "<META NAME=KEYWORDS content=foo>",
                  "<META NAME=KEYWORDS content=\"foo\">"},
        TLineCase{"LowerCaseMetaToo", Windows, kWin, "<meta name=description CONTENT=bar>",
                  "<meta name=description content=\"bar\">"},
        TLineCase{"AQuoteAnywhereStopsTheQuoting", Windows, kWin,
                  "<META NAME=AUTHOR content=x title=\"t\">",
                  "<META NAME=AUTHOR content=x title=\"t\">"},
        TLineCase{"OtherMetaNamesUntouched", Windows, kWin, "<META NAME=ROBOTS content=all>",
                  "<META NAME=ROBOTS content=all>"},
        TLineCase{"OwnFolderAddressWithSlashes", Windows, kWin,
                  "<IMG src=\"file:///C:/web/site/pic.gif\">", "<IMG src=\"pic.gif\">"},
        TLineCase{"OwnFolderAddressWithBackslashes", Windows, kWin,
                  "<IMG src=\"file:///c:\\WEB\\site\\pic.gif\">", "<IMG src=\"pic.gif\">"},
        TLineCase{"SiblingFolder", Windows, kWin, "<IMG src=\"C:\\web\\images\\a.gif\">",
                  "<IMG src=\"../images/a.gif\">"},
        TLineCase{"SiblingFolderAnyCase", Windows, kWin, "<IMG src=\"c:\\Web\\images\\a.gif\">",
                  "<IMG src=\"../images/a.gif\">"},
        TLineCase{"GrandParent", Windows, kWin, "<IMG src=\"C:\\x.gif\">",
                  "<IMG src=\"../../x.gif\">"},
        TLineCase{"OtherDriveBecomesAFileAddress", Windows, kWin, "<IMG src=\"D:\\pics\\b.gif\">",
                  "<IMG src=\"file:///d:/pics/b.gif\">"},
        TLineCase{"NoQuoteBeforeTheCloseKeepsBackslashes", Windows, kWin,
                  "<IMG src=\"D:\\x.gif\" width=3>", "<IMG src=\"D:\\x.gif\" width=3>"},
        TLineCase{"DriveBeyondHNeverAFileAddress", Windows, kWin, "<IMG src=\"k:\\x.gif\">",
                  "<IMG src=\"k:/x.gif\">"},
        TLineCase{"AncestorInVisibleText", Windows, kWin, "<P>Bilder in C:\\web\\images</P>",
                  "<P>Bilder in ../images</P>"},
        TLineCase{"DriveRootHasNoAncestors", Windows, "C:\\", "<P>C:\\web\\x</P>",
                  "<P>C:\\web\\x</P>"},
        TLineCase{"DriveRootOwnFolder", Windows, "C:\\", "<IMG src=\"file:///C:/pic.gif\">",
                  "<IMG src=\"pic.gif\">"},
        TLineCase{"FiveAncestorsAtMost", Windows, "C:\\a\\b\\c\\d\\e\\f\\g\\",
                  "<P>C:\\a\\b\\x C:\\a\\x</P>", "<P>../../../../../x C:\\a\\x</P>"},
        TLineCase{"NoFolderLeavesFileAddresses", Windows, "", "<IMG src=\"file:///C:/a.gif\">",
                  "<IMG src=\"file:///C:/a.gif\">"}));

INSTANTIATE_TEST_SUITE_P(
    Linux, RewriteLineTest,
    testing::Values(
        TLineCase{"WebAddressWithAnAncestorUntouched", Posix, kLinux,
                  "<A href=\"https://example.org/home/u/web/\">x</A>",
                  "<A href=\"https://example.org/home/u/web/\">x</A>"},
        TLineCase{"ProseWithAnAncestorUntouched", Posix, kLinux,
                  "<P>Meine Seiten liegen in /home/u/web/ und /home/</P>",
                  "<P>Meine Seiten liegen in /home/u/web/ und /home/</P>"},
        TLineCase{"PictureInTheOwnFolder", Posix, kLinux,
                  "<IMG src=\"file:///home/u/web/site/pic.gif\">", "<IMG src=\"pic.gif\">"},
        TLineCase{"PictureInASiblingFolderByAddress", Posix, kLinux,
                  "<IMG src=\"file:///home/u/web/images/a.gif\">", "<IMG src=\"../images/a.gif\">"},
        TLineCase{"PictureInASiblingFolderByPath", Posix, kLinux,
                  "<IMG src=\"/home/u/web/images/a.gif\">", "<IMG src=\"../images/a.gif\">"},
        TLineCase{"SingleQuotedAttribute", Posix, kLinux, "<IMG src='/home/u/x.gif'>",
                  "<IMG src='../../x.gif'>"},
        TLineCase{"ThirdAncestor", Posix, kLinux, "<IMG src=\"file:///home/x.gif\">",
                  "<IMG src=\"../../../x.gif\">"},
        TLineCase{"RootIsNeverAnAncestor", Posix, kLinux, "<IMG src=\"/etc/x.gif\">",
                  "<IMG src=\"/etc/x.gif\">"},
        TLineCase{"OwnFolderByPathStaysWorking", Posix, kLinux,
                  "<IMG src=\"/home/u/web/site/pic.gif\">", "<IMG src=\"../site/pic.gif\">"},
        TLineCase{"LetterCaseMattersInPaths", Posix, kLinux,
                  "<IMG src=\"file:///HOME/u/web/a.gif\">",
                  "<IMG src=\"file:///HOME/u/web/a.gif\">"},
        TLineCase{"OtherUserBelowAnAncestor", Posix, kLinux,
                  "<IMG src=\"file:///home/U/web/a.gif\">", "<IMG src=\"../../../U/web/a.gif\">"},
        TLineCase{"PageInTheRoot", Posix, "/", "<IMG src=\"file:///etc/a.gif\">",
                  "<IMG src=\"etc/a.gif\">"},
        TLineCase{"RelativeFolderChangesNothing", Posix, "temp/",
                  "<IMG src=\"file:///temp/a.gif\"> src=\"temp/b.gif\"",
                  "<IMG src=\"file:///temp/a.gif\"> src=\"temp/b.gif\""},
        TLineCase{"MetaQuotingToo", Posix, kLinux, "<meta name=keywords content=a,b>",
                  "<meta name=keywords content=\"a,b\">"}));

TEST(RewriteSavedPageTest, OneOutputLinePerInputLine) {
  const std::vector<std::string> in = {"", "<HTML>", "", "</HTML>", ""};
  EXPECT_EQ(RewriteSavedPage(in, kLinux, Posix), in);
  EXPECT_TRUE(RewriteSavedPage({}, kLinux, Posix).empty());
}

TEST(RewriteSavedPageTest, EmbeddedBreaksSplitAsTheFileReaderWould) {
  const std::vector<std::string> in = {"a\r\nb", "c\r", "d\ne", "\r\n"};
  const std::vector<std::string> expected = {"a", "b", "c", "", "d", "e", "", ""};
  EXPECT_EQ(RewriteSavedPage(in, kLinux, Posix), expected);
}

struct TPlanCase {
  TPathStyle Style;
  std::string DocDir;
  std::vector<std::string> OwnFolder;
  std::vector<std::vector<std::string>> Ancestors;  // searches per pass, nearest first
};

void PrintTo(const TPlanCase& c, std::ostream* os) {
  *os << "'" << c.DocDir << "'";
}

class PathRewritePlanTest : public testing::TestWithParam<TPlanCase> {};

TEST_P(PathRewritePlanTest, NamesTheFolderAndItsAncestors) {
  const TPlanCase& c = GetParam();
  const TPathRewritePlan plan = MakePathRewritePlan(c.DocDir, c.Style);
  std::vector<std::string> own;
  for (const auto& r : plan.OwnFolder) {
    own.push_back(r.Search);
    EXPECT_EQ(r.Replacement, "");
  }
  EXPECT_EQ(own, c.OwnFolder);
  for (size_t i = 0; i < plan.Ancestors.size(); ++i) {
    std::vector<std::string> searches;
    for (const auto& r : plan.Ancestors[i]) {
      searches.push_back(r.Search);
      std::string prefix;
      for (size_t k = 0; k <= i; ++k) prefix += "../";
      EXPECT_NE(r.Replacement.find(prefix), std::string::npos);
    }
    const std::vector<std::string> expected =
        i < c.Ancestors.size() ? c.Ancestors[i] : std::vector<std::string>{};
    EXPECT_EQ(searches, expected) << "pass for i = " << i + 1;
  }
  EXPECT_EQ(plan.IgnoreCase, c.Style == Windows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathRewritePlanTest,
    testing::Values(TPlanCase{Windows,
                              "C:\\web\\site\\",
                              {"file:///C:\\web\\site\\", "file:///C:/web/site/"},
                              {{"C:\\web\\"}, {"C:\\"}}},
                    TPlanCase{Windows, "C:\\", {"file:///C:\\", "file:///C:/"}, {}},
                    TPlanCase{Windows, "", {}, {}},
                    TPlanCase{Posix,
                              "/home/u/web/site/",
                              {"file:///home/u/web/site/", "file:///home/u/web/site/"},
                              {{"file:///home/u/web/", "=\"/home/u/web/", "='/home/u/web/"},
                               {"file:///home/u/", "=\"/home/u/", "='/home/u/"},
                               {"file:///home/", "=\"/home/", "='/home/"}}},
                    TPlanCase{Posix,
                              "/home/u/web/site",
                              {"file:///home/u/web/site/", "file:///home/u/web/site/"},
                              {{"file:///home/u/web/", "=\"/home/u/web/", "='/home/u/web/"},
                               {"file:///home/u/", "=\"/home/u/", "='/home/u/"},
                               {"file:///home/", "=\"/home/", "='/home/"}}},
                    TPlanCase{Posix, "/", {"file:///", "file:///"}, {}},
                    TPlanCase{Posix, "temp/", {}, {}}, TPlanCase{Posix, "", {}, {}}));

}  // namespace
}  // namespace kv

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

// The folder named by the host: its bytes (UTF-8 here), and the page as Windows-1252 text.
struct THostCase {
  std::string Name;
  std::string DocDir;  // host bytes
  std::string Line;
  std::string Expected;
};

void PrintTo(const THostCase& c, std::ostream* os) {
  *os << c.Name;
}

class RewriteForHostFolderTest : public testing::TestWithParam<THostCase> {};

TEST_P(RewriteForHostFolderTest, Rewrites) {
  const THostCase& c = GetParam();
  const std::vector<std::string> out = RewriteSavedPage({c.Line}, THostPath::FromBytes(c.DocDir));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0], c.Expected);
  EXPECT_EQ(RewriteSavedText(c.Line, THostPath::FromBytes(c.DocDir)), c.Expected + "\r\n");
}

// "Łódź" as the host names it, and as a page holds it: "ó" is a Windows-1252 byte.
const std::string kLodz =
    "/home/u/\xC5\x81\xC3\xB3"
    "d\xC5\xBA/";
const std::string kLukasz = "/home/\xC5\x81ukasz/strona/";

INSTANTIATE_TEST_SUITE_P(
    BeyondWindows1252, RewriteForHostFolderTest,
    testing::Values(
        THostCase{"AsPageText", kLodz,
                  "<IMG src=\"file:///home/u/&#321;\xF3"
                  "d&#378;/p.gif\">",
                  "<IMG src=\"p.gif\">"},
        THostCase{"AsHexReferences", kLodz,
                  "<IMG src=\"file:///home/u/&#x141;\xF3"
                  "d&#X17a;/p.gif\">",
                  "<IMG src=\"p.gif\">"},
        THostCase{"PercentUpperCase", kLodz,
                  "<IMG src=\"file:///home/u/%C5%81%C3%B3d%C5%BA/p.gif\">", "<IMG src=\"p.gif\">"},
        THostCase{"PercentLowerCase", kLodz,
                  "<IMG src=\"file:///home/u/%c5%81%c3%b3d%c5%Ba/p.gif\">", "<IMG src=\"p.gif\">"},
        THostCase{"FormsMixedInOneName", kLodz,
                  "<IMG src=\"file:///home/u/%C5%81\xF3"
                  "d&#378;/p.gif\">",
                  "<IMG src=\"p.gif\">"},
        THostCase{"ScriptEscapes", kLodz,
                  "i.src = \"file:///home/u/\\u0141\xF3"
                  "d\\u017A/p.gif\";",
                  "i.src = \"p.gif\";"},
        THostCase{"StyleEscapes", kLodz,
                  "b { background: url(file:///home/u/\\000141\xF3"
                  "d\\00017a/p.gif) }",
                  "b { background: url(p.gif) }"},
        THostCase{"AnotherFolderStartingAlike", kLodz,
                  "<IMG src=\"file:///home/u/&#321;\xF3"
                  "d&#378;x/p.gif\">",
                  "<IMG src=\"../&#321;\xF3"
                  "d&#378;x/p.gif\">"},
        THostCase{"AnEncodedLetterNamesNoFolderOfOurs", kLodz,
                  "<IMG src=\"file:///h%6Fme/u/%C5%81%C3%B3%64%C5%BA/p.gif\">",
                  "<IMG src=\"file:///h%6Fme/u/%C5%81%C3%B3%64%C5%BA/p.gif\">"},
        THostCase{"AnEncodedSlashIsNoSeparator", kLodz,
                  "<IMG src=\"file:///home/u/%C5%81%C3%B3d%C5%BA%2Fp.gif\">",
                  "<IMG src=\"../%C5%81%C3%B3d%C5%BA%2Fp.gif\">"},
        THostCase{"AncestorAsPageText", kLukasz, "<IMG src=\"/home/&#321;ukasz/obrazy/a.gif\">",
                  "<IMG src=\"../obrazy/a.gif\">"},
        THostCase{"AncestorPercentEncoded", kLukasz,
                  "<IMG src=\"file:///home/%C5%81ukasz/obrazy/a.gif\">",
                  "<IMG src=\"../obrazy/a.gif\">"},
        THostCase{"NoPlainTextInTheFirstName", "/\xE6\x9D\xB1\xE4\xBA\xAC/site/",
                  "<A href=\"file:///%E6%9D%B1&#20140;/x.html\">", "<A href=\"../x.html\">"},
        THostCase{"BeyondTheBasicPlane", "/w/\xF0\x9F\x98\x80/",
                  "<IMG src=\"file:///w/&#128512;/a.gif\"> s='file:///w/\\uD83D\\uDE00/b.gif'",
                  "<IMG src=\"a.gif\"> s='b.gif'"},
        THostCase{"ALoneHalfIsNoCharacter", "/w/\xF0\x9F\x98\x80/", "s='file:///w/\\uD83D/b.gif'",
                  "s='../\\uD83D/b.gif'"}));

INSTANTIATE_TEST_SUITE_P(
    OddFolderNames, RewriteForHostFolderTest,
    testing::Values(
        THostCase{"AmpersandAsPageText", "/w/&/", "<IMG src=\"file:///w/&amp;/a.gif\">",
                  "<IMG src=\"a.gif\">"},
        THostCase{"AmpersandPercentEncoded", "/w/&/", "<IMG src=\"file:///w/%26/a.gif\">",
                  "<IMG src=\"a.gif\">"},
        THostCase{"AmpersandInAScript", "/w/&/", "s = \"file:///w/&/a.gif\";", "s = \"a.gif\";"},
        THostCase{"LiteralAmpNamesTheAmpersandFolder", "/w/&amp;/",
                  "<IMG src=\"file:///w/&amp;/a.gif\">", "<IMG src=\"../&amp;/a.gif\">"},
        THostCase{"LiteralAmpAsPageText", "/w/&amp;/", "<IMG src=\"file:///w/&amp;amp;/a.gif\">",
                  "<IMG src=\"a.gif\">"},
        // In a script the same text is the folder's own name; read as a reference it names a
        // sibling, and the address made relative through the parent still reaches the file.
        THostCase{"LiteralAmpInAScriptStaysWorking", "/w/&amp;/", "s = 'file:///w/&amp;/a.gif';",
                  "s = '../&amp;/a.gif';"},
        THostCase{"LiteralReferenceNamesTheLetter", "/w/&#321;/",
                  "<IMG src=\"file:///w/&#321;/a.gif\">", "<IMG src=\"../&#321;/a.gif\">"},
        THostCase{"LiteralReferenceAsPageText", "/w/&#321;/",
                  "<IMG src=\"file:///w/&amp;#321;/a.gif\">", "<IMG src=\"a.gif\">"},
        THostCase{"LiteralReferencePercentEncoded", "/w/&#321;/",
                  "<IMG src=\"file:///w/%26%23321%3b/a.gif\">", "<IMG src=\"a.gif\">"},
        THostCase{"Blank", "/w/a b/",
                  "<IMG src=\"file:///w/a b/1.gif\"> <IMG src=\"/w/a%20b/2.gif\">",
                  "<IMG src=\"1.gif\"> <IMG src=\"../a%20b/2.gif\">"},
        THostCase{"PlusIsNoBlank", "/w/a b/", "<IMG src=\"file:///w/a+b/1.gif\">",
                  "<IMG src=\"../a+b/1.gif\">"},
        THostCase{"PercentSign", "/w/100%/",
                  "<IMG src=\"file:///w/100%/1.gif\"> <IMG src=\"file:///w/100%25/2.gif\">",
                  "<IMG src=\"1.gif\"> <IMG src=\"2.gif\">"},
        THostCase{"PercentWithHexDigitsIsAnEscape", "/w/%41/",
                  "<IMG src=\"file:///w/%41/1.gif\"> <IMG src=\"file:///w/%2541/2.gif\">",
                  "<IMG src=\"../%41/1.gif\"> <IMG src=\"2.gif\">"},
        THostCase{"Colon", "/w/c:d/",
                  "<IMG src=\"file:///w/c:d/1.gif\"> <IMG src=\"file:///w/c%3Ad/2.gif\">",
                  "<IMG src=\"1.gif\"> <IMG src=\"2.gif\">"},
        THostCase{"Quote", "/w/a\"b/", "<IMG src=\"file:///w/a&quot;b/1.gif\" title=%22>",
                  "<IMG src=\"1.gif\" title=%22>"},
        THostCase{"LineBreak", "/w/a\nb/", "<IMG src=\"file:///w/a%0Ab/1.gif\">",
                  "<IMG src=\"1.gif\">"},
        THostCase{"BackslashIsACharacterOfTheName", "/w/a\\b/",
                  "<IMG src=\"file:///w/a\\b/1.gif\"> <IMG src=\"file:///w/a/b/2.gif\">",
                  "<IMG src=\"1.gif\"> <IMG src=\"../a/b/2.gif\">"},
        THostCase{
            "NotUtf8OnlyPercentEncoded", "/w/\xFF/",
            "<IMG src=\"file:///w/%ff/1.gif\"> <IMG src=\"file:///w/\xFF/2.gif\"> "
            "<IMG src=\"file:///w/&#65533;/3.gif\">",
            "<IMG src=\"1.gif\"> <IMG src=\"../\xFF/2.gif\"> <IMG src=\"../&#65533;/3.gif\">"},
        THostCase{"ReferenceAt128IsTheWindows1252Character", "/w/\xE2\x82\xAC/",
                  "<IMG src=\"file:///w/&#128;/1.gif\"> <IMG src=\"file:///w/\x80/2.gif\">",
                  "<IMG src=\"1.gif\"> <IMG src=\"2.gif\">"},
        THostCase{"UnfinishedReferencesAndEscapes", "/w/&#/",
                  "a file:///w/&# b file:///w/&#/1.gif c file:///w/\\u12 d file:///w/%4",
                  "a ../&# b 1.gif c ../\\u12 d ../%4"}));

TEST(RewriteForHostFolderTest, FormsMixedInOnePage) {
  const std::string page =
      "<P><IMG src=\"file:///home/u/&#321;\xF3"
      "d&#378;/a.gif\">\r\n"
      "<IMG src=\"file:///home/u/%C5%81%C3%B3d%C5%BA/b.gif\"><IMG src=\"/home/u/c.gif\">\r\n"
      "<A href=\"https://example.org/home/u/\">/home/u/ &#321;\xF3"
      "d&#378;</A>\r\n"
      "<SCRIPT>s = 'file:///home/u/\\u0141\xF3"
      "d\\u017A/d.gif';</SCRIPT>\r\n";
  const std::string expected =
      "<P><IMG src=\"a.gif\">\r\n"
      "<IMG src=\"b.gif\"><IMG src=\"../c.gif\">\r\n"
      "<A href=\"https://example.org/home/u/\">/home/u/ &#321;\xF3"
      "d&#378;</A>\r\n"
      "<SCRIPT>s = 'd.gif';</SCRIPT>\r\n";
  EXPECT_EQ(RewriteSavedText(page, THostPath::FromBytes(kLodz)), expected);
}

// For a folder of plain letters the page comes out as it always did, byte for byte.
TEST(RewriteForHostFolderTest, PlainFoldersAsBefore) {
  const std::vector<std::string> lines = {
      "<IMG src=\"file:///home/u/web/site/pic.gif\"> <IMG src='/home/u/x.gif'>",
      "<A href=\"https://example.org/home/u/web/\">/home/u/web/</A>",
      "file://file:///home/u/web/site//home/u/web/site/x.gif",
      "<IMG src=\"file:///home/u/web/%73ite/a.gif\"> src=\"/home/u/web/site/b.gif\"",
      "<IMG src=\"/a/b/c/d/e/f/x.gif\"> <IMG src=\"C:\\web\\y.gif\">",
      "<META NAME=KEYWORDS content=a,b>",
      "<IMG src=\"file:///etc/a.gif\"> file:///temp/b.gif src=\"temp/c.gif\""};
  for (const std::string dir :
       {"/home/u/web/site/", "/home/u/web/site", "/", "/a/b/c/d/e/f/g/", "temp/", ""}) {
    std::string page;
    for (const auto& l : lines) page += l + "\r\n";
    EXPECT_EQ(RewriteSavedText(page, THostPath::FromBytes(dir)), RewriteSavedText(page, dir, Posix))
        << dir;
    EXPECT_EQ(RewriteSavedPage(lines, THostPath::FromBytes(dir)),
              RewriteSavedPage(lines, dir, Posix))
        << dir;
  }
}

TEST(HostPathRewritePlanTest, NamesTheFolderAndItsAncestors) {
  const THostPathRewritePlan plan = MakePathRewritePlan(THostPath::FromBytes(kLukasz));
  ASSERT_EQ(plan.OwnFolder.size(), 2u);
  for (const auto& r : plan.OwnFolder) {
    EXPECT_EQ(r.Lead, "file://");
    EXPECT_EQ(r.Path.Bytes(), kLukasz);
    EXPECT_EQ(r.Replacement, "");
  }
  const std::vector<std::pair<std::string, std::string>> ancestors = {
      {"/home/\xC5\x81ukasz/", "../"}, {"/home/", "../../"}};
  for (size_t i = 0; i < plan.Ancestors.size(); ++i) {
    if (i >= ancestors.size()) {
      EXPECT_TRUE(plan.Ancestors[i].empty());
      continue;
    }
    ASSERT_EQ(plan.Ancestors[i].size(), 3u);
    const auto& [path, prefix] = ancestors[i];
    const std::string leads[] = {"file://", "=\"", "='"};
    const std::string replacements[] = {prefix, "=\"" + prefix, "='" + prefix};
    for (size_t k = 0; k < 3; ++k) {
      EXPECT_EQ(plan.Ancestors[i][k].Lead, leads[k]);
      EXPECT_EQ(plan.Ancestors[i][k].Path.Bytes(), path);
      EXPECT_EQ(plan.Ancestors[i][k].Replacement, replacements[k]);
    }
  }
  // A backslash is part of a name: the folder with a slash in its place is another one.
  EXPECT_EQ(MakePathRewritePlan(THostPath::FromBytes("/w/a\\b/")).OwnFolder.size(), 1u);
  EXPECT_TRUE(MakePathRewritePlan(THostPath::FromBytes("temp/")).OwnFolder.empty());
  EXPECT_TRUE(MakePathRewritePlan(THostPath()).OwnFolder.empty());
}

}  // namespace
}  // namespace kv

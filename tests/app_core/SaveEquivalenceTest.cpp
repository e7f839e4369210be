// The in-memory rewriting must write exactly the bytes the straightforward ten file passes
// write, on realistic pages and on lines made of the fragments the passes react to.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestEnv.h"
#include "app/core/PageRewrite.h"
#include "app/core/SaveDocument.h"
#include "app/core/reference/FilePassSave.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"
#include "support/StringTools.h"

namespace kv {
namespace {

using enum TPathStyle;

struct TFolderCase {
  TPathStyle Style;
  std::string DocDir;
};

void PrintTo(const TFolderCase& c, std::ostream* os) {
  *os << (c.Style == Windows ? "Windows '" : "Posix '") << c.DocDir << "'";
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(AsPath(path), bytes)) << path;
  return SplitLines(bytes);
}

std::vector<std::string> FragmentLines(unsigned seed, int count) {
  static const std::vector<std::string> fragments = {"<META NAME=KEYWORDS",
                                                     "<meta name=Description",
                                                     "<META NAME=AUTHOR",
                                                     "<Meta Name=COPYRIGHT",
                                                     " content=",
                                                     "CONTENT=",
                                                     ">",
                                                     "\"",
                                                     "'",
                                                     "\">",
                                                     "src=\"",
                                                     "SRC=\"",
                                                     "src=",
                                                     "=\"",
                                                     "='",
                                                     "file:///",
                                                     "file://",
                                                     "FILE:///",
                                                     "C:\\",
                                                     "c:\\web\\",
                                                     "C:\\web\\site\\",
                                                     "C:/web/site/",
                                                     "C:\\Web\\Site\\",
                                                     "d:\\",
                                                     "D:\\",
                                                     "H:\\",
                                                     "i:\\",
                                                     "k:\\",
                                                     "\\",
                                                     "/",
                                                     "/home/",
                                                     "/home/u/",
                                                     "/home/u/web/",
                                                     "/home/u/web/site/",
                                                     "/home/U/",
                                                     "home",
                                                     "u/",
                                                     "web",
                                                     "site",
                                                     "<img ",
                                                     "<p>",
                                                     "x.gif",
                                                     "\xE4",
                                                     "\xC4",
                                                     "\xFF",
                                                     "\x9F",
                                                     std::string(1, '\0'),
                                                     "\r",
                                                     "\n",
                                                     "\r\n",
                                                     "\xC3\xA4",
                                                     "\xE2\x82",
                                                     " ",
                                                     "../",
                                                     "C:\\a\\b\\c\\d\\e\\f\\",
                                                     "/a/b/c/d/e/f/g/",
                                                     "file:///C:\\a\\b\\"};
  std::mt19937 random(seed);
  std::uniform_int_distribution<size_t> pick(0, fragments.size() - 1);
  std::uniform_int_distribution<int> length(0, 14);
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::string line;
    for (int n = length(random); n > 0; --n) line += fragments[pick(random)];
    lines.push_back(line);
  }
  return lines;
}

class SaveEquivalenceTest : public testing::TestWithParam<TFolderCase> {
 protected:
  static void SetUpTestSuite() { InitReplaceNoCase(); }

  void ExpectSameBytes(const std::vector<std::string>& lines) {
    const TFolderCase& c = GetParam();
    const std::string reference = folder_.File("reference.html");
    const std::string ours = folder_.File("ours.html");
    SaveByFilePasses(reference, lines, c.DocDir, c.Style);
    WriteSavedPage(AsPath(ours), RewriteSavedPage(lines, c.DocDir, c.Style));
    std::string expected, actual;
    ASSERT_TRUE(ReadFileBytes(AsPath(reference), expected));
    ASSERT_TRUE(ReadFileBytes(AsPath(ours), actual));
    ASSERT_EQ(actual.size(), expected.size());
    // Compared line by line first, so that a difference is shown where it is.
    const auto e = SplitLines(expected), a = SplitLines(actual);
    for (size_t i = 0; i < e.size() && i < a.size(); ++i) ASSERT_EQ(a[i], e[i]) << "line " << i;
    EXPECT_EQ(actual, expected);
    // The page as one text, as the engine hands it over, is written the same.
    const std::string viaText = folder_.File("text.html");
    SaveBytesToFile(AsPath(viaText), RewriteSavedText(JoinSavedLines(lines), c.DocDir, c.Style));
    std::string fromText;
    ASSERT_TRUE(ReadFileBytes(AsPath(viaText), fromText));
    EXPECT_EQ(fromText, expected);
  }

  test::TTempFolder folder_;
};

TEST_P(SaveEquivalenceTest, RealisticPages) {
  for (const char* name : {"windows_page.html", "linux_page.html"})
    ExpectSameBytes(ReadLines(std::string(KV_TEST_DATA_DIR) + "/" + name));
}

TEST_P(SaveEquivalenceTest, LinesOfTrickyFragments) {
  for (unsigned seed = 1; seed <= 4; ++seed) ExpectSameBytes(FragmentLines(seed, 1500));
}

TEST_P(SaveEquivalenceTest, APageLongEnoughToBeRewrittenInTwoHalves) {
  std::vector<std::string> lines = FragmentLines(5, 12000);
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  ASSERT_GT(size, 1u << 18);
  ExpectSameBytes(lines);
}

TEST_P(SaveEquivalenceTest, EmptyPageAndEmptyLines) {
  ExpectSameBytes({});
  ExpectSameBytes({""});
  ExpectSameBytes({"", "", "x", ""});
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SaveEquivalenceTest,
    testing::Values(TFolderCase{Windows, "C:\\web\\site\\"}, TFolderCase{Windows, "C:\\"},
                    TFolderCase{Windows, "c:\\WEB\\Site\\"},
                    TFolderCase{Windows, "C:\\a\\b\\c\\d\\e\\f\\g\\"},
                    TFolderCase{Windows,
                                "C:\\Eigene Dateien\\\xDC"
                                "bung.1\\"},
                    TFolderCase{Windows, "temp\\"}, TFolderCase{Windows, ""},
                    TFolderCase{Posix, "/home/u/web/site/"}, TFolderCase{Posix, "/home/u/web/site"},
                    TFolderCase{Posix, "/"}, TFolderCase{Posix, "/a/b/c/d/e/f/g/"},
                    TFolderCase{Posix, "/home/u/Mein Web/\xC4rger/"}, TFolderCase{Posix, "temp/"},
                    TFolderCase{Posix, ""}));

}  // namespace
}  // namespace kv

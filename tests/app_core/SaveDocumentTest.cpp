#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TestEnv.h"
#include "app/core/PageRewrite.h"
#include "app/core/SaveDocument.h"
#include "platform/classes/Exception.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"
#include "support/StringTools.h"

namespace kv {
namespace {

using enum TPathStyle;

class SaveDocumentTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitReplaceNoCase(); }

  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(AsPath(path), bytes)) << path;
    return bytes;
  }

  test::TTempFolder folder_;
};

TEST_F(SaveDocumentTest, EveryLineEndsWithCrLf) {
  const std::string path = folder_.File("page.html");
  WriteSavedPage(AsPath(path), {"<HTML>", "", "</HTML>"});
  EXPECT_EQ(Read(path), "<HTML>\r\n\r\n</HTML>\r\n");
  WriteSavedPage(AsPath(path), {});
  EXPECT_EQ(Read(path), "");
}

TEST_F(SaveDocumentTest, FailureNamesTheFileAndKeepsTheOldOne) {
  const std::string dir = folder_.File("site/");
  ASSERT_TRUE(ForceDirectories(AsPath(dir)));
  const std::string path = dir + "index.html";
  ASSERT_TRUE(WriteFileBytes(AsPath(path), "old page"));
  ::chmod(dir.c_str(), 0555);
  try {
    SaveRewrittenPage(AsPath(path), {"<HTML>new</HTML>"}, AsPath(dir));
    FAIL() << "saved into a read-only folder";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message.find("Datei " + path + " kann nicht erstellt werden"), std::string::npos)
        << e.Message;
    EXPECT_GT(e.Message.size(), FrameworkText::FileCreateError(AsPath(path)).size() + 2)
        << "no reason";
  }
  EXPECT_EQ(Read(path), "old page");
  ::chmod(dir.c_str(), 0755);
  ::chmod(path.c_str(), 0444);
  EXPECT_THROW(WriteSavedPage(AsPath(path), {"x"}), EFCreateError);
  EXPECT_EQ(Read(path), "old page");
}

// Pages the engine may hand over in any shape: each is saved whole, nothing lost.
struct TBadInput {
  std::string Name;
  std::vector<std::string> Lines;
};

void PrintTo(const TBadInput& c, std::ostream* os) {
  *os << c.Name;
}

std::vector<std::string> ManyLines(int n) {
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i)
    lines.push_back("<P>Zeile " + std::to_string(i) + " \xE4\xF6\xFC</P>");
  return lines;
}

class SaveBadInputTest : public testing::TestWithParam<TBadInput> {
 protected:
  static void SetUpTestSuite() { InitReplaceNoCase(); }
  test::TTempFolder folder_;
};

TEST_P(SaveBadInputTest, SavesWithoutLosingText) {
  const std::string path = folder_.File("page.html");
  SaveRewrittenPage(AsPath(path), GetParam().Lines, AsPath(folder_.Dir()));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(AsPath(path), bytes));
  // None of these lines holds anything the rewriting reacts to, so they come back unchanged.
  EXPECT_EQ(bytes, JoinSavedLines(GetParam().Lines));
  TStringList reread;
  reread.LoadFromFile(AsPath(path));
  EXPECT_EQ(reread.Count(), static_cast<int>(GetParam().Lines.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveBadInputTest,
    testing::Values(
        TBadInput{"VeryLongLine", {std::string(3 << 20, 'x') + "<B>" + std::string(1000, 'y')}},
        TBadInput{"NulBytes", {std::string("a\0b\0", 4), std::string(1, '\0'), "c"}},
        TBadInput{"InvalidUtf8", {"\xC3\x28 \xE2\x82 \xFF\xFE \xF0\x9F", "\x80\x81\x8D\x8F"}},
        TBadInput{"NoHeadNoBody", {"Nur Text, kein <HTML>"}}, TBadInput{"NothingAtAll", {}},
        TBadInput{"HundredThousandLines", ManyLines(100000)},
        // Umlauts in Windows-1252 and a character outside it as the engine writes it.
        TBadInput{"UmlautsAndReferences",
                  {"<P>Gr\xF6\xDF"
                   "e \x80 &#8364; &#x4E2D; &#128512;</P>"}}));

}  // namespace
}  // namespace kv

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Words.h"

namespace kv {
namespace {

struct TWordsCase {
  std::string Text;
  std::string Delimiters;
  std::vector<std::string> Words;
};

void PrintTo(const TWordsCase& c, std::ostream* os) {
  *os << "'" << c.Text << "' / '" << c.Delimiters << "'";
}

class WordsTest : public testing::TestWithParam<TWordsCase> {};

TEST_P(WordsTest, CountsFindsAndReturnsEveryWord) {
  const TWordsCase& c = GetParam();
  ASSERT_EQ(CountWords(c.Text, c.Delimiters), static_cast<int>(c.Words.size()));
  for (size_t i = 0; i < c.Words.size(); ++i) {
    const int n = static_cast<int>(i + 1);
    EXPECT_EQ(GetNthWord(n, c.Text, c.Delimiters), c.Words[i]) << "word " << n;
    const TWordPosition at = FindWordStart(n, c.Text, c.Delimiters);
    ASSERT_TRUE(at.Found);
    EXPECT_EQ(c.Text.compare(static_cast<size_t>(at.Position - 1), c.Words[i].size(), c.Words[i]),
              0);
  }
  const int past = static_cast<int>(c.Words.size()) + 1;
  EXPECT_FALSE(FindWordStart(past, c.Text, c.Delimiters).Found);
  EXPECT_EQ(GetNthWord(past, c.Text, c.Delimiters), "");
  EXPECT_FALSE(FindWordStart(0, c.Text, c.Delimiters).Found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordsTest,
    testing::Values(TWordsCase{"C:\\web\\site\\", "\\", {"C:", "web", "site"}},
                    // Runs of delimiters and leading ones make no empty words.
                    TWordsCase{"\\\\server\\\\share\\", "\\", {"server", "share"}},
                    TWordsCase{"/home/u/web/site/", "/", {"home", "u", "web", "site"}},
                    TWordsCase{"", "\\", {}}, TWordsCase{"\\\\\\", "\\", {}},
                    TWordsCase{"no delimiter", "\\", {"no delimiter"}},
                    // The value between the quotes is the second word.
                    TWordsCase{"<meta name=\"author\" content=\"Max M\xFCller\">",
                               "\"",
                               {"<meta name=", "author", " content=", "Max M\xFCller", ">"}},
                    // Adjacent quotes: the second word is the one after the closing quote.
                    TWordsCase{"content=\"\" x=\"y\"", "\"", {"content=", " x=", "y"}},
                    TWordsCase{" ,a,, b ,", " ,", {"a", "b"}},
                    TWordsCase{"Titel<b>", "<", {"Titel", "b>"}},
                    TWordsCase{std::string("a\0b", 3), std::string("\0", 1), {"a", "b"}},
                    TWordsCase{"abc", "", {"abc"}}));

TEST(FindWordStartTest, ReportsOneBasedPositions) {
  const TWordPosition second = FindWordStart(2, "  ab  cd", " ");
  EXPECT_TRUE(second.Found);
  EXPECT_EQ(second.Position, 7);
  EXPECT_EQ(FindWordStart(1, "ab", " ").Position, 1);
}

}  // namespace
}  // namespace kv

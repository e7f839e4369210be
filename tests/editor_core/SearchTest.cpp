#include <gtest/gtest.h>

#include "MemoFixture.h"

namespace kv::test {
namespace {

class SearchTest : public MemoTest {
 protected:
  // The selection as "line:start-end", or "none".
  std::string Selection() const {
    if (memo.SelectionEmpty()) return "none";
    const TTextRange s = memo.Selection();
    return std::to_string(s.Start.Line) + ":" + std::to_string(s.Start.Col) + "-" +
           std::to_string(s.End.Col);
  }
};

TEST_F(SearchTest, RepeatedForwardSearchWalksThroughMatches) {
  Load({"abab", "x", "zab"});
  memo.SetCaret({0, 0});
  EXPECT_EQ(memo.SearchText("ab", frDown), 0);
  EXPECT_EQ(Selection(), "0:0-2");
  EXPECT_EQ(memo.SearchText("ab", frDown), 2);
  EXPECT_EQ(Selection(), "0:2-4");
  EXPECT_EQ(memo.SearchText("ab", frDown), 6 + 3 + 1);
  EXPECT_EQ(Selection(), "2:1-3");
  EXPECT_EQ(memo.CaretX(), 1);
  EXPECT_EQ(memo.SearchText("ab", frDown), -1);
  EXPECT_EQ(Selection(), "none");
  EXPECT_EQ(memo.CaretY(), 2);
}

TEST_F(SearchTest, BackwardSearchFindsLastMatchLeftOfCaret) {
  Load({"ab ab", "ab ab ab ab"});
  memo.SetCaret({1, 7});
  memo.CollapseSelection();
  EXPECT_GE(memo.SearchText("ab", 0), 0);
  EXPECT_EQ(Selection(), "1:3-5");
  memo.SearchText("ab", 0);
  EXPECT_EQ(Selection(), "1:0-2");
  memo.SearchText("ab", 0);
  EXPECT_EQ(Selection(), "0:3-5");
}

struct OptionCase {
  const char* line;
  const char* text;
  TFindOptions options;
  int column;  // -1: not found
};

class SearchOptionTest : public SearchTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(SearchOptionTest, FindsAsOptionsSay) {
  Load({GetParam().line});
  memo.SetCaret({0, 0});
  EXPECT_EQ(memo.SearchText(GetParam().text, GetParam().options), GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(Options, SearchOptionTest,
                         ::testing::Values(OptionCase{"<body>", "BODY", frDown, 1},
                                           OptionCase{"<body>", "BODY", frDown | frMatchCase, -1},
                                           OptionCase{"<BODY>", "BODY", frDown | frMatchCase, 1},
                                           OptionCase{"cat", "a", frDown | frWholeWord, -1},
                                           OptionCase{"x a y", "a", frDown | frWholeWord, 2},
                                           OptionCase{"a b", "a", frDown | frWholeWord, 0},
                                           OptionCase{"b a", "a", frDown | frWholeWord, 2},
                                           OptionCase{"cat a", "a", frDown | frWholeWord, 4},
                                           OptionCase{"a<b>", "a", frDown | frWholeWord, 0},
                                           OptionCase{"\xC4rger \xE4rger", "\xC4RGER", frDown, 0},
                                           OptionCase{"text", "", frDown, -1}));

TEST_F(SearchTest, MatchOnShortLineIsNotPadded) {
  Load({"a line long enough to hold the caret far right", "xy ab"});
  memo.SetCaret({0, 40});
  memo.CollapseSelection();
  EXPECT_GE(memo.SearchText("ab", frDown), 0);
  EXPECT_EQ(memo.Line(1), "xy ab");
  EXPECT_EQ(Selection(), "1:3-5");
}

TEST_F(SearchTest, FailedSearchKeepsCaretAndClearsSelection) {
  Load({"abc", "def"});
  memo.SetSelection({0, 0}, {1, 1});  // the caret ends the selection
  EXPECT_EQ(memo.SearchText("zzz", frDown), -1);
  EXPECT_EQ(memo.CaretX(), 1);
  EXPECT_EQ(memo.CaretY(), 1);
  EXPECT_EQ(Selection(), "none");
}

}  // namespace
}  // namespace kv::test

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/StringTools.h"

namespace kv {
namespace {

struct TReplaceCase {
  std::string Name;
  std::string Text;
  std::string Search;
  std::string Replacement;
  bool All;
  bool IgnoreCase;
  std::string Expected;
};

void PrintTo(const TReplaceCase& c, std::ostream* os) {
  *os << c.Name;
}

class ReplaceNoCaseTest : public testing::TestWithParam<TReplaceCase> {
 protected:
  static void SetUpTestSuite() { InitReplaceNoCase(); }
};

TEST_P(ReplaceNoCaseTest, Replaces) {
  const TReplaceCase& c = GetParam();
  std::string text = c.Text;
  ReplaceNoCase(text, c.Search, c.Replacement, c.All, c.IgnoreCase);
  EXPECT_EQ(text, c.Expected);
  // The prepared search gives the same result.
  if (!c.Search.empty()) {
    std::string again = c.Text;
    TSearchPattern(c.Search, c.IgnoreCase).ReplaceIn(again, c.Replacement, c.All);
    EXPECT_EQ(again, c.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceNoCaseTest,
    testing::Values(
        TReplaceCase{"UpperCaseContent", "<META NAME=KEYWORDS CONTENT=foo>",
                     "content=", "content=\"", true, true, "<META NAME=KEYWORDS content=\"foo>"},
        TReplaceCase{"EveryOccurrence", "a>b>c>", ">", "\">", true, true, "a\">b\">c\">"},
        TReplaceCase{"NonOverlapping", "aaaaa", "aa", "b", true, true, "bba"},
        TReplaceCase{"ResultNotSearchedAgain", "aXa", "a", "aa", true, true, "aaXaa"},
        TReplaceCase{"Umlauts", "\xC4rger \xE4rger \xC4RGER", "\xE4rger", "x", true, true, "x x x"},
        TReplaceCase{"YDiaeresisFoldsToItsCapital", "\xFF", "\x9F", "y", true, true, "y"},
        TReplaceCase{"SharpSHasNoCapital",
                     "stra\xDF"
                     "e",
                     "STRASSE", "x", true, true,
                     "stra\xDF"
                     "e"},
        TReplaceCase{"FirstOnly", "abab", "B", "X", false, true, "aXab"},
        TReplaceCase{"CaseKept", "ABab", "ab", "X", true, false, "ABX"},
        TReplaceCase{"NoMatch", "hello", "xyz", "q", true, true, "hello"},
        TReplaceCase{"SearchLongerThanText", "ab", "abc", "q", true, true, "ab"},
        TReplaceCase{"MatchAtTheEnd", "xxab", "AB", "q", true, true, "xxq"},
        TReplaceCase{"Removal", "file:///C:\\web\\pic.gif", "FILE:///c:\\WEB\\", "", true, true,
                     "pic.gif"},
        TReplaceCase{"ZeroBytesAreCharacters", std::string("a\0b\0a", 5), "A", "c", true, true,
                     std::string("c\0b\0c", 5)},
        TReplaceCase{"ZeroByteInSearch", std::string("x\0y", 3), std::string("\0Y", 2), "-", true,
                     true, "x-"},
        TReplaceCase{"EmptyTextEmptySearch", "", "", "r", true, true, "r"}));

TEST(ReplaceNoCaseErrorTest, BlankSearchOnTextFails) {
  std::string text = "abc";
  try {
    ReplaceNoCase(text, "", "x");
    FAIL() << "no error";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Search string cannot be blank");
  }
  EXPECT_EQ(text, "abc");
  EXPECT_THROW(TSearchPattern(""), std::invalid_argument);
}

TEST(ReplaceNoCaseTableTest, BuiltOnceAndUpperCasesWindows1252) {
  InitReplaceNoCase();
  InitReplaceNoCase();  // a second start-up call changes nothing
  EXPECT_EQ(ReplaceCaseUpper('a'), 'A');
  EXPECT_EQ(ReplaceCaseUpper(0xE4), 0xC4);  // ä
  EXPECT_EQ(ReplaceCaseUpper(0xFC), 0xDC);  // ü
  EXPECT_EQ(ReplaceCaseUpper(0x9A), 0x8A);  // š
  EXPECT_EQ(ReplaceCaseUpper(0xDF), 0xDF);  // ß
  EXPECT_EQ(ReplaceCaseUpper(0xF7), 0xF7);  // ÷
  EXPECT_EQ(ReplaceCaseUpper('1'), '1');
}

TEST(SearchPatternTest, FindsFromAnOffset) {
  const TSearchPattern p("Ab");
  EXPECT_EQ(p.Find("xxaBxxAB"), 2u);
  EXPECT_EQ(p.Find("xxaBxxAB", 3), 6u);
  EXPECT_EQ(p.Find("xxaBxxAB", 7), std::string_view::npos);
  EXPECT_EQ(p.Find(""), std::string_view::npos);
  EXPECT_TRUE(TSearchPattern("=").Occurs("a=b"));
}

}  // namespace
}  // namespace kv

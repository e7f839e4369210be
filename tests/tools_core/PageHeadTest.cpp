// Reading and writing the page head as the meta tag window does, on fixture pages.
#include <gtest/gtest.h>

#include <optional>

#include "support/CharacterReferences.h"
#include "support/Cp1252.h"
#include "support/StringTools.h"
#include "tools/core/PageHead.h"

namespace kv {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string Text(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

// One visit of the window: read the snapshot, then write it back with values (those read when
// none are given), as OK does.
std::string Visit(std::string_view page, const std::optional<THeadValues>& typed = {}) {
  const THeadReading read = ReadPageHead(Lines(page));
  const std::vector<std::string> work = AddMissingHeadItems(read.Lines, read.Xhtml);
  return Text(WritePageHead(work, typed ? *typed : read.Values, read.Xhtml));
}

constexpr std::string_view kSavedPage =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
    "<HTML>\n"
    "<HEAD>\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
    "<TITLE>Meine Seite</TITLE>\n"
    "<META NAME=AUTHOR CONTENT=\"Anna\">\n"
    "<META NAME=DESCRIPTION CONTENT=\"\">\n"
    "<META NAME=KEYWORDS CONTENT=\"\">\n"
    "<META NAME=COPYRIGHT CONTENT=\"Anna, 2011\">\n"
    "<META NAME=GENERATOR CONTENT=\"MSHTML 11.00.10570.1001\">\n"
    "</HEAD>\n"
    "<BODY>\n"
    "<P>Hallo</P></BODY>\n"
    "</HTML>\n";

TEST(PageHead, ReadsTheValuesOfAPageAsTheEngineSavesIt) {
  InitReplaceNoCase();
  const THeadReading read = ReadPageHead(Lines(kSavedPage));
  EXPECT_EQ(read.Values, (THeadValues{"Meine Seite", "Anna", " ", " ", "Anna, 2011"}));
  EXPECT_FALSE(read.Xhtml);
  // Empty values got a blank, so that the value between the quotes can be read.
  EXPECT_EQ(read.Lines[6], "<META NAME=DESCRIPTION content=\" \">");
  EXPECT_EQ(read.Lines.size(), Lines(kSavedPage).size());

  // Saved unchanged: description (also author and copyright) lose the blank again, keywords
  // keep it; nothing else changes.
  std::string expected(kSavedPage);
  ReplaceNoCase(expected, "KEYWORDS CONTENT=\"\"", "KEYWORDS CONTENT=\" \"");
  EXPECT_EQ(Visit(kSavedPage), expected);
}

struct THeadCase {
  const char* name;
  std::string page;
  std::optional<THeadValues> typed;
  std::string written;
};

void PrintTo(const THeadCase& c, std::ostream* os) {
  *os << c.name;
}

class PageHeadCases : public testing::TestWithParam<THeadCase> {
 protected:
  void SetUp() override { InitReplaceNoCase(); }
};

TEST_P(PageHeadCases, WritesTheHeadAsExpected) {
  EXPECT_EQ(Visit(GetParam().page, GetParam().typed), GetParam().written);
}

const THeadValues kNew{"Neu", "Bea", "Beschreibung", "a, b", "Bea 2024"};

INSTANTIATE_TEST_SUITE_P(
    FixturePages, PageHeadCases,
    testing::Values(
        THeadCase{"XhtmlClosingsOnTheMetaLinesWritten",
                  "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"x.dtd\">\n"
                  "<HEAD>\n<TITLE>T</TITLE>\n<META NAME=AUTHOR CONTENT=\"A\">\n"
                  "<link rel=\"stylesheet\" href=\"s.css\" />\n"
                  "<META NAME=GENERATOR CONTENT=\"MSHTML 11\">\n</HEAD>\n",
                  kNew,
                  "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"x.dtd\">\n"
                  "<HEAD>\n<TITLE>Neu</TITLE>\n<META NAME=AUTHOR CONTENT=\"Bea\" />\n"
                  "<META NAME=DESCRIPTION CONTENT=\"Beschreibung\" />\n"
                  "<META NAME=COPYRIGHT CONTENT=\"Bea 2024\" />\n"
                  "<META NAME=KEYWORDS CONTENT=\"a, b\" />\n"
                  "<link rel=\"stylesheet\" href=\"s.css\" />\n"
                  "<META NAME=GENERATOR CONTENT=\"MSHTML 11\">\n</HEAD>\n"},
        THeadCase{"EveryEmptyContentGetsABlankWhenRead",
                  "<META http-equiv=refresh CoNtEnT=\"\">\n<META NAME=AUTHOR CONTENT=\"\">\n",
                  std::nullopt,
                  "<META http-equiv=refresh content=\" \">\n<META NAME=AUTHOR CONTENT=\"\">\n"},
        THeadCase{"AnUnquotedMetaLineIsJoinedWithTheNextAndStaysJoined",
                  "<HEAD>\n<META NAME=KEYWORDS CONTENT=\n\"x, y\">\n<P>\n", std::nullopt,
                  "<HEAD>\n<META NAME=KEYWORDS CONTENT=\"x, y\">\n<P>\n"},
        THeadCase{"MissingItemsStackAboveTheLineBeforeTheGenerator",
                  "<HTML>\n<HEAD>\n<META http-equiv=\"Content-Type\" content=\"text/html\">\n"
                  "<META NAME=GENERATOR CONTENT=\"MSHTML 11\">\n</HEAD>\n",
                  THeadValues{"Neu", "", "", "", ""},
                  "<HTML>\n<HEAD>\n<TITLE>Neu</TITLE>\n<META NAME=DESCRIPTION CONTENT=\"\">\n"
                  "<META NAME=AUTHOR CONTENT=\"\">\n<META NAME=COPYRIGHT CONTENT=\"\">\n"
                  "<META NAME=KEYWORDS CONTENT=\"\">\n"
                  "<META http-equiv=\"Content-Type\" content=\"text/html\">\n"
                  "<META NAME=GENERATOR CONTENT=\"MSHTML 11\">\n</HEAD>\n"},
        THeadCase{"WithoutAGeneratorLineMissingItemsStayMissing",
                  "<HTML><HEAD></HEAD>\n<BODY>Text</BODY></HTML>\n", kNew,
                  "<HTML><HEAD></HEAD>\n<BODY>Text</BODY></HTML>\n"},
        THeadCase{"AGeneratorOnTheFirstLineTakesThePlaceholdersAboveIt",
                  "<META NAME=GENERATOR CONTENT=\"MSHTML 11\"><TITLE>x</TITLE>\n"
                  "<META NAME=AUTHOR CONTENT=\"a\">\n<META NAME=DESCRIPTION CONTENT=\"d\">\n"
                  "<META NAME=KEYWORDS CONTENT=\"k\">\n",
                  kNew,
                  "<META NAME=COPYRIGHT CONTENT=\"Bea 2024\">\n"
                  "<META NAME=GENERATOR CONTENT=\"MSHTML 11\"><TITLE>Neu</TITLE>\n"
                  "<META NAME=AUTHOR CONTENT=\"Bea\">\n"
                  "<META NAME=DESCRIPTION CONTENT=\"Beschreibung\">\n"
                  "<META NAME=KEYWORDS CONTENT=\"a, b\">\n"},
        THeadCase{"LowerCaseTagsAreFoundQuotedNamesAndContentFirstAreNot",
                  "<head>\n<title>alt</title>\n<meta name=keywords content=\"k\">\n"
                  "<meta name=\"description\" content=\"d\">\n"
                  "<META CONTENT=\"x\" NAME=AUTHOR>\n<meta name=copyright content=\"c\">\n"
                  "<meta name=generator content=\"MSHTML 9\">\n</head>\n",
                  kNew,
                  "<head>\n<TITLE>Neu</TITLE>\n<META NAME=KEYWORDS CONTENT=\"a, b\">\n"
                  "<meta name=\"description\" content=\"d\">\n<META CONTENT=\"x\" NAME=AUTHOR>\n"
                  "<META NAME=DESCRIPTION CONTENT=\"Beschreibung\">\n"
                  "<META NAME=AUTHOR CONTENT=\"Bea\">\n"
                  "<META NAME=COPYRIGHT CONTENT=\"Bea 2024\">\n"
                  "<meta name=generator content=\"MSHTML 9\">\n</head>\n"},
        THeadCase{"ATitleLineWithHtmlAndHeadTagsKeepsThem",
                  "<HTML><HEAD><TITLE>Alt und lang</TITLE>\n", kNew,
                  "<HTML><HEAD><TITLE>Neu</TITLE>\n"},
        THeadCase{"WhatFollowsTheTitleAndTheMetaTagsOnTheirLinesIsKept",
                  "<TITLE>Alt</TITLE></HEAD><BODY>Text\n"
                  "  <META NAME=AUTHOR CONTENT=\"a > b\"><META NAME=ROBOTS CONTENT=\"all\">\n",
                  kNew,
                  "<TITLE>Neu</TITLE></HEAD><BODY>Text\n"
                  "  <META NAME=AUTHOR CONTENT=\"Bea\"><META NAME=ROBOTS CONTENT=\"all\">\n"},
        THeadCase{"ATitleOverSeveralLinesBecomesOneLine",
                  "<HEAD>\n<TITLE>Erste\n   Zweite\n</TITLE>\n</HEAD>\n", std::nullopt,
                  "<HEAD>\n<TITLE>Erste Zweite</TITLE>\n</HEAD>\n"},
        THeadCase{"TwoTitleLinesBothTakeTheTitle", "<TITLE>Eins</TITLE>\n<TITLE>Zwei</TITLE>\n",
                  std::nullopt, "<TITLE>Zwei</TITLE>\n<TITLE>Zwei</TITLE>\n"},
        THeadCase{"ATitleThatNeverClosesIsLeftAlone", "<TITLE>Offen\nText\n", std::nullopt,
                  "<TITLE>Offen</TITLE>\nText\n"},
        THeadCase{"AnUnquotedMetaLineAtTheEndJoinsWithNothing", "<META NAME=AUTHOR CONTENT=x>\n",
                  kNew, "<META NAME=AUTHOR CONTENT=\"Bea\">\n"},
        THeadCase{"ANoHeadPageStaysAsItWas", "Nur Text\n", kNew, "Nur Text\n"}),
    [](const testing::TestParamInfo<THeadCase>& info) { return std::string(info.param.name); });

TEST(PageHead, ReadsTheLastOfEachItemAndXhtmlFromAnyLine) {
  InitReplaceNoCase();
  const THeadReading read =
      ReadPageHead(Lines("<META NAME=AUTHOR CONTENT=\"a\">\n<meta NAME=author content=\"b\">\n"
                         "<p>XHTML 1.0</p>\n<TITLE>   </TITLE>\n"));
  EXPECT_EQ(read.Values.Author, "b");
  EXPECT_EQ(read.Values.Title, "");
  EXPECT_TRUE(read.Xhtml);
  EXPECT_TRUE(ReadPageHead({}).Lines.empty());
}

TEST(PageHead, TypedValuesSurviveRoundTripsAndKeepThePageValid) {
  InitReplaceNoCase();
  // What the window does with its fields: show the decoded page text, write the encoded one.
  const auto typed = [](const char* utf8) { return EncodeAttributeText(DecodeUtf8(utf8)); };
  const THeadValues values{typed("Tom & Jerry's \"Seite\" <neu>"), typed("Łukasz Żółć"),
                           typed("Ein \"Zitat\" > alles"), typed("東京, 😀"), typed("© Ł")};
  std::string page = Visit(kSavedPage, values);
  EXPECT_NE(page.find("<TITLE>Tom &amp; Jerry's &quot;Seite&quot; &lt;neu&gt;</TITLE>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<META NAME=AUTHOR CONTENT=\"&#321;ukasz &#379;\xF3&#322;&#263;\">"),
            std::string::npos)
      << page;
  for (int round = 0; round < 3; ++round) {
    const THeadReading read = ReadPageHead(Lines(page));
    EXPECT_EQ(read.Values, values);
    EXPECT_EQ(DecodeCharacterReferences(read.Values.Author), DecodeUtf8("Łukasz Żółć"));
    const std::string again = Visit(page);
    EXPECT_EQ(again, page);
    page = again;
  }
}

}  // namespace
}  // namespace kv

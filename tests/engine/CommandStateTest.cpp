#include <gtest/gtest.h>

#include "engine/CommandState.h"
#include "engine/WebEngine.h"

namespace kv {
namespace {

TEST(Variant, ConvertsAsTheWindowCodeReadsIt) {
  EXPECT_TRUE(TVariant(true).AsBoolean());
  EXPECT_TRUE(TVariant(3).AsBoolean());
  EXPECT_FALSE(TVariant("false").AsBoolean());
  EXPECT_TRUE(TVariant("TRUE").AsBoolean());
  EXPECT_EQ(TVariant(" 7 ").AsInteger(), 7);
  EXPECT_EQ(TVariant(std::int64_t{0xFF0000}).AsInteger(), 0xFF0000);
  EXPECT_EQ(TVariant(12).AsString(), "12");
  EXPECT_EQ(TVariant().AsString(), "");
  EXPECT_TRUE(TVariant().IsNull());
  EXPECT_EQ(TVariant("x"), TVariant(std::string("x")));
}

TEST(Variant, NullOrTextThatIsNoNumberFailsToConvert) {
  EXPECT_THROW(TVariant().AsBoolean(), EVariantError);
  EXPECT_THROW(TVariant().AsInteger(), EVariantError);
  EXPECT_THROW(TVariant().AsText(), EVariantError);  // where a text is required
  EXPECT_EQ(TVariant(12).AsText(), "12");
  EXPECT_THROW(TVariant("Arial").AsInteger(), EVariantError);
  EXPECT_THROW(TVariant("").AsBoolean(), EVariantError);
  try {
    TVariant().AsBoolean();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message,
              "Variante des Typs (Null) konnte nicht in Typ (Boolean) konvertiert werden");
  }
}

struct TColorCase {
  const char* Css;
  std::optional<std::int64_t> Color;
};

class CssColor : public testing::TestWithParam<TColorCase> {};

TEST_P(CssColor, BecomesBlueGreenRed) {
  EXPECT_EQ(CssColorToColor(GetParam().Css), GetParam().Color);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CssColor,
    testing::Values(TColorCase{"rgb(255, 0, 0)", 0x0000FF},
                    TColorCase{"rgb(0, 128, 255)", 0xFF8000},
                    TColorCase{"rgba(1, 2, 3, 0.5)", 0x030201},
                    TColorCase{"RGB(10 20 30)", 0x1E140A},
                    TColorCase{"rgb(10 20 30 / 50%)", 0x1E140A},
                    TColorCase{"rgb(100%, 0%, 50%)", 0x8000FF}, TColorCase{"#112233", 0x332211},
                    TColorCase{"#f00", 0x0000FF}, TColorCase{"red", std::nullopt},
                    TColorCase{"", std::nullopt}, TColorCase{"rgb(1,2)", std::nullopt}));

TEST(CommandState, ColourRoundTripsThroughCss) {
  EXPECT_EQ(ColorToCssHex(0x00332211), "#112233");
  EXPECT_EQ(*CssColorToColor(ColorToCssHex(0x00ABCDEF)), 0x00ABCDEF);
}

TEST(CommandState, FontNameIsTheFirstFamilyWithoutQuotes) {
  EXPECT_EQ(FirstFontFamily("\"Times New Roman\""), "Times New Roman");
  EXPECT_EQ(FirstFontFamily("Arial, Helvetica, sans-serif"), "Arial");
  EXPECT_EQ(FirstFontFamily(" 'Comic Sans MS' , cursive"), "Comic Sans MS");
  EXPECT_EQ(FirstFontFamily(""), "");
}

struct TBlockCase {
  const char* Tag;
  std::string German;
  std::string English;
};

class BlockFormatName : public testing::TestWithParam<TBlockCase> {};

TEST_P(BlockFormatName, IsTheDisplayNameOfTheActiveLanguage) {
  EXPECT_EQ(BlockFormatDisplayName(GetParam().Tag, EngineLanguageGerman), GetParam().German);
  EXPECT_EQ(BlockFormatDisplayName(GetParam().Tag, EngineLanguageEnglish), GetParam().English);
}

INSTANTIATE_TEST_SUITE_P(Cases, BlockFormatName,
                         testing::Values(TBlockCase{"p", "Normal", "Normal"},
                                         TBlockCase{"", "Normal", "Normal"},
                                         TBlockCase{"div", "Normal", "Normal"},
                                         TBlockCase{"h1",
                                                    "\xDC"
                                                    "berschrift 1",
                                                    "Heading 1"},
                                         TBlockCase{"H6",
                                                    "\xDC"
                                                    "berschrift 6",
                                                    "Heading 6"},
                                         TBlockCase{"ol", "Nummerierte Liste", "Numbered List"},
                                         TBlockCase{"ul", "Aufz\xE4hlung", "Bulleted List"},
                                         TBlockCase{"pre", "Formatiert", "Formatted"}));

TEST(CommandState, AnswersFromTheReportedValues) {
  TCommandState state;
  EXPECT_TRUE(state.Value("Bold", EngineLanguageEnglish).IsNull());
  state.SetReported("Bold", TVariant(true));
  state.SetReported("FontSize", TVariant(""));
  state.SetReported("FontName", TVariant("\"Comic Sans MS\", cursive"));
  state.SetReported("ForeColor", TVariant("rgb(255, 0, 0)"));
  state.SetReported("FormatBlock", TVariant("h2"));
  state.SetReported("Italic", TVariant());

  EXPECT_EQ(state.Value("bold", EngineLanguageEnglish), TVariant(true));
  EXPECT_EQ(state.Value("FontSize", EngineLanguageEnglish), TVariant(0));
  EXPECT_EQ(state.Value("FontName", EngineLanguageEnglish), TVariant("Comic Sans MS"));
  EXPECT_EQ(state.Value("ForeColor", EngineLanguageEnglish), TVariant(0x0000FF));
  EXPECT_EQ(state.Value("FormatBlock", EngineLanguageGerman), TVariant("\xDC"
                                                                       "berschrift 2"));
  EXPECT_EQ(state.Value("FormatBlock", EngineLanguageEnglish), TVariant("Heading 2"));
  EXPECT_TRUE(state.Value("Italic", EngineLanguageEnglish).IsNull());
  state.SetReported("FontSize", TVariant("5"));
  EXPECT_EQ(state.Value("FontSize", EngineLanguageEnglish), TVariant(5));
  state.Clear();
  EXPECT_TRUE(state.Empty());
}

}  // namespace
}  // namespace kv

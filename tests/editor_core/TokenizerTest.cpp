#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "MemoFixture.h"

namespace kv::test {
namespace {

std::string Kind(const TTokenState& s) {
  if (s.Url) return "url";
  if (s.InComment) return "comment";
  if (s.InBracket) return "bracket" + std::to_string(s.StyleIndex);
  if (s.Number) return "number";
  if (s.KeyWord) return "kw" + std::to_string(s.StyleIndex);
  if (s.Symbol) return "sym";
  return "plain";
}

// Runs written as text:kind|text:kind...
std::string Describe(const std::vector<TTokenRun>& runs) {
  std::string r;
  for (auto& run : runs) {
    if (!r.empty()) r += '|';
    r += std::string(run.Text) + ":" + Kind(run.State);
  }
  return r;
}

class TokenizerTest : public MemoTest {
 protected:
  TokenizerTest() : styler(nullptr) { memo.SetSyntaxStyles(&styler); }
  std::string Runs(const std::string& line, TTokenState state = {}) {
    return Describe(memo.Tokenizer().Runs(line, state));
  }
  THTMLMemoStyler styler;
};

struct RunCase {
  const char* line;
  const char* runs;
};

class TokenizerRunsTest : public TokenizerTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(TokenizerRunsTest, CutsLineIntoRuns) {
  EXPECT_EQ(Runs(GetParam().line), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Html, TokenizerRunsTest,
    ::testing::Values(
        RunCase{"x <b>", "x:plain| <:sym|b:kw0|>:sym"}, RunCase{"xbody", "xbody:plain"},
        RunCase{"BODY Body body", "BODY:kw0| :sym|Body:kw0| :sym|body:kw0"},
        RunCase{"<table border=1>", "<:sym|table:kw1| :sym|border:kw1|=:sym|1:number|>:sym"},
        RunCase{"<a href=\"x.html\">",
                "<:sym|a:kw2| :sym|href:kw2|=:sym|\"x.html\":bracket4|>:sym"},
        RunCase{"'it''s'", "'it''s':bracket3"},
        RunCase{"\"<!--\" x", "\"<!--\":bracket4| :sym|x:plain"},
        RunCase{"k <!-- c --> z", "k:plain| :sym|<!-- c -->:comment| :sym|z:plain"},
        RunCase{"--><!--x-->", "-->:sym|<!--x-->:comment"}, RunCase{"+5", "+5:number"},
        RunCase{"-5", "-:sym|5:number"}, RunCase{"1.2.3", "1:number|.:sym|2.3:number"},
        RunCase{"x5", "x5:plain"}, RunCase{"&lt;p", "&lt:kw0|;:sym|p:kw0"},
        RunCase{
            "<a href=\"http://x.de/a b\">",
            "<:sym|a:kw2| :sym|href:kw2|=:sym|\":bracket4|http://x.de/a:url| b\":bracket4|>:sym"},
        RunCase{"see www.example.org, mailto:me@x.de",
                "see:plain| :sym|www.example.org:url|, :sym|mailto:me@x.de:url"},
        RunCase{"src=http://host/path x", "src:plain|=:sym|http:plain|::sym|//host/path x:comment"},
        RunCase{"k // b --> c", "k:plain| :sym|// b --> c:comment"}, RunCase{"", ""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(TokenizerTest, RunColoursFollowTheirKind) {
  TTokenState state;
  auto runs = memo.Tokenizer().Runs("<b class=\"x\"> 12 <!-- c --> http://a", state);
  auto colours = [&](const std::string& text) {
    for (auto& r : runs)
      if (r.Text == text) return r.Colors;
    ADD_FAILURE() << "no run " << text;
    return TRunColors{};
  };
  EXPECT_EQ(colours("<"), (TRunColors{clTeal, clWhite, 0}));
  EXPECT_EQ(colours("b"), (TRunColors{clNavy, clWhite, 0}));
  EXPECT_EQ(colours("class"), (TRunColors{clBlack, clWhite, 0}));
  EXPECT_EQ(colours("\"x\""), (TRunColors{clBlue, clWhite, 0}));
  EXPECT_EQ(colours("12"), (TRunColors{clBlack, clWhite, 0}));
  EXPECT_EQ(colours("<!-- c -->"), (TRunColors{clSilver, clWhite, fsItalic}));
  EXPECT_EQ(colours("http://a"), (TRunColors{clBlue, clWhite, fsUnderline}));
}

TEST_F(TokenizerTest, BackgroundNoneMeansEditorBackground) {
  memo.BkColor = clYellow;
  styler.AllStyles().Items(0)->SetBGColor(clNone);
  TTokenState state;
  auto runs = memo.Tokenizer().Runs("<b", state);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].Colors.BkColor, clYellow);
  EXPECT_EQ(runs[0].Colors.BkColor, clWhite);
}

TEST_F(TokenizerTest, StateCarriesAcrossLines) {
  TTokenState state;
  EXPECT_EQ(Describe(memo.Tokenizer().Runs("x <!-- open", state)),
            "x:plain| :sym|<!-- open:comment");
  EXPECT_TRUE(state.InComment);
  EXPECT_EQ(Describe(memo.Tokenizer().Runs("still <b> --> <b>", state)),
            "still <b> -->:comment| <:sym|b:kw0|>:sym");
  EXPECT_FALSE(state.InComment);
  EXPECT_EQ(Describe(memo.Tokenizer().Runs("a=\"open", state)), "a:kw2|=:sym|\"open:bracket4");
  EXPECT_TRUE(state.InBracket);
  EXPECT_EQ(Describe(memo.Tokenizer().Runs("<b> \" <b>", state)),
            "<b> \":bracket4| <:sym|b:kw0|>:sym");
  Describe(memo.Tokenizer().Runs("x // y", state));
  EXPECT_FALSE(state.InComment) << "a line comment ends with its line";
}

TEST_F(TokenizerTest, SettingsChangeTheRules) {
  memo.SetCaseSensitive(true);
  EXPECT_EQ(Runs("BODY body"), "BODY:kw0| :sym|body:plain");
  memo.SetCaseSensitive(false);
  memo.SetUrlAware(false);
  EXPECT_EQ(Runs("x http://a"), "x:plain| :sym|http:plain|::sym|//a:comment");
  memo.SetUseStyler(false);
  EXPECT_EQ(Runs("<b> \"x\""), "<b> \"x\":plain");
  memo.SetUrlAware(true);
  memo.SetSyntaxStyles(nullptr);
  EXPECT_EQ(Runs("<b> http://a"), "<b> :plain|http://a:url");
}

TEST_F(TokenizerTest, StylerDestroyedLeavesPlainText) {
  {
    THTMLMemoStyler temporary(nullptr);
    memo.SetSyntaxStyles(&temporary);
    EXPECT_EQ(Runs("<b"), "<:sym|b:kw0");
  }
  EXPECT_EQ(memo.SyntaxStyles(), nullptr);
  EXPECT_EQ(Runs("<b"), "<b:plain");
}

TEST_F(TokenizerTest, StylerPublishesItsProperties) {
  EXPECT_EQ(GetStrProp(&styler, "Filter"), "HTML Document (*.htm,*.html)|*.htm;*.html");
  EXPECT_EQ(GetStrProp(&styler, "Version"), "1.0");
  auto* styles = dynamic_cast<TCollection*>(GetObjectProp(&styler, "AllStyles"));
  ASSERT_NE(styles, nullptr);
  ASSERT_EQ(styles->Count(), 6);
  EXPECT_EQ(GetStrProp(styles->Items(3), "Info"), "Simple Bracket");
  SetStrProp(styles->Items(3), "Info", "Einfache Klammer");
  EXPECT_EQ(styler.AllStyles().Items(3)->Info(), "Einfache Klammer");
  EXPECT_EQ(styler.AllStyles().Items(0)->KeyWords().Count(), 107);
  EXPECT_EQ(styler.AllStyles().Items(5)->Symbols(), " ,;:.()[]=-*/^%<>#\r\n");
}

TEST_F(TokenizerTest, StylerChangeRecolours) {
  EXPECT_EQ(Runs("span"), "span:plain");
  styler.AllStyles().Items(0)->KeyWords().Add("SPAN");
  EXPECT_EQ(Runs("span"), "span:kw0");
}

// However long a styler's keyword is, it is looked up safely (in either letter case) and
// coloured; a longer word is never taken for it.
TEST_F(TokenizerTest, KeywordsOfAnyLength) {
  const std::string word(300, 'q');
  styler.AllStyles().Items(1)->KeyWords().Add(word + "X");
  const std::string upper(300, 'Q');
  EXPECT_EQ(Runs(upper + "x <b>"), upper + "x:kw1| <:sym|b:kw0|>:sym");
  EXPECT_EQ(Runs(word + "xy"), word + "xy:plain");
  memo.SetCaseSensitive(true);
  EXPECT_EQ(Runs(word + "X"), word + "X:kw1");
  EXPECT_EQ(Runs(word + "x"), word + "x:plain");
}

TEST_F(TokenizerTest, LineStartStatesFollowEarlierEdits) {
  std::vector<std::string> lines(200, "<p class=x>text</p>");
  Load(lines);
  EXPECT_FALSE(memo.LineStartState(150).InComment);
  // Opening a comment on line 5 must recolour every later line, cached or not.
  memo.SetCaret({5, 0});
  Type("<!--");
  EXPECT_TRUE(memo.LineStartState(150).InComment);
  EXPECT_TRUE(memo.LineStartState(6).InComment);
  EXPECT_FALSE(memo.LineStartState(5).InComment);
  for (int i = 0; i < 4; ++i) Key(keys::VK_BACK);
  EXPECT_FALSE(memo.LineStartState(150).InComment);
  // Structural edits above a cached line too.
  memo.SetCaret({10, 0});
  memo.PasteText("\"\r\n");
  EXPECT_TRUE(memo.LineStartState(120).InBracket);
  memo.Undo();
  EXPECT_FALSE(memo.LineStartState(120).InBracket);
}

TEST_F(TokenizerTest, ColourChangesKeepCachedStatesRuleChangesDropThem) {
  Load(std::vector<std::string>(200, "<p class=x>text</p>"));
  memo.LineStartState(150);
  const int watermark = memo.CacheWatermark();
  styler.AllStyles().Items(0)->Font().SetColor(clRed);
  styler.AllStyles().Items(3)->SetInfo("renamed");
  EXPECT_FALSE(memo.LineStartState(150).InComment);
  EXPECT_EQ(memo.CacheWatermark(), watermark);
  EXPECT_EQ(memo.LineRuns(150)[1].Colors.TextColor, clRed);
  styler.SetMultiCommentLeft("<p");
  EXPECT_TRUE(memo.LineStartState(150).InComment);
}

TEST_F(TokenizerTest, StartStatesMatchTokenizingFromTheTop) {
  // Random lines of HTML-ish fragments: the cached scan must agree with a straight pass.
  const char* pieces[] = {"<b>", "\"", "'", "<!--", "-->", " ", "x", "//", "http://a", "12"};
  std::mt19937 rng(7);
  std::vector<std::string> lines;
  for (int i = 0; i < 300; ++i) {
    std::string l;
    for (int k = rng() % 6; k > 0; --k) l += pieces[rng() % std::size(pieces)];
    lines.push_back(l);
  }
  Load(lines);
  for (int probe : {250, 40, 299, 7, 123}) memo.LineStartState(probe);
  TTokenState state;
  for (int i = 0; i < memo.LineCount(); ++i) {
    ASSERT_EQ(memo.LineStartState(i), state) << "line " << i;
    TTokenState viaRuns = state;
    memo.Tokenizer().Runs(memo.Line(i), viaRuns);
    memo.Tokenizer().Advance(memo.Line(i), state);
    ASSERT_EQ(viaRuns, state) << "line " << i;
  }
}

// The runs kept for painting are the runs a fresh pass gives, whatever was edited, inserted
// or removed since they were kept, and whatever changed in the rules.
TEST_F(TokenizerTest, KeptRunsMatchFreshRunsAfterEdits) {
  const char* pieces[] = {"<b>", "\"", "<!--", "-->", " ", "x", "http://a", "12"};
  std::mt19937 rng(11);
  auto piece = [&] { return std::string(pieces[rng() % std::size(pieces)]); };
  std::vector<std::string> lines;
  for (int i = 0; i < 60; ++i) {
    // Every third line short (walked afresh), the others long enough for their runs to be kept.
    std::string l = piece() + piece() + piece();
    while (i % 3 != 0 && l.size() < TRunCache::kMinKeptLength + 50) l += piece();
    lines.push_back(l);
  }
  Load(lines);
  auto paintAll = [&](const char* when) {
    TTokenState kept = memo.LineStartState(0), fresh;
    for (int i = 0; i < memo.LineCount(); ++i) {
      std::string a, b;
      memo.PaintRuns(i, kept, 0, INT_MAX, [&](const TTokenRun& r) {
        a += std::string(r.Text) + ":" + Kind(r.State) + "/" + std::to_string(r.Colors.TextColor) +
             "|";
      });
      for (const TTokenRun& r : memo.Tokenizer().Runs(memo.Line(i), fresh))
        b += std::string(r.Text) + ":" + Kind(r.State) + "/" + std::to_string(r.Colors.TextColor) +
             "|";
      ASSERT_EQ(a, b) << when << ", line " << i;
      ASSERT_EQ(kept, fresh) << when << ", line " << i;
    }
  };
  paintAll("first paint");
  for (int round = 0; round < 200; ++round) {
    const int line = static_cast<int>(rng() % static_cast<unsigned>(memo.LineCount()));
    memo.SetCaret({line, static_cast<int>(rng() % 6)});
    switch (rng() % 5) {
      case 0:
        Type(piece());
        break;
      case 1:
        memo.PasteText(piece() + "\r\n" + piece());
        break;
      case 2:
        Key(keys::VK_BACK);
        break;
      case 3:
        memo.Undo();
        break;
      case 4:
        styler.AllStyles().Items(0)->Font().SetColor(rng() % 2 ? clRed : clNavy);
        break;
    }
    paintAll("after an edit");
  }
}

TEST_F(TokenizerTest, HugeLinesTokenizeWhole) {
  // 5 MB lines: an unclosed comment, an unclosed quote and plain markup, each covered by runs
  // that add up to the line, whatever the line holds (high bytes included).
  std::string markup;
  while (markup.size() < 5 * 1024 * 1024) markup += "<td class=x>\xE4 12 a-b</td> ";
  for (const std::string& line : {"<!-- " + markup, "\"" + markup, markup}) {
    TTokenState state;
    size_t covered = 0;
    memo.Tokenizer().Tokenize(line, state, [&](const TTokenRun& run) {
      EXPECT_EQ(static_cast<size_t>(run.Start), covered);
      covered += run.Text.size();
    });
    EXPECT_EQ(covered, line.size());
  }
}

// A configuration unlike the HTML one: escape character, hexadecimal prefix, no comments.
class CustomStylerTest : public MemoTest {
 protected:
  CustomStylerTest() : styler(nullptr) {
    auto* words = styler.AllStyles().Add();
    words->KeyWords().Add("begin");
    auto* quote = styler.AllStyles().Add();
    quote->SetStyleType(TStyleType::stBracket);
    quote->SetBracketStart('"');
    quote->SetBracketEnd('"');
    auto* symbols = styler.AllStyles().Add();
    symbols->SetStyleType(TStyleType::stSymbol);
    symbols->SetSymbols(" ;");
    styler.SetEscapeChar("\\");
    styler.SetHexIdentifier("$");
    memo.SetSyntaxStyles(&styler);
  }
  TCustomMemoStyler styler;
};

TEST_F(CustomStylerTest, EscapesHexAndKeywords) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"a\\\"b\" x", "\"a\\\"b\":bracket1| :sym|x:plain"},
      {"$1F $1G", "$1F:number| :sym|$1:number|G:plain"},
      {"BEGIN;end", "BEGIN:kw0|;:sym|end:plain"},
      {"// no line comment", "//:plain| :sym|no:plain| :sym|line:plain| :sym|comment:plain"}};
  for (auto& [line, runs] : cases) {
    TTokenState state;
    EXPECT_EQ(Describe(memo.Tokenizer().Runs(line, state)), runs) << line;
  }
}

TEST_F(TokenizerTest, LineRunsStartFromTheLinesOwnState) {
  Load({"<p>", "<!-- a", "b", "c -->", "<b>"});
  EXPECT_EQ(Describe(memo.LineRuns(2)), "b:comment");
  EXPECT_EQ(Describe(memo.LineRuns(3)), "c -->:comment");
  EXPECT_EQ(Describe(memo.LineRuns(4)), "<:sym|b:kw0|>:sym");
  EXPECT_TRUE(memo.LineRuns(9).empty());
}

TEST_F(TokenizerTest, UrlUnderCaret) {
  Load({"go to <a href=\"http://kavelin.de/x\">here</a>"});
  EXPECT_EQ(memo.UrlAt({0, 20}), "http://kavelin.de/x");
  EXPECT_EQ(memo.UrlAt({0, 2}), "");
  std::string clicked;
  memo.OnURLClick = [&](TObject*, const std::string& url) { clicked = url; };
  EXPECT_TRUE(memo.ClickUrlAt({0, 16}));
  EXPECT_EQ(clicked, "http://kavelin.de/x");
}

}  // namespace
}  // namespace kv::test

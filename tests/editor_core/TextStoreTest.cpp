// The editor's value types and its line store on their own, without an editor around them.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "MemoFixture.h"
#include "editor/core/LineData.h"
#include "editor/core/LineStore.h"
#include "editor/core/LineText.h"

namespace kv::test {
namespace {

using Lines_ = std::vector<std::string>;

TEST(TextPos, OrdersByLineThenColumn) {
  EXPECT_LT((TTextPos{0, 9}), (TTextPos{1, 0}));
  EXPECT_LT((TTextPos{1, 2}), (TTextPos{1, 3}));
  EXPECT_EQ((TTextPos{2, 4}), (TTextPos{2, 4}));
  const TTextRange r({2, 1}, {0, 3});  // given backwards
  EXPECT_EQ(r.Start, (TTextPos{0, 3}));
  EXPECT_EQ(r.End, (TTextPos{2, 1}));
  EXPECT_FALSE(r.Empty());
  EXPECT_FALSE(r.SingleLine());
  EXPECT_TRUE(TTextRange({1, 1}, {1, 1}).Empty());
}

TEST(TextPos, RangesAreHalfOpen) {
  const TTextRange r({0, 2}, {2, 1});
  struct Case {
    TTextPos p;
    bool inside;
  } cases[] = {{{0, 1}, false}, {{0, 2}, true}, {{1, 0}, true},
               {{1, 99}, true}, {{2, 0}, true}, {{2, 1}, false}};
  for (const Case& c : cases) EXPECT_EQ(r.Contains(c.p), c.inside) << c.p.Line << "," << c.p.Col;
  EXPECT_FALSE(TTextRange({1, 1}, {1, 1}).Contains({1, 1}));
}

TEST(TextPos, EndOfInsertedText) {
  struct Case {
    TTextPos start;
    const char* text;
    TTextPos end;
  } cases[] = {{{3, 4}, "", {3, 4}},
               {{0, 1}, "ab", {0, 3}},
               {{1, 5}, "a\nbc", {2, 2}},
               {{0, 7}, "\n\n", {2, 0}}};
  for (const Case& c : cases) EXPECT_EQ(EndOf(c.start, c.text), c.end) << c.text;
}

// ---- how outside text becomes lines -----------------------------------------------------------

struct SplitCase {
  const char* name;
  std::string text;
  TSplitRule rule;
  Lines_ lines;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, CutsAndExpands) {
  EXPECT_EQ(SplitIntoLines(GetParam().text, GetParam().rule), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitTest,
    ::testing::Values(
        SplitCase{"AnyBreak", "a\r\nb\rc\nd", {TBreaks::Any, 4}, {"a", "b", "c", "d"}},
        SplitCase{"FinalBreakAddsNoLine", "a\r\n", {TBreaks::Any, 4}, {"a"}},
        SplitCase{"FinalBreakKept", "a\r\n", {TBreaks::Any, 4, true}, {"a", ""}},
        SplitCase{"NothingIsOneEmptyLine", "", {TBreaks::Any, 4}, {""}},
        SplitCase{"AppendDropsLineFeeds", "a\nb\r\nc", {TBreaks::CrOnly, 4, true}, {"ab", "c"}},
        SplitCase{"TabsWhateverTheColumn", "\tx\nab\tc", {TBreaks::Any, 2}, {"  x", "ab  c"}},
        SplitCase{
            "NulEnds", std::string("ab\ncd\0ef", 8), {TBreaks::Any, 4, false, true}, {"ab", "cd"}},
        SplitCase{"HighBytesKept", "\xE4\x80\xFF", {TBreaks::Any, 4}, {"\xE4\x80\xFF"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the store --------------------------------------------------------------------------------

Lines_ LinesOf(const TLineStore& store) {
  Lines_ lines;
  for (int i = 0; i < store.Count(); ++i) lines.push_back(store.Line(i));
  return lines;
}

void Fill(TLineStore& store, const Lines_& lines) {
  store.Assign(lines);
}

// What a listener hears, as words.
struct Recorder : TLineListener {
  std::string heard;
  void LinesInserted(int i, int n) override {
    heard += "+" + std::to_string(i) + "x" + std::to_string(n) + " ";
  }
  void LinesRemoved(int i, int n) override {
    heard += "-" + std::to_string(i) + "x" + std::to_string(n) + " ";
  }
  void LineChanged(int i) override { heard += "~" + std::to_string(i) + " "; }
  void AllReplaced(int n) override { heard += "=" + std::to_string(n) + " "; }
};

struct ReplaceCase {
  const char* name;
  Lines_ before;
  TTextRange range;
  const char* text;
  Lines_ after;
  TTextPos end;
  const char* heard;
};

class StoreReplaceTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(StoreReplaceTest, ReplacesAndTells) {
  const ReplaceCase& c = GetParam();
  TLineStore store;
  Fill(store, c.before);
  Recorder recorder;
  store.AddListener(&recorder);
  EXPECT_EQ(store.Replace(c.range, c.text), c.end);
  EXPECT_EQ(LinesOf(store), c.after);
  EXPECT_EQ(recorder.heard, c.heard);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreReplaceTest,
    ::testing::Values(
        ReplaceCase{"InsertInLine", {"abcd"}, {{0, 2}, {0, 2}}, "XY", {"abXYcd"}, {0, 4}, "~0 "},
        ReplaceCase{"SplitLine",
                    {"abcd", "z"},
                    {{0, 2}, {0, 2}},
                    "1\n2\n",
                    {"ab1", "2", "cd", "z"},
                    {2, 0},
                    "~0 +1x2 "},
        ReplaceCase{
            "JoinLines", {"ab", "cd", "ef"}, {{0, 1}, {2, 1}}, "", {"af"}, {0, 1}, "~0 -1x2 "},
        ReplaceCase{"ManyForMany",
                    {"ab", "cd", "ef"},
                    {{0, 1}, {1, 1}},
                    "X\nY",
                    {"aX", "Yd", "ef"},
                    {1, 1},
                    "~0 ~1 "},
        ReplaceCase{"ClampedToTheText", {"ab"}, {{0, 9}, {5, 0}}, "!", {"ab!"}, {0, 3}, "~0 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineStore, AlwaysHoldsALine) {
  TLineStore store;
  EXPECT_EQ(LinesOf(store), Lines_{""});
  EXPECT_EQ(store.Line(7), "");  // out of range: an empty text, never a crash
  EXPECT_EQ(store.Length(-1), 0);
  Fill(store, {"a", "b", "c"});
  store.RemoveLines(0, 3);
  EXPECT_EQ(LinesOf(store), Lines_{""});
  store.Assign({});
  EXPECT_EQ(store.Count(), 1);
  EXPECT_FALSE(store.Cleared());
  store.Clear();
  EXPECT_TRUE(store.Cleared());
  EXPECT_EQ(store.Count(), 1);
  store.SetLine(0, "x");
  EXPECT_FALSE(store.Cleared());
  EXPECT_EQ(store.Text({{0, 0}, {0, 1}}), "x");
}

// Random changes: the longest line is always the longest there is, and no line ever holds a
// tab or a break.
TEST(LineStore, LongestLineFollowsRandomChanges) {
  std::mt19937 rng(99);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  TLineStore store;
  auto line = [&] { return std::string(pick(20), 'x'); };
  for (int step = 0; step < 3000; ++step) {
    const int count = store.Count();
    const int at = pick(count);
    switch (pick(4)) {
      case 0:
        store.InsertLines(pick(count + 1), {line(), line()});
        break;
      case 1:
        store.RemoveLines(at, 1 + pick(2));
        break;
      case 2:
        store.SetLine(at, line());
        break;
      case 3:
        store.Replace({{at, pick(5)}, {std::min(count - 1, at + pick(2)), pick(5)}},
                      pick(2) ? "\n" + line() : line());
        break;
    }
    int longest = 0;
    for (int i = 0; i < store.Count(); ++i) {
      ASSERT_EQ(store.Line(i).find_first_of("\t\r\n"), std::string::npos);
      longest = std::max(longest, store.Length(i));
    }
    ASSERT_EQ(store.Longest(), longest) << step;
  }
}

// Marks, bookmarks and error ranges stay with their lines while lines come and go around them.
TEST(LineStore, SideDataStaysWithItsLines) {
  std::mt19937 rng(7);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  TLineStore store;
  TLineMarks marks(store);
  TBookmarks bookmarks;
  TLineErrors errors;
  for (TLineListener* l : std::initializer_list<TLineListener*>{&marks, &bookmarks, &errors})
    store.AddListener(l);
  int next = 0;
  auto line = [&] { return "line " + std::to_string(next++); };  // every line unique
  std::set<std::string> marked;
  std::string bookmarked = "none yet";
  for (int step = 0; step < 2000; ++step) {
    const int count = store.Count();
    const int at = pick(count);
    switch (pick(3)) {
      case 0:
        store.InsertLines(pick(count + 1), {line(), line()});
        break;
      case 1:
        if (count > 1) store.RemoveLines(at, 1);
        break;
      case 2:
        marks.Set(at, 1);
        marked.insert(store.Line(at));
        bookmarks.Set(0, at);
        bookmarked = store.Line(at);
        errors.ClearLine(at);
        errors.Add({at, 0, static_cast<int>(store.Line(at).size())});
        break;
    }
    for (int i = 0; i < store.Count(); ++i) {
      ASSERT_EQ(marks.State(i), marked.count(store.Line(i)) ? 1 : 0) << step;
      for (const TLineError& e : errors.OfLine(i)) ASSERT_EQ(e.Length, store.Length(i)) << step;
      if (store.Line(i) == bookmarked) {
        ASSERT_EQ(bookmarks.Get(0), i) << step;
      }
    }
    ASSERT_LT(bookmarks.Get(0), store.Count());
  }
}

}  // namespace
}  // namespace kv::test

#include <gtest/gtest.h>

#include <random>

#include "MemoFixture.h"

namespace kv::test {
namespace {

using namespace keys;
using Lines_ = std::vector<std::string>;

class EditingTest : public MemoTest {
 protected:
  void Caret(int x, int y) {
    memo.SetCaret({y, x});
    memo.CollapseSelection();
  }
  void ExpectCaret(int x, int y) {
    EXPECT_EQ(memo.CaretX(), x);
    EXPECT_EQ(memo.CaretY(), y);
  }
};

TEST_F(EditingTest, RightPastEndPadsWithoutModifiedMark) {
  Load({"abc"});
  Caret(3, 0);
  for (int i = 0; i < 3; ++i) Key(VK_RIGHT);
  EXPECT_EQ(memo.Line(0), "abc   ");
  EXPECT_EQ(memo.ModifiedState(0), 0);
  ExpectCaret(6, 0);
}

TEST_F(EditingTest, TypingBeyondEndPadsFirst) {
  Load({""});
  Caret(5, 0);
  Type("x");
  EXPECT_EQ(memo.Line(0), "     x");
  ExpectCaret(6, 0);
  EXPECT_EQ(memo.ModifiedState(0), 1);
}

TEST_F(EditingTest, EnterKeepsIndentationAndTrimsRest) {
  Load({"  ab cd   "});
  Caret(5, 0);
  Key(VK_RETURN);
  EXPECT_EQ(Lines(), (Lines_{"  ab ", "  cd"}));
  ExpectCaret(2, 1);
}

TEST_F(EditingTest, EnterWithoutAutoIndent) {
  memo.AutoIndent = false;
  Load({"  ab   cd"});
  Caret(4, 0);
  Key(VK_RETURN);
  EXPECT_EQ(Lines(), (Lines_{"  ab", "   cd"}));
  ExpectCaret(0, 1);
}

TEST_F(EditingTest, EnterReplacesSelection) {
  Load({"abcdef"});
  memo.SetSelection({0, 1}, {0, 4});
  memo.SetCaret({0, 4});
  Key(VK_RETURN);
  EXPECT_EQ(Lines(), (Lines_{"a", "ef"}));
}

TEST_F(EditingTest, TabAndShiftTab) {
  Load({"ab"});
  Caret(1, 0);
  Key(VK_TAB);
  EXPECT_EQ(memo.Line(0), "a    b");
  ExpectCaret(5, 0);
  Caret(2, 0);
  Key(VK_TAB, ssShift);
  ExpectCaret(0, 0);
  EXPECT_EQ(memo.Line(0), "a    b");
  memo.ToggleOverwrite();
  Key(VK_TAB);
  ExpectCaret(4, 0);
  EXPECT_EQ(memo.Line(0), "a    b");
  Key(VK_TAB, ssCtrl);
  ExpectCaret(4, 0);
}

TEST_F(EditingTest, BackspaceJoinsLines) {
  Load({"0", "1", "2", "3", "four", "five"});
  Caret(0, 5);
  Key(VK_BACK);
  EXPECT_EQ(memo.Line(4), "fourfive");
  ExpectCaret(4, 4);
  EXPECT_EQ(memo.LineCount(), 5);
  Caret(0, 0);
  Key(VK_BACK);
  EXPECT_EQ(memo.Line(0), "0");
}

TEST_F(EditingTest, DeleteRemovesCharOrJoins) {
  Load({"ab", "cd"});
  Caret(1, 0);
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (Lines_{"a", "cd"}));
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (Lines_{"acd"}));
  Caret(3, 0);
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (Lines_{"acd"}));
}

TEST_F(EditingTest, DeleteAtPaddedColumnJoinsAtCaret) {
  Load({"ab", "cd"});
  Caret(4, 0);
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (Lines_{"ab  cd"}));
}

TEST_F(EditingTest, CtrlBackspaceDeletesBackToBlank) {
  Load({"one two"});
  Caret(7, 0);
  Key(VK_BACK, ssCtrl);
  EXPECT_EQ(memo.Line(0), "one ");
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "one two");
}

TEST_F(EditingTest, OverwriteReplacesCharacters) {
  Load({"abc"});
  Caret(1, 0);
  Key(VK_INSERT);
  EXPECT_TRUE(memo.Overwrite());
  Type("XYZ");
  EXPECT_EQ(memo.Line(0), "aXYZ");
  memo.Undo();
  memo.Undo();
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abc");
}

TEST_F(EditingTest, OverwriteToggleCanBeForbidden) {
  memo.OnOverwriteToggle = [](TObject*, bool& allow) { allow = false; };
  Key(VK_INSERT);
  EXPECT_FALSE(memo.Overwrite());
}

struct JumpCase {
  const char* line;
  int from;
  int key;
  int to;
};

class WordJumpTest : public EditingTest, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(WordJumpTest, StopsAtWordStarts) {
  THTMLMemoStyler styler(nullptr);
  memo.SetSyntaxStyles(&styler);
  Load({GetParam().line, "next"});
  Caret(GetParam().from, 0);
  Key(GetParam().key, ssCtrl);
  EXPECT_EQ(memo.CaretX(), GetParam().to);
  memo.SetSyntaxStyles(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, WordJumpTest,
                         ::testing::Values(JumpCase{"one two three", 0, VK_RIGHT, 4},
                                           JumpCase{"one two three", 4, VK_RIGHT, 8},
                                           JumpCase{"a<b>c", 0, VK_RIGHT, 2},
                                           JumpCase{"one two three", 9, VK_LEFT, 8},
                                           JumpCase{"one two three", 8, VK_LEFT, 4},
                                           JumpCase{"one two", 3, VK_LEFT, 0}));

TEST_F(EditingTest, WordJumpsCrossLines) {
  Load({"ab  ", "cd"});
  Caret(2, 0);
  Key(VK_RIGHT, ssCtrl);
  ExpectCaret(0, 1);
  Key(VK_LEFT, ssCtrl);
  ExpectCaret(2, 0);
}

TEST_F(EditingTest, HomeEndAndDocumentEnds) {
  Load({"abc", "defgh"});
  Caret(1, 0);
  Key(VK_END);
  ExpectCaret(3, 0);
  Key(VK_END, ssCtrl);
  ExpectCaret(5, 1);
  Key(VK_HOME);
  ExpectCaret(0, 1);
  Caret(2, 1);
  Key(VK_HOME, ssCtrl);
  ExpectCaret(0, 0);
  Key(VK_LEFT);
  ExpectCaret(0, 0);
  Caret(0, 1);
  Key(VK_LEFT);
  ExpectCaret(3, 0);
}

TEST_F(EditingTest, DocumentEndsIgnoreTheOldColumn) {
  Load({"a long first line", "ab"});
  Caret(15, 0);
  Key(VK_END, ssCtrl);
  ExpectCaret(2, 1);
  EXPECT_EQ(memo.Line(1), "ab");
  Caret(1, 1);
  Key(VK_HOME, ssCtrl);
  ExpectCaret(0, 0);
}

TEST_F(EditingTest, EnhancedHomeTogglesIndent) {
  memo.EnhancedHomeKey = true;
  Load({"    text"});
  Caret(6, 0);
  Key(VK_HOME);
  ExpectCaret(4, 0);
  Key(VK_HOME);
  ExpectCaret(0, 0);
  Key(VK_HOME);
  ExpectCaret(4, 0);
}

TEST_F(EditingTest, PageKeysMoveByVisibleRows) {
  Load(Lines_(100, "x"));
  memo.SetViewSize(10, 40);
  Caret(0, 3);
  Key(VK_NEXT);
  EXPECT_EQ(memo.CaretY(), 13);
  EXPECT_EQ(memo.TopLine(), 10);
  Key(VK_PRIOR);
  EXPECT_EQ(memo.CaretY(), 3);
  EXPECT_EQ(memo.TopLine(), 0);
  Key(VK_NEXT, ssCtrl);
  ExpectCaret(1, 99);
  Key(VK_PRIOR, ssCtrl);
  ExpectCaret(0, 0);
}

TEST_F(EditingTest, CaretStaysInView) {
  Load(Lines_(50, "0123456789012345678901234567890"));
  memo.SetViewSize(5, 10);
  memo.SetCaret({30, 20});
  EXPECT_EQ(memo.TopLine(), 26);
  EXPECT_EQ(memo.LeftCol(), 13);
  memo.SetCaret({0, 0});
  EXPECT_EQ(memo.TopLine(), 0);
  EXPECT_EQ(memo.LeftCol(), 0);
}

TEST_F(EditingTest, TopLineKeepsAPage) {
  Load(Lines_(100, "x"));
  memo.SetViewSize(10, 40);
  memo.SetTopLine(50);
  EXPECT_EQ(memo.TopLine(), 50);
  memo.SetTopLine(95);
  EXPECT_EQ(memo.TopLine(), 95);
  memo.SetTopLine(97);
  EXPECT_EQ(memo.TopLine(), 95);
}

TEST_F(EditingTest, ShiftArrowsExtendSelection) {
  Load({"abc", "def"});
  Caret(1, 0);
  Key(VK_RIGHT, ssShift);
  Key(VK_DOWN, ssShift);
  EXPECT_EQ(memo.GetSelText(), "bc\r\nde");
  Key(VK_LEFT);
  EXPECT_TRUE(memo.SelectionEmpty());
  Key(VK_A, ssCtrl);
  EXPECT_EQ(memo.GetSelText(), "abc\r\ndef");
  EXPECT_TRUE(memo.IsSelected({1, 2}));
  EXPECT_FALSE(memo.IsSelected({1, 3}));
}

TEST_F(EditingTest, DeleteSelectionAcrossLines) {
  Load({"abc", "def", "ghi"});
  memo.SetSelection({2, 2}, {0, 1});  // reversed on purpose
  memo.DeleteSelection();
  EXPECT_EQ(Lines(), (Lines_{"ai"}));
  ExpectCaret(1, 0);
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"abc", "def", "ghi"}));
  EXPECT_EQ(memo.GetSelText(), "bc\r\ndef\r\ngh");
}

// Setting the caret somewhere else ends a selection there (typing then replaces nothing far
// away); setting it where it is keeps the selection; only Shift extends one.
TEST_F(EditingTest, SettingTheCaretEndsASelection) {
  Load({"abcdef", "ghij"});
  int selections = 0;
  memo.OnSelectionChange = [&](TObject*) { ++selections; };
  memo.SetSelection({0, 1}, {0, 4});
  memo.SetCaret({0, 4});
  EXPECT_EQ(memo.GetSelText(), "bcd");
  memo.SetCaret({1, 2});
  EXPECT_TRUE(memo.SelectionEmpty());
  EXPECT_EQ(selections, 2);
  Type("x");
  EXPECT_EQ(Lines(), (Lines_{"abcdef", "ghxij"}));
  memo.SetSelection({0, 0}, {0, 2});
  memo.SetCaretY(1);
  EXPECT_TRUE(memo.SelectionEmpty());
  Key(VK_LEFT, ssShift);
  EXPECT_EQ(memo.GetSelText(), "h");
}

TEST_F(EditingTest, TypingReplacesSelection) {
  Load({"hello world"});
  memo.SetSelection({0, 0}, {0, 5});
  memo.SetCaret({0, 5});
  Type("bye");
  EXPECT_EQ(memo.Line(0), "bye world");
}

struct DeleteLineCase {
  Lines_ before;
  int line;
  Lines_ after;
  int caretLine;
};

class DeleteLineTest : public EditingTest, public ::testing::WithParamInterface<DeleteLineCase> {};

TEST_P(DeleteLineTest, RemovesCaretLine) {
  Load(GetParam().before);
  Caret(1, GetParam().line);
  memo.DeleteCurrentLine();
  EXPECT_EQ(Lines(), GetParam().after);
  ExpectCaret(0, GetParam().caretLine);
  memo.Undo();
  EXPECT_EQ(Lines(), GetParam().before);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteLineTest,
                         ::testing::Values(DeleteLineCase{{"only"}, 0, {""}, 0},
                                           DeleteLineCase{{"a", "b", "c"}, 1, {"a", "c"}, 1},
                                           DeleteLineCase{{"a", "b", "c"}, 2, {"a", "b"}, 1},
                                           DeleteLineCase{{"a", "b", "c"}, 0, {"b", "c"}, 0}));

TEST_F(EditingTest, PasteSplitsLineAndMarksLines) {
  Load({"abcd", "tail"});
  Caret(2, 0);
  memo.PasteText("1\r\n2\n3\r4");
  EXPECT_EQ(Lines(), (Lines_{"ab1", "2", "3", "4cd", "tail"}));
  ExpectCaret(1, 3);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(memo.ModifiedState(i), 1) << i;
  EXPECT_EQ(memo.ModifiedState(4), 0);
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"abcd", "tail"}));
}

TEST_F(EditingTest, ReadOnlyAllowsOnlyNavigation) {
  Load({"abc"});
  memo.ReadOnly = true;
  Caret(1, 0);
  Type("x");
  Key(VK_BACK);
  Key(VK_DELETE);
  Key(VK_RETURN);
  memo.PasteText("y");
  EXPECT_FALSE(memo.CutSelection().has_value());
  EXPECT_EQ(Lines(), (Lines_{"abc"}));
  Key(VK_RIGHT);
  ExpectCaret(2, 0);
}

TEST_F(EditingTest, CharCaseConvertsTypedLetters) {
  memo.CharCase = TEditCharCase::ecUpperCase;
  Type("ab\xE4");
  EXPECT_EQ(memo.Line(0), "AB\xC4");
}

TEST_F(EditingTest, ControlCharactersAreNotTyped) {
  Type("a\r\tb\x7F");
  EXPECT_EQ(memo.Line(0), "ab");
}

TEST_F(EditingTest, AutoCorrectReplacesWholeWords) {
  memo.AutoCorrect().OldValue.Add("teh");
  memo.AutoCorrect().NewValue.Add("the");
  Type("teh cat teh");
  Key(VK_RETURN);
  EXPECT_EQ(Lines(), (Lines_{"the cat the", ""}));
  memo.AutoCorrect().Active = false;
  Type("teh ");
  EXPECT_EQ(memo.Line(1), "teh ");
}

TEST_F(EditingTest, WordCompleteHandlerChoosesReplacement) {
  std::string seen;
  memo.OnWordComplete = [&](TObject*, const std::string& word, std::string& newWord) {
    seen = word;
    if (word == "kv") newWord = "KAVELIN";
  };
  Type("kv.");
  EXPECT_EQ(seen, "kv");
  EXPECT_EQ(memo.Line(0), "KAVELIN.");
  ExpectCaret(8, 0);
  while (memo.CanUndo()) memo.Undo();
  EXPECT_EQ(memo.Line(0), "");
}

TEST_F(EditingTest, SelectWordAtDoubleClick) {
  Load({"<p class=\"intro\">"});
  memo.SelectWordAt({0, 12});
  EXPECT_EQ(memo.GetSelText(), "intro");
}

TEST_F(EditingTest, ClickWithShiftExtends) {
  Load({"abcdef", "ghijkl"});
  memo.ClickAt({0, 1}, 0);
  memo.ClickAt({1, 2}, ssShift);
  EXPECT_EQ(memo.GetSelText(), "bcdef\r\ngh");
}

TEST_F(EditingTest, DropMovesOrCopiesSelection) {
  Load({"abc def"});
  memo.SetSelection({0, 0}, {0, 3});
  memo.DropSelection({0, 7}, false);
  EXPECT_EQ(memo.Line(0), " defabc");
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abc def");
  memo.SetSelection({0, 4}, {0, 7});
  memo.DropSelection({0, 0}, true);
  EXPECT_EQ(memo.Line(0), "defabc def");
}

TEST_F(EditingTest, BookmarksFollowLineChanges) {
  Load({"a", "b", "c", "d"});
  memo.SetBookmark(3, 2);
  Caret(0, 0);
  Key(VK_RETURN);
  EXPECT_EQ(memo.Bookmark(3), 3);
  memo.SetCaret({1, 0});
  memo.DeleteCurrentLine();
  EXPECT_EQ(memo.Bookmark(3), 2);
  memo.GotoBookmark(3);
  EXPECT_EQ(memo.CaretY(), 2);
  memo.Lines().Delete(3);
  memo.Lines().Delete(2);  // the bookmarked last line: its mark moves up with the text
  EXPECT_EQ(memo.Bookmark(3), 1);
  memo.SetBookmark(4, 1);
  memo.Lines().Clear();
  memo.Lines().Add("x");
  EXPECT_EQ(memo.Bookmark(4), -1);
}

TEST_F(EditingTest, SetLinesExpandsTabsAndSplitsBreaks) {
  TStringList other;
  other.Add("a\tb");
  other.Add("c\rd");
  memo.SetLines(other);
  EXPECT_EQ(Lines(), (Lines_{"a    b", "c", "d"}));
}

// Random keys, characters, selections and list operations: nothing crashes and the line
// store's rules hold after every step.
TEST(EditingRobustness, RandomInputKeepsInvariants) {
  const int keyCodes[] = {VK_BACK, VK_TAB,  VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT,   VK_END,
                          VK_HOME, VK_LEFT, VK_UP,     VK_RIGHT,  VK_DOWN,  VK_INSERT, VK_DELETE,
                          VK_A,    VK_C,    VK_V,      VK_X,      VK_Y,     VK_Z};
  std::mt19937 rng(4711);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  THTMLMemoStyler styler(nullptr);
  TCustomCodeMemo memo;
  memo.SetSyntaxStyles(&styler);
  memo.SetViewSize(7, 20);
  SetLines(memo, {"<p class=\"a\">x</p>", "\t<!-- y", "-->"});
  for (int step = 0; step < 20000; ++step) {
    switch (pick(6)) {
      case 0:
      case 1:
        memo.KeyDown(keyCodes[pick(std::size(keyCodes))], static_cast<TShiftState>(pick(8)));
        break;
      case 2:
        memo.KeyPress(static_cast<char>(pick(256)));
        break;
      case 3:
        memo.SetSelection({pick(memo.LineCount() + 3) - 1, pick(30) - 2},
                          {pick(memo.LineCount() + 3), pick(30)});
        break;
      case 4:
        if (pick(50) == 0) {
          // An emptied list (no line at all) until the next operation adds one.
          memo.Lines().Clear();
          const int probe = pick(4);
          if (probe == 0) memo.SelectAll();
          if (probe == 1) memo.InsertTextAtCaret("z\r\nz");
          if (probe == 2) memo.KeyDown(VK_END, ssCtrl);
          if (probe == 3) memo.KeyDown(VK_RIGHT, ssCtrl);
        } else if (pick(4) == 0) {
          memo.Lines().Delete(pick(memo.LineCount() + 2) - 1);
        } else {
          memo.PasteText(pick(2) ? "a\r\n\tb\rc" : "\"");
        }
        break;
      case 5:
        if (pick(3) == 0)
          memo.SearchText("a", static_cast<TFindOptions>(pick(2) ? frDown : 0) | frWholeWord);
        else
          memo.ClickAt({pick(memo.LineCount() + 2) - 1, pick(40) - 5}, pick(2) ? ssShift : 0);
        break;
    }
    ASSERT_GE(memo.LineCount(), 1);
    ASSERT_GE(memo.CaretY(), 0);
    ASSERT_LT(memo.CaretY(), memo.LineCount());
    if (step % 97 == 0) {
      for (int i = 0; i < memo.LineCount(); ++i) {
        ASSERT_EQ(memo.Lines().LineLength(i), static_cast<int>(memo.Line(i).size()));
        ASSERT_EQ(memo.Line(i).find_first_of("\t\r\n"), std::string::npos) << memo.Line(i);
      }
      int longest = 0;
      for (int i = 0; i < memo.LineCount(); ++i)
        longest = std::max(longest, static_cast<int>(memo.Line(i).size()));
      ASSERT_EQ(memo.LongestLine(), longest);
      memo.LineRuns(memo.LineCount() - 1);
    }
  }
}

TEST_F(EditingTest, EventsFire) {
  int changes = 0, selections = 0;
  memo.OnChange = [&](TObject*) { ++changes; };
  memo.OnSelectionChange = [&](TObject*) { ++selections; };
  Type("ab");
  EXPECT_EQ(changes, 2);
  Key(VK_LEFT, ssShift);
  EXPECT_GE(selections, 1);
}

}  // namespace
}  // namespace kv::test

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

#include "MemoFixture.h"

namespace kv::test {
namespace {

using namespace keys;
using Lines_ = std::vector<std::string>;

class UndoTest : public MemoTest {};

TEST_F(UndoTest, TypedWordIsOneStep) {
  Type("hello");
  EXPECT_EQ(memo.UndoList().Count(), 1);
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "");
  EXPECT_EQ(memo.CaretX(), 0);
  memo.Redo();
  EXPECT_EQ(memo.Line(0), "hello");
  EXPECT_EQ(memo.CaretX(), 5);
}

TEST_F(UndoTest, CaretMoveStartsNewStep) {
  Type("abc");
  memo.SetCaret({0, 1});
  Type("xy");
  EXPECT_EQ(memo.UndoList().Count(), 2);
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abc");
}

TEST_F(UndoTest, BackspacesMergeButNotWithDeletes) {
  Load({"abcdef"});
  memo.SetCaret({0, 4});
  Key(VK_BACK);
  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(memo.Line(0), "abf");
  EXPECT_EQ(memo.UndoList().Count(), 2);
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abef");
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abcdef");
}

TEST_F(UndoTest, PasteOverSelectionUndoesInOneStep) {
  Load({"keep SELECTED keep"});
  memo.SetSelection({0, 5}, {0, 13});
  memo.PasteText("new\r\ntext");
  EXPECT_EQ(Lines(), (Lines_{"keep new", "text keep"}));
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"keep SELECTED keep"}));
  EXPECT_FALSE(memo.CanUndo());
  memo.Redo();
  EXPECT_EQ(Lines(), (Lines_{"keep new", "text keep"}));
}

TEST_F(UndoTest, NewEditEndsRedo) {
  Type("abc");
  memo.Undo();
  EXPECT_TRUE(memo.CanRedo());
  Type("x");
  EXPECT_FALSE(memo.CanRedo());
  EXPECT_EQ(memo.Line(0), "x");
}

TEST_F(UndoTest, LimitDropsOldestStep) {
  for (int i = 0; i < 101; ++i) {
    memo.SetCaret({0, 0});
    Type("x");
    memo.SetCaret({0, 0});  // separate steps: the caret moved away from the last one's end
  }
  EXPECT_EQ(memo.UndoList().Count(), 100);
  while (memo.CanUndo()) memo.Undo();
  EXPECT_EQ(memo.Line(0), "x");
}

TEST_F(UndoTest, UndoLimitIsClampedAndClears) {
  Type("abc");
  memo.SetUndoLimit(0);
  EXPECT_EQ(memo.UndoLimit(), 1);
  EXPECT_EQ(memo.UndoList().Count(), 0);
  memo.SetUndoLimit(500);
  EXPECT_EQ(memo.UndoLimit(), 100);
  EXPECT_EQ(memo.UndoList().Capacity(), 100);
}

TEST_F(UndoTest, LoadClearsHistory) {
  Type("abc");
  bool canUndo = true;
  memo.OnUndoChange = [&](TObject*, bool u, bool) { canUndo = u; };
  std::istringstream in("loaded\r\n");
  memo.Lines().LoadFromStream(in);
  EXPECT_FALSE(canUndo);
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"loaded"}));
}

TEST_F(UndoTest, ListChangesOutsideEditingEndHistory) {
  Load({"a", "b"});
  memo.SetCaret({1, 1});
  Type("x");
  memo.Lines().Insert(0, "new");
  EXPECT_FALSE(memo.CanUndo());
  Type("y");
  memo.Lines().Put(0, "put");
  EXPECT_FALSE(memo.CanUndo());
  EXPECT_EQ(Lines(), (Lines_{"put", "a y", "bx"}));  // the caret kept its line number
}

TEST_F(UndoTest, EnterUndoRestoresStrippedBlanks) {
  Load({"ab   cd  "});
  memo.SetCaret({0, 2});
  Key(VK_RETURN);
  EXPECT_EQ(Lines(), (Lines_{"ab", "cd"}));
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"ab   cd  "}));
}

TEST_F(UndoTest, LineBreaksAreOwnStepsWhenUndoingLineByLine) {
  Type("ab");
  Key(VK_RETURN);
  Type("cd");
  EXPECT_EQ(memo.UndoList().Count(), 1);
  memo.Lines().SetText("");
  memo.UndoLineByLine = true;
  Type("ab");
  Key(VK_RETURN);
  Type("cd");
  EXPECT_EQ(memo.UndoList().Count(), 3);
  memo.Undo();
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"ab"}));
}

TEST_F(UndoTest, OverwriteToggleSteps) {
  Type("a");
  Key(VK_INSERT);
  Key(VK_INSERT);
  Key(VK_INSERT);
  EXPECT_TRUE(memo.Overwrite());
  EXPECT_EQ(memo.UndoList().Count(), 3);  // the third toggle follows two toggle steps
  memo.Undo();
  EXPECT_TRUE(memo.Overwrite());
  memo.Undo();
  EXPECT_FALSE(memo.Overwrite());
}

TEST_F(UndoTest, UndoChangeReportsAbilities) {
  std::vector<std::pair<bool, bool>> seen;
  memo.OnUndoChange = [&](TObject*, bool u, bool r) { seen.emplace_back(u, r); };
  Type("a");
  memo.Undo();
  memo.Redo();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], std::make_pair(true, false));
  EXPECT_EQ(seen[1], std::make_pair(false, true));
  EXPECT_EQ(seen[2], std::make_pair(true, false));
}

TEST_F(UndoTest, ForwardDeletesMergeIntoOneStep) {
  Load({"abcdef"});
  memo.SetCaret({0, 1});
  for (int i = 0; i < 3; ++i) Key(VK_DELETE);
  EXPECT_EQ(memo.Line(0), "aef");
  EXPECT_EQ(memo.UndoList().Count(), 1);
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abcdef");
  EXPECT_EQ(memo.CaretX(), 1);
  memo.Redo();
  EXPECT_EQ(memo.Line(0), "aef");
}

// Where undo and redo leave the caret and the selection, for each kind of step.
struct CaretCase {
  const char* name;
  std::vector<std::string> lines;
  int caretX, caretY;
  std::function<void(TCustomCodeMemo&)> edit;
  std::vector<std::string> edited;
  int undoX, undoY;  // caret after one undo
  int redoX, redoY;  // caret after the redo
};

class UndoCaretTest : public MemoTest, public ::testing::WithParamInterface<CaretCase> {};

TEST_P(UndoCaretTest, RestoresCaretAndText) {
  const CaretCase& c = GetParam();
  Load(c.lines);
  memo.SetCaret({c.caretY, c.caretX});
  memo.CollapseSelection();
  c.edit(memo);
  EXPECT_EQ(Lines(), c.edited);
  memo.Undo();
  EXPECT_EQ(Lines(), c.lines);
  EXPECT_EQ(memo.CaretX(), c.undoX);
  EXPECT_EQ(memo.CaretY(), c.undoY);
  memo.Redo();
  EXPECT_EQ(Lines(), c.edited);
  EXPECT_EQ(memo.CaretX(), c.redoX);
  EXPECT_EQ(memo.CaretY(), c.redoY);
}

INSTANTIATE_TEST_SUITE_P(Steps, UndoCaretTest,
                         ::testing::Values(CaretCase{"Backspaces",
                                                     {"abcd"},
                                                     4,
                                                     0,
                                                     [](auto& m) {
                                                       m.KeyDown(VK_BACK, 0);
                                                       m.KeyDown(VK_BACK, 0);
                                                     },
                                                     {"ab"},
                                                     4,
                                                     0,
                                                     2,
                                                     0},
                                           CaretCase{"EnterWithIndent",
                                                     {"  ab cd"},
                                                     5,
                                                     0,
                                                     [](auto& m) { m.KeyDown(VK_RETURN, 0); },
                                                     {"  ab ", "  cd"},
                                                     5,
                                                     0,
                                                     2,
                                                     1},
                                           CaretCase{"JoinByDelete",
                                                     {"ab", "cd"},
                                                     2,
                                                     0,
                                                     [](auto& m) { m.KeyDown(VK_DELETE, 0); },
                                                     {"abcd"},
                                                     2,
                                                     0,
                                                     2,
                                                     0},
                                           CaretCase{"Overwrite",
                                                     {"abc"},
                                                     1,
                                                     0,
                                                     [](auto& m) {
                                                       m.SetOverwrite(true);
                                                       m.KeyPress('X');
                                                     },
                                                     {"aXc"},
                                                     1,
                                                     0,
                                                     2,
                                                     0},
                                           CaretCase{"DeleteLine",
                                                     {"a", "bc", "d"},
                                                     1,
                                                     1,
                                                     [](auto& m) { m.DeleteCurrentLine(); },
                                                     {"a", "d"},
                                                     1,
                                                     1,
                                                     0,
                                                     1},
                                           CaretCase{"PasteLines",
                                                     {"xy"},
                                                     1,
                                                     0,
                                                     [](auto& m) { m.PasteText("1\r\n22"); },
                                                     {"x1", "22y"},
                                                     1,
                                                     0,
                                                     2,
                                                     1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoTest, UndoOfDeletedSelectionRestoresItAndAsksForFocus) {
  struct FocusView : TCodeMemoView {
    int focus = 0;
    void FocusRequested() override { ++focus; }
  } view;
  memo.SetView(&view);
  Load({"abc", "def"});
  memo.SetCaret({1, 1});
  memo.SetSelection({0, 2}, {1, 1});
  Key(VK_DELETE);
  EXPECT_EQ(Lines(), (Lines_{"abef"}));
  EXPECT_TRUE(memo.SelectionEmpty());
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"abc", "def"}));
  EXPECT_EQ(memo.GetSelText(), "c\r\nd");
  EXPECT_EQ(view.focus, 1);
  memo.Redo();
  EXPECT_EQ(Lines(), (Lines_{"abef"}));
  EXPECT_TRUE(memo.SelectionEmpty());
  memo.SetView(nullptr);
}

TEST_F(UndoTest, LinkedDropUndoesAndRedoesAsOne) {
  Load({"abc def"});
  memo.SetSelection({0, 0}, {0, 3});
  memo.DropSelection({0, 7}, false);
  EXPECT_EQ(memo.Line(0), " defabc");
  EXPECT_EQ(memo.UndoList().Count(), 2);
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abc def");
  EXPECT_FALSE(memo.CanUndo());
  memo.Redo();
  EXPECT_EQ(memo.Line(0), " defabc");
  EXPECT_FALSE(memo.CanRedo());
}

TEST_F(UndoTest, ReplayNeverIndentsAndKeepsAutoIndent) {
  Load({"    x"});
  memo.SetCaret({0, 5});
  Key(VK_RETURN);
  Type("y");
  EXPECT_EQ(Lines(), (Lines_{"    x", "    y"}));
  memo.Undo();
  EXPECT_EQ(Lines(), (Lines_{"    x"}));
  EXPECT_TRUE(memo.AutoIndent);
  memo.Redo();
  EXPECT_EQ(Lines(), (Lines_{"    x", "    y"}));
  EXPECT_TRUE(memo.AutoIndent);
}

TEST_F(UndoTest, LimitAndClearNotify) {
  Type("abc");
  std::vector<std::pair<bool, bool>> seen;
  memo.OnUndoChange = [&](TObject*, bool u, bool r) { seen.emplace_back(u, r); };
  memo.SetUndoLimit(memo.UndoLimit());  // the same value: nothing happens
  EXPECT_EQ(memo.UndoList().Count(), 1);
  EXPECT_TRUE(seen.empty());
  Type("d");  // merged, and still reported
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(true, false));
  memo.ClearUndo();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], std::make_pair(false, false));
  memo.SetUndoLimit(1);
  Type("e");
  memo.SetCaret({0, 0});
  Type("f");
  EXPECT_EQ(memo.UndoList().Count(), 1);
}

TEST_F(UndoTest, ReadOnlyCannotUndo) {
  Type("abc");
  memo.ReadOnly = true;
  EXPECT_FALSE(memo.CanUndo());
  memo.Undo();
  EXPECT_EQ(memo.Line(0), "abc");
  memo.ReadOnly = false;
  EXPECT_TRUE(memo.CanUndo());
}

// Random editing: undoing everything gives back the start, redoing everything the end.
// Lines are compared without trailing blanks: padding and the trimming on Enter are not steps.
Lines_ Trimmed(Lines_ lines) {
  for (auto& l : lines)
    l.erase(l.find_last_not_of(' ') == std::string::npos ? 0 : l.find_last_not_of(' ') + 1);
  return lines;
}

TEST(UndoProperty, UndoAllAndRedoAllRestoreText) {
  std::mt19937 rng(20261210);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char alphabet[] = "ab <>\"=x!-";
  for (int round = 0; round < 300; ++round) {
    TCustomCodeMemo memo;
    Lines_ start;
    for (int i = pick(5) + 1; i > 0; --i) {
      std::string l;
      for (int k = pick(12); k > 0; --k) l += alphabet[pick(sizeof alphabet - 1)];
      start.push_back(l);
    }
    SetLines(memo, start);
    const Lines_ original = Trimmed(LinesOf(memo));
    for (int op = 0; op < 40; ++op) {
      const int line = pick(memo.LineCount());
      const int col = pick(static_cast<int>(memo.Line(line).size()) + 3);
      switch (pick(8)) {
        case 0:
        case 1:
          memo.SetCaret({line, col});
          for (int k = pick(4) + 1; k > 0; --k) memo.KeyPress(alphabet[pick(sizeof alphabet - 1)]);
          break;
        case 2:
          memo.SetCaret({line, col});
          memo.KeyDown(VK_BACK, 0);
          break;
        case 3:
          memo.SetCaret({line, col});
          memo.KeyDown(VK_DELETE, 0);
          break;
        case 4:
          memo.SetCaret({line, col});
          memo.KeyDown(VK_RETURN, 0);
          break;
        case 5:
          memo.SetCaret({line, col});
          memo.InsertTextAtCaret(pick(2) ? "p\r\nq  r\nx" : " <b>");
          break;
        case 6: {
          const int endLine = std::min(memo.LineCount() - 1, line + pick(3));
          memo.SetSelection({line, col},
                            {endLine, pick(static_cast<int>(memo.Line(endLine).size()) + 1)});
          memo.DeleteSelection();
          break;
        }
        case 7:
          memo.SetCaret({line, col});
          memo.KeyDown(VK_TAB, 0);
          break;
      }
    }
    ASSERT_LE(memo.UndoList().Count(), 100);
    const Lines_ final = Trimmed(LinesOf(memo));
    while (memo.CanUndo()) memo.Undo();
    ASSERT_EQ(Trimmed(LinesOf(memo)), original) << "round " << round;
    while (memo.CanRedo()) memo.Redo();
    ASSERT_EQ(Trimmed(LinesOf(memo)), final) << "round " << round;
  }
}

}  // namespace
}  // namespace kv::test

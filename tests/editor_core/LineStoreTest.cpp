#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "MemoFixture.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"

namespace kv::test {
namespace {

class LineStoreTest : public MemoTest {
 protected:
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(Dir(), ec);
  }
  static std::filesystem::path Dir() {
    return std::filesystem::temp_directory_path() /
           ("kv_editor_core_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  }
  std::string TempFile(const std::string& name) {
    std::filesystem::create_directories(Dir());
    return (Dir() / name).string();
  }
};

struct LoadCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

class LoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, SplitsAndExpands) {
  TCustomCodeMemo memo;
  std::istringstream in(GetParam().bytes);
  memo.Lines().LoadFromStream(in);
  EXPECT_EQ(LinesOf(memo), GetParam().lines);
  for (int i = 0; i < memo.LineCount(); ++i)
    EXPECT_EQ(memo.Lines().LineLength(i), static_cast<int>(memo.Line(i).size()));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, LoadTest,
    ::testing::Values(
        LoadCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        LoadCase{"LoneCrAndLf", "a\rb\nc", {"a", "b", "c"}},
        LoadCase{"TabAnyColumn", "\tx\nab\tc", {"    x", "ab    c"}},
        LoadCase{"NulEndsText", std::string("ab\r\ncd\0ef\r\ngh", 13), {"ab", "cd"}},
        LoadCase{"HighBytesKept", "\xE4\xF6\xFC\x80\xFF", {"\xE4\xF6\xFC\x80\xFF"}},
        LoadCase{"EmptyFileLeavesOneLine", "", {""}},
        LoadCase{"BlankLinesKept", "\r\n\r\nx", {"", "", "x"}},
        LoadCase{"UnclosedCommentOnLineOne", "<!-- open\r\n\"quote", {"<!-- open", "\"quote"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineStoreAppend, CrSplitsAndLfVanishes) {
  TCustomCodeMemo memo;
  memo.Lines().Clear();
  memo.Lines().Add("a\r\nb");
  memo.Lines().Add("a\nb");
  EXPECT_EQ(LinesOf(memo), (std::vector<std::string>{"a", "b", "ab"}));
}

TEST(LineStoreAppend, WithoutOwnerBehavesAsPlainList) {
  TCodeMemoStrings list;
  list.Add("a\tb");
  list.Insert(0, "x");
  EXPECT_EQ(list.Get(1), "a\tb");
  EXPECT_EQ(list.Get(0), "x");
  EXPECT_EQ(list.LineLength(1), 3);
}

TEST_F(LineStoreTest, SaveTrimsTrailingBlanksInFileAndEditor) {
  Load({"abc   ", "  x  "});
  const std::string path = TempFile("trim.html");
  memo.Lines().SaveToFile(AsPath(path));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(AsPath(path), bytes));
  EXPECT_EQ(bytes, "abc\r\n  x\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"abc", "  x"}));
}

TEST_F(LineStoreTest, ModifiedStateFollowsEditSaveLoad) {
  const std::string path = TempFile("modified.html");
  ASSERT_TRUE(WriteFileBytes(AsPath(path), "one\r\ntwo\r\n"));
  memo.Lines().LoadFromFile(AsPath(path));
  memo.SetCaret({1, 3});
  Type("!");
  EXPECT_EQ(memo.ModifiedState(1), 1);
  EXPECT_EQ(memo.ModifiedState(0), 0);
  memo.Lines().SaveToFile(AsPath(path));
  EXPECT_EQ(memo.ModifiedState(1), 2);
  memo.Lines().LoadFromFile(AsPath(path));
  EXPECT_EQ(memo.ModifiedState(1), 0);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"one", "two!"}));
}

TEST_F(LineStoreTest, MissingFileRaisesOpenError) {
  Load({"keep"});
  EXPECT_THROW(memo.Lines().LoadFromFile(AsPath(TempFile("does-not-exist.html"))), EFOpenError);
}

TEST_F(LineStoreTest, DeletingOnlyLineLeavesOneEmptyLine) {
  Load({"only"});
  memo.Lines().Delete(0);
  EXPECT_EQ(Lines(), (std::vector<std::string>{""}));
  memo.Lines().Delete(5);  // out of range: ignored
  EXPECT_EQ(memo.LineCount(), 1);
}

TEST_F(LineStoreTest, DeleteThroughListKeepsCaretOnItsLine) {
  Load({"a", "b", "c", "d"});
  memo.SetCaret({3, 1});
  memo.Lines().Delete(1);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_EQ(memo.CaretY(), 2);
  EXPECT_EQ(memo.CaretX(), 1);
}

TEST_F(LineStoreTest, ClearPutsCaretAndSelectionAtStart) {
  Load({"abc", "def"});
  memo.SetCaret({1, 2});
  memo.SetSelection({0, 0}, {1, 2});
  memo.Lines().Clear();
  EXPECT_EQ(memo.CaretX(), 0);
  EXPECT_EQ(memo.CaretY(), 0);
  EXPECT_EQ(memo.Selection(), TTextRange({0, 0}, {0, 0}));
}

TEST_F(LineStoreTest, InsertExpandsTabsAndMovesBookmarks) {
  Load({"a", "b", "c"});
  memo.SetBookmark(0, 1);
  memo.SetBookmark(1, 0);
  memo.Lines().Insert(1, "x\ty\r\nz");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "x    y", "z", "b", "c"}));
  EXPECT_EQ(memo.Bookmark(0), 3);
  EXPECT_EQ(memo.Bookmark(1), 0);
}

TEST_F(LineStoreTest, ReplacedLineWithBreaksBecomesSeveralLines) {
  Load({"a", "b"});
  memo.Lines().Put(0, "x\ty\r\nz");
  memo.Lines().Put(2, "plain");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"x    y", "z", "plain"}));
}

TEST_F(LineStoreTest, ObjectsStayWithTheirLinesThroughEdits) {
  Load({"ab", "c"});
  static TObject marker;  // outlives the lines that refer to it
  memo.Lines().PutObject(1, &marker);
  memo.SetCaret({0, 1});
  Type("x");
  Key(keys::VK_RETURN);  // a new line between: the object moves down with its line
  EXPECT_EQ(memo.Lines().GetObject(2), &marker);
  EXPECT_EQ(memo.Lines().GetObject(1), nullptr);
  memo.Lines().Delete(0);
  EXPECT_EQ(memo.Lines().GetObject(1), &marker);
  EXPECT_EQ(memo.Lines().GetObject(7), nullptr);
}

TEST_F(LineStoreTest, LongestLineKeptAcrossEdits) {
  Load({"abc", "abcdefgh", "ab"});
  EXPECT_EQ(memo.LongestLine(), 8);
  memo.SetCaret({1, 8});
  Type("xy");
  EXPECT_EQ(memo.LongestLine(), 10);
  memo.SetCaret({1, 0});
  Key(keys::VK_END);
  for (int i = 0; i < 9; ++i) Key(keys::VK_BACK);
  EXPECT_EQ(memo.Line(1), "a");
  EXPECT_EQ(memo.LongestLine(), 3);
}

TEST_F(LineStoreTest, AssignReplacesTextAndResets) {
  Load({"old"});
  TStringList other;
  other.Add("new\tline");
  other.Add("second");
  memo.Lines().Assign(&other);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"new    line", "second"}));
  EXPECT_EQ(memo.CaretY(), 0);
  EXPECT_FALSE(memo.CanUndo());
}

TEST_F(LineStoreTest, ChangeHandlingWaitsForEndUpdate) {
  int changes = 0;
  memo.OnChange = [&](TObject*) { ++changes; };
  memo.Lines().Add("one");
  EXPECT_EQ(changes, 1);
  memo.BeginUpdate();
  memo.Lines().Add("two");
  memo.Lines().Put(0, "zero");
  EXPECT_EQ(changes, 1);
  memo.EndUpdate();
  memo.Lines().BeginUpdate();
  memo.Lines().Add("three");
  EXPECT_EQ(changes, 1);
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(memo.LongestLine(), 5);
}

TEST_F(LineStoreTest, FileWithNulLoadsUpToIt) {
  const std::string path = TempFile("nul.html");
  ASSERT_TRUE(WriteFileBytes(AsPath(path), std::string("ab\r\ncd\0ef\r\ngh", 13)));
  memo.Lines().LoadFromFile(AsPath(path));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"ab", "cd"}));
}

TEST_F(LineStoreTest, LoadResetsCaretSelectionAndHistoryAndNotifiesOnce) {
  Load({"abc", "def"});
  memo.SetCaret({1, 2});
  Type("x");
  memo.SetSelection({0, 0}, {1, 1});
  int changes = 0;
  memo.OnChange = [&](TObject*) { ++changes; };
  std::istringstream in("one\ttab\r\ntwo");
  memo.Lines().LoadFromStream(in);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"one    tab", "two"}));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(memo.CaretX() + memo.CaretY(), 0);
  EXPECT_TRUE(memo.SelectionEmpty());
  EXPECT_FALSE(memo.CanUndo());
}

// Deleting through the list: the caret keeps its text line, a deleted line is one undo step.
struct ListDeleteCase {
  std::vector<std::string> before;
  int caretX, caretY, index;
  std::vector<std::string> after;
  int caretXAfter, caretYAfter;
};

class ListDeleteTest : public MemoTest, public ::testing::WithParamInterface<ListDeleteCase> {};

TEST_P(ListDeleteTest, KeepsCaretAndUndoes) {
  const ListDeleteCase& c = GetParam();
  Load(c.before);
  memo.SetCaret({c.caretY, c.caretX});
  memo.Lines().Delete(c.index);
  EXPECT_EQ(Lines(), c.after);
  EXPECT_EQ(memo.CaretX(), c.caretXAfter);
  EXPECT_EQ(memo.CaretY(), c.caretYAfter);
  memo.Undo();
  EXPECT_EQ(Lines(), c.before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ListDeleteTest,
                         ::testing::Values(
                             // Above the caret: the caret line moves up with its text.
                             ListDeleteCase{{"a", "bb", "cc"}, 1, 2, 0, {"bb", "cc"}, 1, 1},
                             // Below the caret: nothing moves.
                             ListDeleteCase{{"aa", "b", "c"}, 1, 0, 2, {"aa", "b"}, 1, 0},
                             // The caret's own line: the caret stays on that line number.
                             ListDeleteCase{{"aa", "bb", "cc"}, 2, 1, 1, {"aa", "cc"}, 2, 1},
                             // The only line: it empties and the caret goes to column 0.
                             ListDeleteCase{{"abc"}, 2, 0, 0, {""}, 0, 0}));

TEST_F(LineStoreTest, ObjectSlotsOutOfRangeAreIgnored) {
  Load({"a"});
  static TObject marker;  // outlives the lines that refer to it
  memo.Lines().PutObject(5, &marker);
  memo.Lines().PutObject(-1, &marker);
  EXPECT_EQ(memo.Lines().GetObject(0), nullptr);
  EXPECT_EQ(memo.Lines().GetObject(-1), nullptr);
  memo.Lines().AddObject("b\rc", &marker);
  EXPECT_EQ(memo.Lines().GetObject(1), &marker);
  EXPECT_EQ(memo.Lines().GetObject(2), &marker);
}

TEST_F(LineStoreTest, InsertCollapsesSelectionAndAssignTrims) {
  Load({"abc", "def"});
  memo.SetSelection({0, 0}, {1, 2});
  memo.Lines().Insert(1, "new");
  EXPECT_TRUE(memo.SelectionEmpty());
  memo.TrimTrailingSpaces = true;
  TStringList other;
  other.Add("x  ");
  other.Add("  y\t");
  memo.Lines().Assign(&other);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"x", "  y"}));
  int selections = 0;
  memo.OnSelectionChange = [&](TObject*) { ++selections; };
  memo.SetLines(other);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"x", "  y"}));
  EXPECT_EQ(selections, 1);
}

TEST_F(LineStoreTest, SaveToStreamKeepsBlanksAndMarksSaved) {
  Load({"a  ", "b"});
  memo.SetCaret({1, 1});
  Type("!");
  std::ostringstream out;
  memo.Lines().SaveToStream(out);
  EXPECT_EQ(out.str(), "a  \r\nb!\r\n");
  EXPECT_EQ(memo.ModifiedState(1), 2);
  EXPECT_EQ(memo.ModifiedState(0), 0);
}

TEST_F(LineStoreTest, UpdateDepthNeverGoesBelowZero) {
  int changes = 0;
  memo.OnChange = [&](TObject*) { ++changes; };
  memo.Lines().EndUpdate();
  memo.Lines().EndUpdate();
  memo.Lines().Add("x");
  EXPECT_EQ(changes, 1);
  memo.Lines().BeginUpdate();
  memo.Lines().Add("y");
  EXPECT_EQ(changes, 1);
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes, 2);
}

// Every way of changing the list keeps the editor's rules: no tab or break in a line, lengths
// and the longest line right, objects beside their lines, start states as a straight pass
// gives them, and no undo step that would replay against text it does not know.
struct ListOpCase {
  const char* name;
  std::function<void(TCodeMemoStrings&)> op;
  std::vector<std::string> lines;
};

class ListOpTest : public MemoTest, public ::testing::WithParamInterface<ListOpCase> {};

TEST_P(ListOpTest, KeepsTheRules) {
  THTMLMemoStyler styler(nullptr);
  memo.SetSyntaxStyles(&styler);
  Load({"<b>one</b>", "\"two", "three\"", "four"});
  memo.SetCaret({3, 2});
  Type("x");               // an undo step that the list operation must not leave replayable
  memo.LineStartState(4);  // kept states that the operation must not leave stale
  GetParam().op(memo.Lines());
  EXPECT_EQ(Lines(), GetParam().lines);
  int longest = 0;
  TTokenState straight;
  for (int i = 0; i < memo.LineCount(); ++i) {
    EXPECT_EQ(memo.Line(i).find_first_of("\t\r\n"), std::string::npos) << i;
    EXPECT_EQ(memo.Lines().LineLength(i), static_cast<int>(memo.Line(i).size()));
    EXPECT_EQ(memo.LineStartState(i), straight) << i;
    memo.Tokenizer().Advance(memo.Line(i), straight);
    longest = std::max(longest, static_cast<int>(memo.Line(i).size()));
  }
  EXPECT_EQ(memo.LongestLine(), longest);
  while (memo.CanUndo()) memo.Undo();  // whatever stays undoable undoes cleanly
  for (int i = 0; i < memo.LineCount(); ++i)
    EXPECT_EQ(memo.Line(i).find_first_of("\t\r\n"), std::string::npos) << i;
  memo.SetSyntaxStyles(nullptr);
}

TObject* Marker() {
  static TObject marker;
  return &marker;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ListOpTest,
    ::testing::Values(
        ListOpCase{"Insert",
                   [](auto& l) { l.Insert(1, "a\tb\r\nc"); },
                   {"<b>one</b>", "a    b", "c", "\"two", "three\"", "foxur"}},
        ListOpCase{"InsertObject",
                   [](auto& l) {
                     l.InsertObject(0, "\"q\tq\rz", Marker());
                     EXPECT_EQ(l.GetObject(0), Marker());
                     EXPECT_EQ(l.GetObject(1), Marker());
                     EXPECT_EQ(l.GetObject(2), nullptr);
                   },
                   {"\"q    q", "z", "<b>one</b>", "\"two", "three\"", "foxur"}},
        ListOpCase{"Put",
                   [](auto& l) { l.Put(0, "\t<i>\nx"); },
                   {"    <i>", "x", "\"two", "three\"", "foxur"}},
        ListOpCase{"AddWithBreaks",
                   [](auto& l) { l.Add("\"a\r\n\tb\nc"); },
                   {"<b>one</b>", "\"two", "three\"", "foxur", "\"a", "    bc"}},
        ListOpCase{"Move",
                   [](auto& l) {
                     l.PutObject(3, Marker());
                     l.Move(3, 0);
                     EXPECT_EQ(l.GetObject(0), Marker());
                   },
                   {"foxur", "<b>one</b>", "\"two", "three\""}},
        ListOpCase{"Exchange",
                   [](auto& l) { l.Exchange(0, 2); },
                   {"three\"", "\"two", "<b>one</b>", "foxur"}},
        ListOpCase{"Sort",
                   [](auto& l) {
                     l.PutObject(1, Marker());
                     l.Sort();
                     EXPECT_EQ(l.GetObject(0), Marker());
                   },
                   {"\"two", "<b>one</b>", "foxur", "three\""}},
        ListOpCase{"Assign",
                   [](auto& l) {
                     TStringList other;
                     other.Add("\"a\tb");
                     other.Add("c\rd");
                     l.Assign(&other);
                   },
                   {"\"a    b", "c", "d"}},
        ListOpCase{"Text", [](auto& l) { l.SetText("\ta\r\n\"b\rc"); }, {"    a", "\"b", "c"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LineStoreTest, AccessorsOutOfRangeAreSafe) {
  Load({"a"});
  EXPECT_EQ(memo.Line(-1), "");
  EXPECT_EQ(memo.Line(5), "");
  EXPECT_EQ(memo.LineLength(5), 0);
  EXPECT_EQ(memo.Lines().StringRef(5), "");
  EXPECT_EQ(memo.Lines().LineLength(-2), 0);
  EXPECT_EQ(memo.ModifiedState(9), 0);
  EXPECT_EQ(memo.Bookmark(10), -1);
  EXPECT_EQ(memo.UndoList().Items(0), nullptr);
  Type("x");
  EXPECT_NE(memo.UndoList().Items(0), nullptr);
  EXPECT_EQ(memo.UndoList().Items(1), nullptr);
  EXPECT_EQ(memo.UndoList().Items(-1), nullptr);
  EXPECT_THROW(memo.Lines().Get(3), EStringListError);
}

TEST_F(LineStoreTest, LargeInputsSurviveLoadAndSave) {
  // A 5 MB single line and 500 000 lines, both with high bytes.
  std::string longLine(5 * 1024 * 1024, 'x');
  longLine[12345] = '\xE9';
  std::string many;
  for (int i = 0; i < 500000; ++i) many += "<p>\xFC" + std::to_string(i) + "</p>\r\n";
  for (const std::string& content : {longLine + "\r\n", many}) {
    const std::string path = TempFile("large.html");
    ASSERT_TRUE(WriteFileBytes(AsPath(path), content));
    memo.Lines().LoadFromFile(AsPath(path));
    memo.Lines().SaveToFile(AsPath(path));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(AsPath(path), back));
    EXPECT_TRUE(back == content);
  }
  EXPECT_EQ(memo.LineCount(), 500000);
}

}  // namespace
}  // namespace kv::test

// The events each operation fires and their order, with the caret and selection it leaves:
// windows hang their own work on these events, so their sequence is part of the behaviour.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "MemoFixture.h"

namespace kv::test {
namespace {

using namespace keys;

// Logs every event of the model and the view calls a window could see, as short words.
class EventLog : public TCodeMemoView {
 public:
  explicit EventLog(TCustomCodeMemo& memo) : memo_(memo) {
    memo.SetView(this);
    memo.OnChange = [this](TObject*) { Add("Chg"); };
    memo.OnSelectionChange = [this](TObject*) { Add("Sel"); };
    memo.OnStatusChange = [this](TObject*) { Add("Sta"); };
    memo.OnCursorChange = [this](TObject*) { Add("Cur"); };
    memo.OnColumnChange = [this](TObject*, int x) { Add("Col" + std::to_string(x)); };
    memo.OnActiveLineChange = [this](TObject*, int y) { Add("Act" + std::to_string(y)); };
    memo.OnUndoChange = [this](TObject*, bool u, bool r) {
      Add(std::string("Und") + (u ? "1" : "0") + (r ? "1" : "0"));
    };
    memo.OnTopLeftChanged = [this](TObject*) { Add("TL"); };
  }
  ~EventLog() override { memo_.SetView(nullptr); }
  void FocusRequested() override { Add("Foc"); }
  void Clear() { words_.str(""); }
  // The words, then the caret and the ordered selection as they are now.
  std::string Text() const {
    const TTextRange s = memo_.Selection();
    std::ostringstream out;
    out << words_.str() << "| caret " << memo_.CaretY() << "," << memo_.CaretX() << " sel ";
    // An empty selection has no place of its own: it is the caret.
    if (memo_.SelectionEmpty())
      out << "-";
    else
      out << s.Start.Line << "," << s.Start.Col << "-" << s.End.Line << "," << s.End.Col;
    return out.str();
  }

 private:
  void Add(const std::string& word) { words_ << word << ' '; }
  TCustomCodeMemo& memo_;
  std::ostringstream words_;
};

struct EventCase {
  const char* name;
  std::vector<std::string> lines;
  std::function<void(TCustomCodeMemo&)> setup;
  std::function<void(TCustomCodeMemo&)> act;
  const char* events;
};

class EventOrderTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(EventOrderTest, FiresInOrder) {
  TCustomCodeMemo memo;
  memo.SetViewSize(4, 12);
  SetLines(memo, GetParam().lines);
  memo.SetCaret({0, 0});
  if (GetParam().setup) GetParam().setup(memo);
  EventLog log(memo);
  GetParam().act(memo);
  EXPECT_EQ(log.Text(), GetParam().events);
}

void Type(TCustomCodeMemo& m, const std::string& text) {
  for (char c : text) m.KeyPress(c);
}

const EventCase kEventCases[] = {
    {"TypeTwo",
     {""},
     nullptr,
     [](auto& m) { Type(m, "ab"); },
     "Sta Cur Col1 Und10 Chg Sta Cur Col2 Und10 Chg | caret 0,2 sel -"},
    {"TypeBeyondEnd",
     {""},
     [](auto& m) {
       m.SetCaret({0, 3});
     },
     [](auto& m) { Type(m, "x"); },
     "Sta Cur Col4 Und10 Chg | caret 0,4 sel -"},
    {"TypeOverSelection",
     {"abcd"},
     [](auto& m) {
       m.SetSelection({0, 1}, {0, 3});
     },
     [](auto& m) { Type(m, "x"); },
     "Sta Cur Col1 Sel Und10 Chg Sta Cur Col2 Und10 Chg | caret 0,2 sel -"},
    {"Enter",
     {"  ab cd"},
     [](auto& m) {
       m.SetCaret({0, 5});
     },
     [](auto& m) { m.KeyDown(VK_RETURN, 0); },
     "Sta Cur Col2 Und10 Chg | caret 1,2 sel -"},
    {"BackspaceJoins",
     {"ab", "cd"},
     [](auto& m) {
       m.SetCaret({1, 0});
     },
     [](auto& m) { m.KeyDown(VK_BACK, 0); },
     "Sta Cur Col2 Chg Und10 Chg | caret 0,2 sel -"},
    {"DeleteJoins",
     {"ab", "cd"},
     [](auto& m) {
       m.SetCaret({0, 2});
     },
     [](auto& m) { m.KeyDown(VK_DELETE, 0); },
     "Chg Und10 Chg | caret 0,2 sel -"},
    {"TabAndShiftTab",
     {"ab"},
     [](auto& m) {
       m.SetCaret({0, 1});
     },
     [](auto& m) {
       m.KeyDown(VK_TAB, 0);
       m.KeyDown(VK_TAB, ssShift);
     },
     "Sta Cur Col5 Und10 Chg Sta Cur Col1 | caret 0,1 sel -"},
    {"ShiftArrowsThenArrow",
     {"abc", "def"},
     nullptr,
     [](auto& m) {
       m.KeyDown(VK_RIGHT, ssShift);
       m.KeyDown(VK_DOWN, ssShift);
       m.KeyDown(VK_RIGHT, 0);
     },
     "Sta Cur Col1 Sel Sta Cur Col1 Act1 Sel Sta Cur Col2 Sel | caret 1,2 sel -"},
    {"PasteOverSelection",
     {"keep SEL keep"},
     [](auto& m) {
       m.SetSelection({0, 5}, {0, 8});
     },
     [](auto& m) { m.PasteText("x\r\ny"); },
     "Sta Cur Col5 Sel Und10 Sta Cur Col1 Und10 Chg | caret 1,1 sel -"},
    {"UndoRedoTyping",
     {""},
     [](auto& m) { Type(m, "abc"); },
     [](auto& m) {
       m.Undo();
       m.Redo();
     },
     "Sta Cur Col3 Sta Cur Col0 Und01 Chg Sta Cur Col0 Sta Cur Col3 Und10 Chg | caret 0,3 sel -"},
    {"UndoDeletedSelection",
     {"abc", "def"},
     [](auto& m) {
       m.SetCaret({1, 1});
       m.SetSelection({0, 1}, {1, 1});
       m.DeleteSelection();
     },
     [](auto& m) { m.Undo(); },
     "Sta Cur Col1 Sel Foc Sta Cur Col1 Act1 Und01 Chg | caret 1,1 sel 0,1-1,1"},
    {"UndoLinkedDrop",
     {"abc def"},
     [](auto& m) {
       m.SetSelection({0, 3}, {0, 0});  // the caret at the start, where the old one was
       m.DropSelection({0, 7}, false);
     },
     [](auto& m) { m.Undo(); },
     "Sta Cur Col7 Sta Cur Col4 Sta Cur Col0 Sel Foc Sta Cur Col0 Und01 Chg | caret 0,0 sel "
     "0,0-0,3"},
    {"InsertToggle",
     {"a"},
     [](auto& m) { Type(m, "b"); },
     [](auto& m) { m.KeyDown(VK_INSERT, 0); },
     "Und10 Sta Sta | caret 0,1 sel -"},
    {"SearchFoundAndNot",
     {"one two", "two"},
     nullptr,
     [](auto& m) {
       m.SearchText("two", frDown);
       m.SearchText("zzz", frDown);
     },
     "Sta Cur Col4 Sel Sel | caret 0,4 sel -"},
    {"SelectAllAndDocumentEnd",
     {"ab", "cde"},
     nullptr,
     [](auto& m) {
       m.SelectAll();
       m.KeyDown(VK_END, ssCtrl);
     },
     "Sta Cur Sel Sta Cur Col3 Sel | caret 1,3 sel -"},
    {"CaretBelowTheView",
     {"a", "b", "c", "d", "e", "f"},
     nullptr,
     [](auto& m) {
       m.SetCaret({5, 0});
     },
     "TL Sta Cur Col0 Act5 | caret 5,0 sel -"},
    {"ListAddInsertPutDelete",
     {"a", "b"},
     [](auto& m) { Type(m, "x"); },
     [](auto& m) {
       m.Lines().Add("c");
       m.Lines().Insert(0, "i");
       m.Lines().Put(0, "p");
       m.Lines().Delete(1);
     },
     "Chg Und00 Chg Sta Cur Col1 Und00 Chg Sta Cur Col1 Act1 Sta Cur Col0 Und10 Chg Sta Cur Col1 "
     "Sta Cur Col1 Act0 | caret 0,1 sel -"},
    {"ListClearWithSelection",
     {"abc"},
     [](auto& m) {
       m.SetSelection({0, 0}, {0, 2});
     },
     [](auto& m) { m.Lines().Clear(); },
     "Und00 Sel Chg | caret 0,0 sel -"},
    {"Load",
     {"abc"},
     [](auto& m) { Type(m, "x"); },
     [](auto& m) {
       SetLines(m, {"new", "text"});
     },
     "Und00 Und00 Chg | caret 0,0 sel -"},
};

INSTANTIATE_TEST_SUITE_P(Operations, EventOrderTest, ::testing::ValuesIn(kEventCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv::test

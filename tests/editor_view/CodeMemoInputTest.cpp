// Mouse, wheel, keys and the context menu of the control.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <functional>

#include "MemoTestSupport.h"
#include "support/Shell.h"

namespace kv {
namespace {

class MemoInput : public testing::Test, public test::MemoFixtureBase {
 protected:
  // The pixel in the middle-left of the cell of (absolute) line and column.
  QPoint At(int line, int column) {
    const TMemoLayout l = Memo->Layout();
    return CellPixel(column - l.LeftCol, line - l.TopLine, 1, Memo->LineHeight() / 2);
  }
  void Press(int line, int column, TShiftState shift = 0) {
    QPoint p = At(line, column);
    Memo->MouseDown(p.x(), p.y(), shift);
  }
  void Release(int line, int column) {
    QPoint p = At(line, column);
    Memo->MouseUp(p.x(), p.y());
  }
  void Key(int qtKey, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, qtKey, m, text);
    QApplication::sendEvent(Memo->Peer(), &press);
  }
  TCustomCodeMemo& M() { return Memo->Memo(); }
};

TEST_F(MemoInput, PixelsMapToTheNearerCellBoundary) {
  SetText("abcdef");
  const TMemoLayout l = Memo->Layout();
  const int cw = l.CellWidth;
  const TMemoRect cell = l.CellRect(3, 0);
  EXPECT_EQ(l.ColumnAt(cell.Left + cw / 2 - 1), 3);
  EXPECT_EQ(l.ColumnAt(cell.Left + cw / 2 + 1), 4);
  EXPECT_EQ(l.LineAt(cell.Top), 0);
  EXPECT_EQ(l.LineAt(cell.Top + l.LineHeight), 1);
}

TEST_F(MemoInput, ClickShiftClickAndDragSelect) {
  SetText("first line\r\nsecond line\r\nthird");
  Press(1, 3);
  Release(1, 3);
  EXPECT_EQ(M().CaretY(), 1);
  EXPECT_EQ(M().CaretX(), 3);
  EXPECT_TRUE(M().SelectionEmpty());

  Press(2, 2, ssShift);
  Release(2, 2);
  EXPECT_EQ(M().GetSelText(), "ond line\r\nth");

  Press(0, 1);
  QPoint p = At(0, 5);
  Memo->MouseMove(p.x(), p.y(), true);
  Release(0, 5);
  EXPECT_EQ(M().GetSelText(), "irst");
  EXPECT_EQ(M().CaretX(), 5);
}

TEST_F(MemoInput, DraggingBelowTheViewScrollsLineByLine) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
  SetText(text);
  const int rows = Memo->Layout().VisibleRows();
  Press(2, 1);
  const TMemoRect area = Memo->Layout().TextArea();
  Memo->MouseMove(area.Left + 10, area.Bottom + 3, true);
  EXPECT_EQ(M().CaretY(), rows);
  EXPECT_EQ(M().TopLine(), 1);
  EXPECT_EQ(M().Selection().Start.Line, 2);
  Memo->MouseUp(area.Left + 10, area.Bottom + 3);
}

TEST_F(MemoInput, ClickBelowTheTextClampsToTheLastLine) {
  SetText("one\r\ntwo");
  Press(10, 1);
  EXPECT_EQ(M().CaretY(), 1);
}

TEST_F(MemoInput, GutterClickMovesTheCaretToThatLine) {
  SetText("one\r\ntwo\r\nthree");
  const QPoint p = At(2, 0);
  Memo->MouseDown(5, p.y(), 0);
  EXPECT_EQ(M().CaretY(), 2);
  EXPECT_EQ(M().CaretX(), 0);
  int clicked = -1;
  Memo->OnGutterClick = [&](TObject*, int line) { clicked = line; };
  Memo->MouseDown(5, At(1, 0).y(), 0);
  EXPECT_EQ(clicked, 1);
}

TEST_F(MemoInput, PressInsideTheSelectionWithoutDragCollapsesIt) {
  SetText("abcdefgh");
  M().SetSelection({0, 1}, {0, 6});
  Press(0, 3);
  EXPECT_FALSE(M().SelectionEmpty());  // might still become a drag
  Release(0, 3);
  EXPECT_TRUE(M().SelectionEmpty());
  EXPECT_EQ(M().CaretX(), 3);
}

TEST_F(MemoInput, DropMovesOrCopiesTheSelection) {
  struct Case {
    bool copy;
    int dropColumn;
    const char* result;
  } cases[] = {{false, 8, "abfghcde"}, {true, 8, "abcdefghcde"}, {false, 0, "cdeabfgh"}};
  for (const Case& c : cases) {
    SetText("abcdefgh");
    M().SetSelection({0, 2}, {0, 5});
    const QPoint p = At(0, c.dropColumn);
    Memo->DropAt(p.x(), p.y(), c.copy);
    EXPECT_EQ(M().Line(0), c.result) << c.copy << " " << c.dropColumn;
  }
  SetText("abcdefgh");
  M().SetSelection({0, 2}, {0, 5});
  M().ReadOnly = true;
  Memo->DropAt(At(0, 8).x(), At(0, 8).y(), false);
  EXPECT_EQ(M().Line(0), "abcdefgh");
}

TEST_F(MemoInput, DoubleClickSelectsTheWord) {
  SetText("<a href=\"x\">hello world</a>");
  int fired = 0;
  Memo->OnDblClick = [&](TObject*) { ++fired; };
  const QPoint p = At(0, 14);
  Memo->DoubleClick(p.x(), p.y());
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(M().GetSelText(), "hello");
}

TEST_F(MemoInput, UrlClickOpensTheAddress) {
  SetText("see http://example.com/page now");
  std::string opened;
  Memo->UrlOpener = [&](const std::string& url) { opened = url; };
  Press(0, 8);
  EXPECT_EQ(opened, "http://example.com/page");
  opened.clear();
  Press(0, 1);
  EXPECT_EQ(opened, "");
  // A handler takes the click instead.
  std::string handled;
  M().OnURLClick = [&](TObject*, const std::string& url) { handled = url; };
  Press(0, 10);
  EXPECT_EQ(handled, "http://example.com/page");
  EXPECT_EQ(opened, "");
}

TEST_F(MemoInput, UrlClickGoesToTheDesktopOpenerByDefault) {
  SetText("mailto:info@example.com");
  std::vector<std::string> started;
  TProcessLauncher previous = SetProcessLauncher([&](const std::vector<std::string>& argv) {
    started = argv;
    return true;
  });
  Press(0, 3);
  SetProcessLauncher(previous);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[1], "mailto:info@example.com");
}

TEST_F(MemoInput, CursorIsIBeamOnlyOverTheText) {
  const TMemoRect area = Memo->Layout().TextArea();
  EXPECT_TRUE(Memo->CursorIsIBeamAt(area.Left + 3, area.Top + 3));
  EXPECT_FALSE(Memo->CursorIsIBeamAt(5, area.Top + 3));  // gutter
  EXPECT_FALSE(Memo->CursorIsIBeamAt(0, 0));             // border
}

TEST_F(MemoInput, WheelScrollsByFourLines) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  SetText(text);
  Memo->Wheel(1);
  EXPECT_EQ(M().TopLine(), 4);
  Memo->Wheel(2);
  EXPECT_EQ(M().TopLine(), 12);
  EXPECT_EQ(Memo->VertScrollBar()->value(), 12);
  Memo->Wheel(-1);
  EXPECT_EQ(M().TopLine(), 8);
  Memo->Wheel(-5);
  EXPECT_EQ(M().TopLine(), 0);
  // Near the end the wheel stops once the last line is in view.
  for (int i = 0; i < 50; ++i) Memo->Wheel(1);
  EXPECT_LE(M().TopLine(), 100);
  EXPECT_GE(M().TopLine() + Memo->Layout().VisibleRows(), M().LineCount());
}

TEST_F(MemoInput, PageDownMovesByTheVisibleRows) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  SetText(text);
  const int rows = Memo->Layout().VisibleRows();
  ASSERT_EQ(M().VisibleRows(), rows);
  M().KeyDown(keys::VK_NEXT, 0);
  EXPECT_EQ(M().CaretY(), rows);
  EXPECT_EQ(M().TopLine(), rows);
  EXPECT_EQ(Memo->VertScrollBar()->value(), rows);
}

TEST_F(MemoInput, ScrollBarMovesTheView) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  SetText(text);
  Memo->VertScrollBar()->setValue(30);
  EXPECT_EQ(M().TopLine(), 30);
}

TEST_F(MemoInput, QtKeysReachTheModel) {
  SetText("");
  Key(Qt::Key_A, Qt::NoModifier, "a");
  Key(Qt::Key_B, Qt::ShiftModifier, "B");
  Key(Qt::Key_Tab, Qt::NoModifier, "\t");
  Key(Qt::Key_Adiaeresis, Qt::NoModifier, QString(QChar(0xE4)));
  EXPECT_EQ(M().Line(0), "aB    \xE4");
  Key(Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_EQ(M().LineCount(), 2);
  Key(Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
  EXPECT_EQ(M().GetSelText(), "aB    \xE4\r\n");
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  // The form's key handler sees the key first, as the window's handlers expect.
  int seen = 0;
  Memo->OnKeyDown = [&](TObject*, int& key, TShiftState) { seen = key; };
  Key(Qt::Key_F2);
  EXPECT_EQ(seen, VK_F2);
}

// Characters Windows-1252 cannot hold go in as numeric character references, never as "?",
// whether typed, pasted or committed by an input method, and one undo takes them out again.
TEST_F(MemoInput, CharactersBeyondWindows1252BecomeReferences) {
  const QString typed = QString::fromUtf8("\u0141\u00F3d\u017A \u6771\u4EAC \U0001F600");
  const std::string page =
      "&#321;\xF3"
      "d&#378; &#26481;&#20140; &#128512;";
  struct Way {
    const char* name;
    std::function<void()> enter;
  } ways[] = {
      {"typed",
       [&] {
         // One key event per character; the last one's text is two UTF-16 halves.
         for (const uint c : typed.toUcs4())
           Key(Qt::Key_unknown, Qt::NoModifier,
               QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1));
       }},
      {"pasted",
       [&] {
         QApplication::clipboard()->setText(typed);
         Key(Qt::Key_V, Qt::ControlModifier);
       }},
      {"committed",
       [&] {
         QInputMethodEvent commit;
         commit.setCommitString(typed);
         QApplication::sendEvent(Memo->Peer(), &commit);
       }},
  };
  for (const Way& way : ways) {
    SetText("<p></p>");
    M().SetCaret({0, 3});
    way.enter();
    EXPECT_EQ(M().Line(0), "<p>" + page + "</p>") << way.name;
    EXPECT_EQ(M().CaretX(), 3 + static_cast<int>(page.size())) << way.name;
    M().Undo();
    EXPECT_EQ(M().Line(0), "<p></p>") << way.name;
    EXPECT_FALSE(M().CanUndo()) << way.name;
  }
  // What Windows-1252 holds stays itself.
  SetText("");
  Key(Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\u20AC\u201E\u201C\u00DF"));
  EXPECT_EQ(M().Line(0), "\x80\x84\x93\xDF");
}

TEST_F(MemoInput, InputMethodFindsTheCaretAndTheTextAroundIt) {
  SetText("first\r\n<p>&#321;x</p>");
  M().SetCaret({1, 9});
  const QRect caret = TMemoPainter::CaretRect(Memo->Layout(), M().Caret());
  auto ask = [&](Qt::InputMethodQuery q) { return Memo->Peer()->inputMethodQuery(q); };
  EXPECT_EQ(ask(Qt::ImCursorRectangle).toRect(), caret);
  EXPECT_EQ(ask(Qt::ImSurroundingText).toString(), QString("<p>&#321;x</p>"));
  EXPECT_EQ(ask(Qt::ImCursorPosition).toInt(), 9);
  EXPECT_TRUE(ask(Qt::ImEnabled).toBool());
  M().SetSelection({1, 3}, {1, 9});
  EXPECT_EQ(ask(Qt::ImAnchorPosition).toInt(), 3);
  EXPECT_EQ(ask(Qt::ImCurrentSelection).toString(), QString("&#321;"));
}

TEST_F(MemoInput, EditingKeysComeBeforeWindowShortcuts) {
  struct Case {
    int key;
    Qt::KeyboardModifiers mods;
    const char* text;
    bool editor;
  } cases[] = {
      {Qt::Key_C, Qt::ControlModifier, "", true},  {Qt::Key_Z, Qt::ControlModifier, "", true},
      {Qt::Key_Left, Qt::ShiftModifier, "", true}, {Qt::Key_A, Qt::NoModifier, "a", true},
      {Qt::Key_F2, Qt::NoModifier, "", false},     {Qt::Key_Escape, Qt::NoModifier, "", false},
      {Qt::Key_S, Qt::ControlModifier, "", false}};
  for (const Case& c : cases) {
    QKeyEvent e(QEvent::ShortcutOverride, c.key, c.mods, c.text);
    e.ignore();
    QApplication::sendEvent(Memo->Peer(), &e);
    EXPECT_EQ(e.isAccepted(), c.editor) << c.key;
  }
}

TEST_F(MemoInput, ContextMenuHasNineItemsGreyedAsTheStateSays) {
  SetText("abc");
  QApplication::clipboard()->setText("clip");
  std::unique_ptr<QMenu> menu(Memo->CreateContextMenu(nullptr));
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 9);
  const char* texts[] = {"Undo\tCtrl-Z",  "Redo\tCtrl-Y", "", "Copy\tCtrl-C",      "Cut\tCtrl-X",
                         "Paste\tCtrl-V", "Delete",       "", "Select All\tCtrl-A"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(actions[i]->isSeparator(), texts[i][0] == 0) << i;
    if (texts[i][0]) {
      EXPECT_EQ(actions[i]->text().toStdString(), texts[i]);
    }
  }
  // Fresh text, nothing selected: only Paste and Select All.
  auto enabled = [&] {
    std::unique_ptr<QMenu> m(Memo->CreateContextMenu(nullptr));
    std::string s;
    for (QAction* a : m->actions())
      if (!a->isSeparator()) s += a->isEnabled() ? '1' : '0';
    return s;
  };
  EXPECT_EQ(enabled(), "0000101");
  M().SetSelection({0, 0}, {0, 2});
  EXPECT_EQ(enabled(), "0011111");
  M().KeyPress('x');
  EXPECT_EQ(enabled(), "1000101");
  M().Undo();  // the typing; the replaced selection's deletion is still there to undo
  EXPECT_EQ(enabled(), "1100101");
  M().ReadOnly = true;
  M().SelectAll();
  EXPECT_EQ(enabled(), "0010001");
  M().ReadOnly = false;
  QApplication::clipboard()->clear();
  M().SetSelection({0, 0}, {0, 0});
  EXPECT_EQ(enabled(), "1100001");
}

TEST_F(MemoInput, ContextMenuItemsRunTheirCommands) {
  SetText("hello world");
  M().SetSelection({0, 0}, {0, 5});
  std::unique_ptr<QMenu> menu(Memo->CreateContextMenu(nullptr));
  menu->actions()[6]->trigger();  // Delete
  EXPECT_EQ(M().Line(0), " world");
  std::unique_ptr<QMenu> again(Memo->CreateContextMenu(nullptr));
  again->actions()[0]->trigger();  // Undo
  EXPECT_EQ(M().Line(0), "hello world");
  std::unique_ptr<QMenu> third(Memo->CreateContextMenu(nullptr));
  third->actions()[8]->trigger();  // Select All
  EXPECT_EQ(M().GetSelText(), "hello world");
}

// A long random run of keys, clicks, drags, wheel steps, pastes and paints (fixed seed):
// the caret, the view and the bars always stay consistent with the text.
TEST_F(MemoInput, RandomUseKeepsViewConsistent) {
  SetText("<html>\r\n<body>\r\n  <p>Text http://a.b/c</p>\r\n</body>\r\n</html>");
  unsigned seed = 12345;
  auto next = [&](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  const int keysList[] = {keys::VK_LEFT, keys::VK_RIGHT,  keys::VK_UP,     keys::VK_DOWN,
                          keys::VK_HOME, keys::VK_END,    keys::VK_PRIOR,  keys::VK_NEXT,
                          keys::VK_BACK, keys::VK_DELETE, keys::VK_RETURN, keys::VK_TAB};
  for (int i = 0; i < 3000; ++i) {
    const TMemoRect area = Memo->Layout().TextArea();
    const int x = area.Left - 20 + static_cast<int>(next(area.Width() + 40));
    const int y = area.Top - 20 + static_cast<int>(next(area.Height() + 40));
    switch (next(9)) {
      case 0:
        M().KeyPress(static_cast<char>('a' + next(26)));
        break;
      case 1:
        M().KeyDown(keysList[next(12)], next(2) ? ssShift : 0);
        break;
      case 2:
        Memo->MouseDown(x, y, next(3) == 0 ? ssShift : 0);
        break;
      case 3:
        Memo->MouseMove(x, y, true);
        break;
      case 4:
        Memo->MouseUp(x, y);
        break;
      case 5:
        Memo->Wheel(next(2) ? 1 : -1);
        break;
      case 6:
        M().PasteText(next(2) ? "x\r\ny<z>" : "\"q\" ");
        break;
      case 7:
        Memo->DropAt(x, y, next(2));
        break;
      case 8:
        M().Undo();
        break;
    }
    ASSERT_GE(M().CaretY(), 0);
    ASSERT_LT(M().CaretY(), M().LineCount());
    ASSERT_GE(M().TopLine(), 0);
    ASSERT_LE(M().TopLine(), std::max(0, M().LineCount() - 1));
    ASSERT_GE(M().LeftCol(), 0);
    if (!Memo->VertScrollBar()->isHidden()) {
      ASSERT_EQ(Memo->VertScrollBar()->value(), M().TopLine());
    }
    if (i % 100 == 0) Render();
  }
}

}  // namespace
}  // namespace kv

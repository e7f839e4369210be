// The source as a screen reader reads it, through Qt's accessibility interfaces.
#include <gtest/gtest.h>

#include <QAccessible>

#include "MemoTestSupport.h"

namespace kv {
namespace {

class MemoAccessible : public testing::Test, public test::MemoFixtureBase {
 protected:
  QAccessibleInterface* Interface() { return QAccessible::queryAccessibleInterface(Memo->Peer()); }
  QAccessibleTextInterface* Text() { return Interface()->textInterface(); }
};

TEST_F(MemoAccessible, ReadsTheTextTheCaretAndTheSelection) {
  SetText("<p>eins</p>\r\n\xE4\x80 zwei\r\nlast");
  QAccessibleInterface* a = Interface();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  EXPECT_TRUE(a->state().multiLine);
  EXPECT_TRUE(a->state().editable);
  QAccessibleTextInterface* t = Text();
  ASSERT_NE(t, nullptr);
  const QString all = QString::fromUtf8("<p>eins</p>\n\u00E4\u20AC zwei\nlast");
  EXPECT_EQ(t->characterCount(), all.size());
  EXPECT_EQ(t->text(0, t->characterCount()), all);
  EXPECT_EQ(a->text(QAccessible::Value), all);

  // Lines, with their breaks, as any text's lines read.
  int start = 0, end = 0;
  EXPECT_EQ(t->textAtOffset(14, QAccessible::LineBoundary, &start, &end),
            QString::fromUtf8("\u00E4\u20AC zwei\n"));
  EXPECT_EQ(start, 12);
  EXPECT_EQ(end, 20);
  EXPECT_EQ(t->textAtOffset(22, QAccessible::LineBoundary, &start, &end), QString("last"));

  // The caret and the selection as offsets, both ways.
  Memo->Memo().SetCaret({1, 3});
  EXPECT_EQ(t->cursorPosition(), 15);
  EXPECT_EQ(t->selectionCount(), 0);
  Memo->Memo().SetSelection({0, 3}, {1, 1});
  EXPECT_EQ(t->selectionCount(), 1);
  t->selection(0, &start, &end);
  EXPECT_EQ(start, 3);
  EXPECT_EQ(end, 13);
  t->setSelection(0, 20, 24);
  EXPECT_EQ(Memo->Memo().GetSelText(), "last");
  t->setCursorPosition(4);
  EXPECT_EQ(Memo->Memo().Caret(), (TTextPos{0, 4}));
  EXPECT_TRUE(Memo->Memo().SelectionEmpty());

  // An edit is read at once.
  Memo->Memo().TypeCharacter("&#321;");
  EXPECT_EQ(t->text(0, 14), QString("<p>e&#321;ins<"));
  Memo->Memo().ReadOnly = true;
  EXPECT_TRUE(Interface()->state().readOnly);
}

TEST_F(MemoAccessible, CharactersHaveTheirCells) {
  SetText("abc\r\ndef");
  QAccessibleTextInterface* t = Text();
  const TMemoRect cell = Memo->Layout().CellRect(2, 1);
  const QRect r = t->characterRect(6);  // "f"
  EXPECT_EQ(r.topLeft(), Memo->Peer()->mapToGlobal(QPoint(cell.Left, cell.Top)));
  EXPECT_EQ(t->offsetAtPoint(r.topLeft() + QPoint(1, 2)), 6);
}

}  // namespace
}  // namespace kv

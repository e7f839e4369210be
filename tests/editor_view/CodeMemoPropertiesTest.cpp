// The control's published properties, as the translation tables and the source window reach
// them by name, and the font rule of the character grid.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QFontMetricsF>

#include "MemoTestSupport.h"
#include "platform/FontMap.h"

namespace kv {
namespace {

class MemoProperties : public testing::Test, public test::MemoFixtureBase {};

TEST_F(MemoProperties, ProportionalFacesBecomeFixedSys) {
  struct Case {
    const char* face;
    const char* result;
  } cases[] = {{"Tahoma", "FixedSys"},
               {"COURIER NEW", "COURIER NEW"},
               {"Microsoft Sans Serif", "FixedSys"},
               {"FixedSys", "FixedSys"}};
  TPersistent* font = GetObjectProp(Memo.get(), "Font");
  ASSERT_EQ(font, Memo->Font());
  for (const Case& c : cases) {
    // Changed in place, as a translation table writes a face name...
    SetStrProp(font, "Name", c.face);
    EXPECT_EQ(Memo->Font()->Name(), c.result) << c.face;
    // ...and assigned whole through the property.
    TFont other;
    other.SetName(c.face);
    other.SetHeight(-13);
    SetObjectProp(Memo.get(), GetPropInfo(Memo.get(), "Font"), &other);
    EXPECT_EQ(Memo->Font()->Name(), c.result) << c.face;
  }
}

TEST_F(MemoProperties, GridComesFromTheWidthOfW) {
  Memo->Font()->SetName("Courier New");
  const QFontMetrics m(ToQFont(*Memo->Font()));
  EXPECT_EQ(Memo->CellWidth(), m.horizontalAdvance(QLatin1Char('W')));
  EXPECT_EQ(Memo->LineHeight(), m.height() + 1);
  // Whole runs advance by exactly one cell per character, in every style.
  for (TFontStyles s : {0u, unsigned(fsBold), unsigned(fsItalic), unsigned(fsBold | fsItalic)}) {
    const QFontMetricsF f(Memo->Fonts().Font(s));
    EXPECT_NEAR(f.horizontalAdvance(QString(100, QLatin1Char('m'))), 100.0 * Memo->CellWidth(), 1.0)
        << s;
  }
  // A larger font makes a larger grid and the view's rows follow.
  const int rows = Memo->Layout().VisibleRows();
  Memo->Font()->SetHeight(-26);
  EXPECT_LT(Memo->Layout().VisibleRows(), rows);
  EXPECT_EQ(Memo->Memo().VisibleRows(), Memo->Layout().VisibleRows());
}

TEST_F(MemoProperties, LinesVersionAndStylerByName) {
  TStringList source;
  source.Add("<html>");
  source.Add("</html>");
  SetObjectProp(Memo.get(), GetPropInfo(Memo.get(), "Lines"), &source);
  EXPECT_EQ(Memo->Lines()->Count(), 2);
  EXPECT_EQ(GetObjectProp(Memo.get(), "Lines"), Memo->Lines());

  SetStrProp(Memo.get(), "Version", "2.0");
  EXPECT_EQ(GetStrProp(Memo.get(), "Version"), "2.0");

  EXPECT_EQ(GetObjectProp(Memo.get(), "SyntaxStyles"), &Styler);
  auto* styles = dynamic_cast<TCollection*>(GetObjectProp(&Styler, "AllStyles"));
  ASSERT_NE(styles, nullptr);
  ASSERT_EQ(styles->Count(), 6);
  EXPECT_EQ(GetStrProp(styles->Items(0), "Info"), "HTML Standard Default");

  TPersistent* gutter = GetObjectProp(Memo.get(), "Gutter");
  EXPECT_EQ(GetOrdProp(gutter, "DigitCount"), 4);
  SetOrdProp(gutter, "GutterWidth", 60);
  EXPECT_EQ(Memo->Layout().TextArea().Left, 60 + 4 - 1);

  SetOrdProp(Memo.get(), "TabSize", 8);
  EXPECT_EQ(Memo->Memo().TabSize(), 8);
  SetOrdProp(Memo.get(), "ClipboardFormats", cfText | cfHTML);
  EXPECT_EQ(Memo->ClipboardFormats, cfText | cfHTML);
  EXPECT_EQ(GetOrdProp(Memo.get(), "SelBkColor"), clNavy);
}

TEST_F(MemoProperties, StylerGoingAwayLeavesPlainText) {
  auto styler = std::make_unique<THTMLMemoStyler>(nullptr);
  Memo->SetSyntaxStyles(styler.get());
  SetText("<b>");
  styler.reset();
  EXPECT_EQ(Memo->SyntaxStyles(), nullptr);
  EXPECT_FALSE(Memo->Memo().UseStyler());
  Render();
}

TEST_F(MemoProperties, TextAreaGeometry) {
  TMemoLayout l;
  l.ClientWidth = 817;
  l.ClientHeight = 569;
  // Single flat border: the area grows by one pixel on every side.
  TMemoRect a = l.TextArea();
  EXPECT_EQ(a.Left, 45 + 2 + 2 - 1);
  EXPECT_EQ(a.Top, 1);
  EXPECT_EQ(a.Right, 817 - 1);
  EXPECT_EQ(a.Bottom, 569 - 1);
  l.VScrollVisible = l.HScrollVisible = true;
  a = l.TextArea();
  EXPECT_EQ(a.Right, 817 - 1 - l.VScrollWidth);
  EXPECT_EQ(a.Bottom, 569 - 1 - l.HScrollHeight);
  l.BorderStyle = TBorderStyle::bsNone;
  EXPECT_EQ(l.TextArea().Left, 45 + 2);
  l.GutterVisible = false;
  EXPECT_EQ(l.TextArea().Left, 2);
  // Cells: the first row starts one pixel below the area's top.
  l = TMemoLayout{};
  l.ClientWidth = 400;
  l.ClientHeight = 300;
  EXPECT_EQ(l.CellRect(0, 0).Top, 2);
  EXPECT_EQ(l.CellRect(2, 1).Left, 48 + 2 * l.CellWidth);
  EXPECT_EQ(l.VisibleRows(), (298 - 1) / l.LineHeight);
}

TEST(MemoGutter, NumberIndentAndText) {
  struct Case {
    int line;
    const char* digits;
    int indent;
  } cases[] = {{0, "1", 3},    {8, "9", 3},     {9, "10", 2},    {98, "99", 2},
               {99, "100", 1}, {998, "999", 1}, {999, "1000", 0}};
  TMemoGutter g;
  for (const Case& c : cases) {
    EXPECT_EQ(g.DigitsText(c.line), c.digits);
    EXPECT_EQ(TMemoGutter::IndentCells(g.DigitsText(c.line)), c.indent);
  }
  g.SetShowLeadingZeros(true);
  g.SetNumberSuffix(":");
  EXPECT_EQ(g.NumberText(6), "0007:");
  g.SetLineNumberStart(0);
  EXPECT_EQ(g.DigitsText(0), "0000");
}

}  // namespace
}  // namespace kv

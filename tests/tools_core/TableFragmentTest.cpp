#include <gtest/gtest.h>

#include "tools/core/TableFragment.h"

namespace kv {
namespace {

TTableFields Defaults() {
  return TTableFields{"1", "1", "100", "0", "0", "0", true};
}

std::string Fragment(const TTableFields& fields, int language = 2) {
  TTableLayout layout;
  EXPECT_EQ(CheckTableFields(fields, layout), TTableCheck::Valid);
  return BuildTableFragment(layout, TableCellWord(language));
}

TEST(TableFragmentTest, TheInitialValuesGiveAOneCellTableOfSevenLines) {
  EXPECT_EQ(Fragment(Defaults()),
            "<table width=100% border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\r\n"
            "  <tr>\r\n"
            "    <td>\r\n"
            "      Tablefield11\r\n"
            "    </td>\r\n"
            "  </tr>\r\n"
            "</table>\r\n");
}

TEST(TableFragmentTest, TwoRowsInGermanPixelsAndTrimmedValues) {
  TTableFields f = Defaults();
  f.Rows = " 2 ";
  f.Width = "\t320 ";
  f.Border = " 1";
  f.Padding = "$A";  // written as typed
  f.Percent = false;
  EXPECT_EQ(Fragment(f, 1),
            "<table width=320 border=\"1\" cellpadding=\"$A\" cellspacing=\"0\">\r\n"
            "  <tr>\r\n"
            "    <td>\r\n"
            "      Tabellenfeld11\r\n"
            "    </td>\r\n"
            "  </tr>\r\n"
            "  <tr>\r\n"
            "    <td>\r\n"
            "      Tabellenfeld21\r\n"
            "    </td>\r\n"
            "  </tr>\r\n"
            "</table>\r\n");
}

TEST(TableFragmentTest, NoRowsOrNoCellsForZeroAndNegativeCounts) {
  const std::string header =
      "<table width=100% border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\r\n";
  TTableFields f = Defaults();
  f.Rows = "0";
  EXPECT_EQ(Fragment(f), header + "</table>\r\n");
  f.Rows = "-3";
  EXPECT_EQ(Fragment(f), header + "</table>\r\n");
  f = Defaults();
  f.Rows = "2";
  f.Columns = "0";
  EXPECT_EQ(Fragment(f), header + "  <tr>\r\n  </tr>\r\n  <tr>\r\n  </tr>\r\n</table>\r\n");
}

TEST(TableFragmentTest, CellTextsAreWordRowAndColumnWithoutSeparator) {
  TTableFields f = Defaults();
  f.Rows = "11";
  f.Columns = "12";
  const std::string text = Fragment(f);
  // Row 1, column 12 and row 11, column 2 both end in 112.
  size_t count = 0;
  for (size_t at = text.find("Tablefield112\r\n"); at != std::string::npos;
       at = text.find("Tablefield112\r\n", at + 1))
    ++count;
  EXPECT_EQ(count, 2u);
  EXPECT_NE(text.find("      Tablefield1112\r\n"), std::string::npos);
  // Without a known language the cells hold the numbers alone.
  EXPECT_NE(Fragment(Defaults(), 3).find("\r\n      11\r\n"), std::string::npos);
}

struct CheckCase {
  TTableFields fields;
  TTableCheck expected;
};

TEST(TableFragmentTest, InvalidNumbersAndTheSizeBoundAreRefused) {
  auto with = [](int field, const char* text) {
    TTableFields f = Defaults();
    std::string* const all[] = {&f.Rows, &f.Columns, &f.Width, &f.Border, &f.Padding, &f.Spacing};
    *all[field] = text;
    return f;
  };
  auto size = [](const char* rows, const char* columns) {
    TTableFields f = Defaults();
    f.Rows = rows;
    f.Columns = columns;
    return f;
  };
  const CheckCase cases[] = {
      {with(0, ""), TTableCheck::NotANumber},
      {with(1, "zwei"), TTableCheck::NotANumber},
      {with(2, "100%"), TTableCheck::NotANumber},
      {with(3, "2147483648"), TTableCheck::NotANumber},
      {with(4, "1.5"), TTableCheck::NotANumber},
      {with(5, "-"), TTableCheck::NotANumber},
      {with(2, "2147483647"), TTableCheck::Valid},  // only rows and columns are bounded
      {size("1000", "100"), TTableCheck::Valid},
      {size("100", "1000"), TTableCheck::Valid},
      {size("1001", "1"), TTableCheck::TooLarge},
      {size("1", "1001"), TTableCheck::TooLarge},
      {size("317", "317"), TTableCheck::TooLarge},  // 100 489 cells
      {size("2147483647", "0"), TTableCheck::TooLarge},
      {size("1000", "-5"), TTableCheck::Valid},
      {size("-2147483648", "1000"), TTableCheck::Valid},
      {size("$FFFFFFFF", "2"), TTableCheck::Valid},  // -1 rows: none
  };
  for (const CheckCase& c : cases) {
    TTableLayout layout;
    EXPECT_EQ(CheckTableFields(c.fields, layout), c.expected)
        << c.fields.Rows << " " << c.fields.Columns << " " << c.fields.Width << " "
        << c.fields.Border << " " << c.fields.Padding << " " << c.fields.Spacing;
  }
}

TEST(TableFragmentTest, TheCellWordFollowsTheLanguage) {
  EXPECT_EQ(TableCellWord(1), "Tabellenfeld");
  EXPECT_EQ(TableCellWord(2), "Tablefield");
  EXPECT_EQ(TableCellWord(0), "");
}

}  // namespace
}  // namespace kv

// The table generator's fragment: the HTML of a table with numbered placeholder cells, built
// from the six text fields and the unit, ready to be spliced into a page line by line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The bound on the table's size: every keystroke rewrites the fragment, so a typed huge number
// must not write gigabytes.
constexpr std::int64_t kMaxTableRows = 1000;
constexpr std::int64_t kMaxTableColumns = 1000;
constexpr std::int64_t kMaxTableCells = 100000;

// The fields as the user typed them.
struct TTableFields {
  std::string Rows, Columns, Width, Border, Padding, Spacing;
  bool Percent = true;  // the unit box has its first entry selected
};

// The checked table: the counts, and the texts written into the header line.
struct TTableLayout {
  std::int32_t Rows = 0, Columns = 0;
  std::string Width, Border, Padding, Spacing;  // Width with its "%" when in percent
};

enum class TTableCheck {
  Valid,
  NotANumber,  // a field is no whole number in the framework's syntax
  TooLarge     // rows, columns or cells beyond the bound
};

// Checks rows, columns, width, border, padding and spacing in this order; fills layout when
// valid. Texts are taken without the blanks and control characters around them.
TTableCheck CheckTableFields(const TTableFields& fields, TTableLayout& layout);

// "Tabellenfeld" for German (1), "Tablefield" for English (2), empty otherwise.
std::string TableCellWord(int language);

// The fragment's bytes: a header line, "  <tr>" … "  </tr>" per row with three lines per cell
// (the cell text is the word, the row and the column number), "</table>"; every line ends in
// CR LF. Rows or columns of 0 or less give no rows or no cells.
std::string BuildTableFragment(const TTableLayout& layout, std::string_view cellWord);

}  // namespace kv

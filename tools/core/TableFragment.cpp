#include "tools/core/TableFragment.h"

#include <algorithm>
#include <optional>

#include "tools/core/IntegerSyntax.h"

namespace kv {

TTableCheck CheckTableFields(const TTableFields& fields, TTableLayout& layout) {
  const std::string* const texts[] = {&fields.Rows,   &fields.Columns, &fields.Width,
                                      &fields.Border, &fields.Padding, &fields.Spacing};
  std::int32_t values[6] = {};
  for (int i = 0; i < 6; ++i) {
    const std::optional<std::int32_t> value = ParseFrameworkInteger(*texts[i]);
    if (!value) return TTableCheck::NotANumber;
    values[i] = *value;
  }
  const std::int64_t rows = std::max<std::int64_t>(values[0], 0);
  const std::int64_t columns = std::max<std::int64_t>(values[1], 0);
  if (rows > kMaxTableRows || columns > kMaxTableColumns || rows * columns > kMaxTableCells)
    return TTableCheck::TooLarge;
  layout.Rows = values[0];
  layout.Columns = values[1];
  layout.Width = std::string(TrimBlanksAndControls(fields.Width)) + (fields.Percent ? "%" : "");
  layout.Border = TrimBlanksAndControls(fields.Border);
  layout.Padding = TrimBlanksAndControls(fields.Padding);
  layout.Spacing = TrimBlanksAndControls(fields.Spacing);
  return TTableCheck::Valid;
}

std::string TableCellWord(int language) {
  if (language == 1) return "Tabellenfeld";
  if (language == 2) return "Tablefield";
  return {};
}

std::string BuildTableFragment(const TTableLayout& layout, std::string_view cellWord) {
  std::string out;
  out += "<table width=" + layout.Width + " border=\"" + layout.Border + "\" cellpadding=\"" +
         layout.Padding + "\" cellspacing=\"" + layout.Spacing + "\">\r\n";
  for (std::int32_t row = 1; row <= layout.Rows; ++row) {
    out += "  <tr>\r\n";
    const std::string rowText = std::to_string(row);
    for (std::int32_t column = 1; column <= layout.Columns; ++column) {
      out += "    <td>\r\n      ";
      out += cellWord;
      out += rowText;
      out += std::to_string(column);
      out += "\r\n    </td>\r\n";
    }
    out += "  </tr>\r\n";
  }
  out += "</table>\r\n";
  return out;
}

}  // namespace kv

#include "tools/core/TableFragment.h"

#include <algorithm>
#include <optional>

#include "tools/core/IntegerSyntax.h"

namespace kv {

TTableCheck CheckTableFields(const TTableFields& fields, TTableSpec& spec) {
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
  spec.Rows = values[0];
  spec.Columns = values[1];
  spec.Width = std::string(TrimBlanksAndControls(fields.Width)) + (fields.Percent ? "%" : "");
  spec.Border = TrimBlanksAndControls(fields.Border);
  spec.Padding = TrimBlanksAndControls(fields.Padding);
  spec.Spacing = TrimBlanksAndControls(fields.Spacing);
  return TTableCheck::Valid;
}

std::string TableCellWord(int language) {
  if (language == 1) return "Tabellenfeld";
  if (language == 2) return "Tablefield";
  return {};
}

std::string BuildTableFragment(const TTableSpec& spec, std::string_view cellWord) {
  std::string out;
  out += "<table width=" + spec.Width + " border=\"" + spec.Border + "\" cellpadding=\"" +
         spec.Padding + "\" cellspacing=\"" + spec.Spacing + "\">\r\n";
  for (std::int32_t row = 1; row <= spec.Rows; ++row) {
    out += "  <tr>\r\n";
    const std::string rowText = std::to_string(row);
    for (std::int32_t column = 1; column <= spec.Columns; ++column) {
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

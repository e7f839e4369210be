#include "translate/LangRows.h"

#include "platform/classes/Strings.h"

namespace kv {

std::string GetColumn(std::string_view row, int column, char delim) {
  if (row.empty() || column < 0) return {};
  if (column == 0) {
    const size_t end = row.find(delim, 1);
    return std::string(row.substr(0, end));
  }
  size_t pos = 1;
  size_t start = std::string_view::npos;
  for (int k = 0; k < column; ++k) {
    const size_t d = row.find(delim, pos);
    if (d == std::string_view::npos) return {};
    start = d + 1;
    pos = start;
  }
  const size_t end = row.find(delim, start);
  return std::string(
      row.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

int CountDelims(std::string_view row, char delim) {
  int n = 0;
  for (char c : row)
    if (c == delim) ++n;
  return n;
}

void TrimRow(std::string& row, int languages, char delim) {
  int d = CountDelims(row, delim);
  while (d > languages + 1 && !row.empty() && row.back() == delim) {
    row.pop_back();
    --d;
  }
}

void TrimRows(TStrings& rows, int languages, char delim) {
  for (int i = 0; i < rows.Count(); ++i) {
    std::string row = rows.Get(i);
    const size_t before = row.size();
    TrimRow(row, languages, delim);
    if (row.size() != before) rows.Put(i, row);
  }
}

void PadRows(TStrings& rows, int languages, char delim) {
  for (int i = 0; i < rows.Count(); ++i) {
    std::string row = rows.Get(i);
    const int d = CountDelims(row, delim);
    if (d <= languages) rows.Put(i, row + std::string(languages - d + 1, delim));
  }
}

void ShrinkRows(TStrings& rows, int languages, char delim) {
  for (int i = 0; i < rows.Count(); ++i) {
    const std::string row = rows.Get(i);
    int seen = 0;
    for (size_t p = 0; p < row.size(); ++p)
      if (row[p] == delim && ++seen == languages + 1) {
        if (p + 1 < row.size()) rows.Put(i, row.substr(0, p + 1));
        break;
      }
  }
}

void ReplaceDelim(TStrings& rows, char from, char to) {
  if (from == to) return;
  for (int i = 0; i < rows.Count(); ++i) {
    std::string row = rows.Get(i);
    bool changed = false;
    for (char& c : row)
      if (c == from) {
        c = to;
        changed = true;
      }
    if (changed) rows.Put(i, row);
  }
}

bool RowHasOnlyKey(std::string_view row, int languages, char delim) {
  std::string_view stripped = row;
  while (!stripped.empty() && stripped.front() == delim) stripped.remove_prefix(1);
  while (!stripped.empty() && stripped.back() == delim) stripped.remove_suffix(1);
  return static_cast<long>(row.size()) - (languages + 1) >= static_cast<long>(stripped.size());
}

std::string EscapeLineBreaks(std::string_view row) {
  std::string r(row);
  for (char& c : r) {
    if (c == '\r')
      c = '\x19';
    else if (c == '\n')
      c = '\x1A';
  }
  return r;
}

std::string UnescapeLineBreaks(std::string_view row) {
  std::string r(row);
  for (char& c : r) {
    if (c == '\x19')
      c = '\r';
    else if (c == '\x1A')
      c = '\n';
  }
  return r;
}

std::string MakeRow(std::string_view key, std::initializer_list<std::string_view> cells,
                    char delim) {
  std::string r(key);
  for (std::string_view c : cells) {
    r += delim;
    r += c;
  }
  r += delim;
  return r;
}

}  // namespace kv

// A model loaded with given lines, as the tests of the editor core start from.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "editor/core/CodeMemo.h"

namespace kv {
// Positions read as (line, column) in failure messages.
inline void PrintTo(const TTextPos& p, std::ostream* os) {
  *os << "(" << p.Line << ", " << p.Col << ")";
}
inline void PrintTo(const TTextRange& r, std::ostream* os) {
  PrintTo(r.Start, os);
  *os << "-";
  PrintTo(r.End, os);
}
}  // namespace kv

namespace kv::test {

inline std::vector<std::string> LinesOf(const TCustomCodeMemo& memo) {
  std::vector<std::string> lines;
  for (int i = 0; i < memo.LineCount(); ++i) lines.push_back(memo.Line(i));
  return lines;
}

inline void SetLines(TCustomCodeMemo& memo, const std::vector<std::string>& lines) {
  std::string text;
  for (auto& l : lines) text += l + "\r\n";
  memo.Lines().SetText(text);
}

class MemoTest : public ::testing::Test {
 protected:
  void Load(const std::vector<std::string>& lines) { SetLines(memo, lines); }
  std::vector<std::string> Lines() const { return LinesOf(memo); }
  void Key(int key, TShiftState shift = 0) { memo.KeyDown(key, shift); }
  void Type(const std::string& text) {
    for (char c : text) memo.KeyPress(c);
  }
  TCustomCodeMemo memo;
};

}  // namespace kv::test

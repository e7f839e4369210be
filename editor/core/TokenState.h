// The state the tokenizer carries from character to character and from line to line. Kept in
// its own small header because the line store caches one per line.
#pragma once

namespace kv {

struct TTokenState {
  bool InComment = false;
  bool InBracket = false;
  // Marks of the run being emitted; cleared after each emission.
  bool Number = false;
  bool KeyWord = false;
  bool Symbol = false;
  bool Url = false;
  char BracketEnd = 0;    // closing character of the open bracket
  char BracketStart = 0;  // opening character of the open bracket
  int StyleIndex = -1;    // element style colouring the run; -1 = none

  bool operator==(const TTokenState&) const = default;
};

}  // namespace kv
